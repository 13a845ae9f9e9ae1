// What opening and saving a lyrics file costs in the editor, for a song of
// 30,000 characters in 3,000 units, every unit stamped: as ".km" (750
// lines of four units) and as LRC (3,000 lines of one unit). Through the
// editor means the file read or written on disk and the document filled
// into the real RichEdit window of a main window, with blanks and colours,
// as Open does; alone means the portable reader and writer on bytes in
// memory with a text window in memory. Prints figures; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "editor/formats/editor_formats.h"
#include "editor/formats/memory_text_window.h"
#include "editor/lyrics_text_access.h"
#include "editor/main_window.h"
#include "editor/rich_text_window.h"
#include "bench/bench_support.h"
#include "editor/safe_file_save.h"
#include "lyrics/read_whole_file.h"
#include "lyrics/text_encoding.h"

namespace {

constexpr int kEditorRounds = 5;
constexpr int kPortableRounds = 100;
constexpr int kCharacters = 30000;

template <class Step>
double BestSeconds(int rounds, Step step) {
  double best = 1e9;
  for (int round = 0; round < rounds; ++round) {
    const double begin = NowSeconds();
    step();
    const double seconds = NowSeconds() - begin;
    if (seconds < best) best = seconds;
  }
  return best;
}

// A document, its pairs and a text window, starting as the empty template.
struct Song {
  explicit Song(TextWindow& shown)
      : text(IsLyricsLeadByte),
        document{text, timestamps, shown, IsLyricsLeadByte, ConvertMarkedTextToAnsi} {
    ResetToTemplate(document);
  }
  LyricsDocument text;
  TimestampList timestamps;
  EditorDocument document;
};

// `lines` distinct lines of `unitsPerLine` units; every unit stamped.
void MakeLyrics(Song& song, int lines, int unitsPerLine) {
  const int lineLength = kCharacters / lines - 1;
  std::string lyrics;
  for (int line = 0; line < lines; ++line) {
    char number[16];
    std::snprintf(number, sizeof number, "%04d", line);
    std::string text = number;
    while (static_cast<int>(text.size()) < lineLength) text += text.size() % 5 == 4 ? ' ' : 'a';
    lyrics += text + '\r';
  }
  const int32_t start = song.text.LyricsStart();
  song.text.ReplaceRange(start, start, lyrics.c_str(), static_cast<int32_t>(lyrics.size()),
                         EditLog::kNone);
  for (int line = 0; line < lines; ++line) {
    for (int unit = 1; unit < unitsPerLine; ++unit) {
      song.text.SetSyncpoint(start + line * (lineLength + 1) + unit * lineLength / unitsPerLine,
                             false);
    }
  }
  for (int32_t unit = 0; unit < song.text.UnitCount(); ++unit) {
    song.timestamps.Insert(unit * 100, unit * 100 + 90);
  }
}

using Writer = bool (*)(const LyricsDocument&, const TimestampList&, OwnedBuffer*);
using Reader = bool (*)(OwnedBuffer, EditorDocument&);

void Report(const char* what, size_t bytes, double seconds) {
  std::printf("  %-28s %8.1f ms  %8.1f MB/s\n", what, seconds * 1e3,
              static_cast<double>(bytes) / seconds / 1e6);
}

void Measure(HWND richEdit, const char* name, const char* path, int lines, int unitsPerLine,
             Writer write, Reader read) {
  MemoryTextWindow unseen(IsLyricsLeadByte);
  Song song(unseen);
  MakeLyrics(song, lines, unitsPerLine);
  OwnedBuffer file;
  if (!write(song.text, song.timestamps, &file) || !SaveFileSafely(path, file.data(), file.size())) {
    std::printf("%s: could not be written\n", name);
    return;
  }

  // Through the editor: the file on disk read into the RichEdit window,
  // and apart from that the emptying that Open, New and Close do first.
  RichTextWindow window(richEdit, 0x00FFCC00, 0x0000CCFF);
  Song opened(window);
  bool ok = true;
  double emptying = 1e9;
  double opening = 1e9;
  for (int round = 0; round < kEditorRounds; ++round) {
    const double begin = NowSeconds();
    window.ShowEmptyDocument();
    opened.text.ReplaceRange(0, opened.text.Length(), kEmptyDocumentText, kEmptyDocumentLength,
                             EditLog::kNone);
    opened.timestamps.Clear();
    const double emptied = NowSeconds();
    // From the second round on the window holds the song.
    if (round > 0) emptying = std::min(emptying, emptied - begin);
    OwnedBuffer bytes;
    ok = ok && ReadWholeFile(path, bytes) == LoadStatus::Loaded &&
         read(std::move(bytes), opened.document);
    opening = std::min(opening, NowSeconds() - emptied);
  }
  // The window must show the document that was opened.
  ok = ok && WindowShowsModel(richEdit, opened.text) &&
       opened.timestamps.Count() == song.timestamps.Count();
  const double saving = BestSeconds(kEditorRounds, [&] {
    OwnedBuffer bytes;
    ok = ok && write(opened.text, opened.timestamps, &bytes) &&
         SaveFileSafely(path, bytes.data(), bytes.size());
  });

  // The portable code alone.
  MemoryTextWindow memory(IsLyricsLeadByte);
  Song reader(memory);
  const double reading = BestSeconds(kPortableRounds, [&] {
    ResetToTemplate(reader.document);
    OwnedBuffer copy;
    ok = ok && copy.Assign(file.data(), file.size()) && read(std::move(copy), reader.document);
  });
  const double writing = BestSeconds(kPortableRounds, [&] {
    OwnedBuffer bytes;
    ok = ok && write(song.text, song.timestamps, &bytes);
  });

  std::printf("%s: %d characters, %d units, %d pairs, %zu bytes%s\n", name,
              song.text.Length() - song.text.LyricsStart(), song.text.UnitCount(),
              song.timestamps.Count(), file.size(), ok ? "" : "  (A STEP FAILED)");
  Report("empty the editor holding it", file.size(), emptying);
  Report("open through the editor", file.size(), opening);
  Report("save through the editor", file.size(), saving);
  Report("portable reader alone", file.size(), reading);
  Report("portable writer alone", file.size(), writing);
}

// A plain-text file of the same size (3,000 lines, CR LF), opened through
// the editor; text has no writer.
void MeasureText(HWND richEdit, const char* path) {
  std::string text;
  for (int line = 0; line < 3000; ++line) {
    char number[16];
    std::snprintf(number, sizeof number, "%04d\tab\xe9" "d\r\n", line);
    text += number;
  }
  if (!SaveFileSafely(path, text.data(), text.size())) return;
  RichTextWindow window(richEdit, 0x00FFCC00, 0x0000CCFF);
  Song opened(window);
  bool ok = true;
  double opening = 1e9;
  for (int round = 0; round < kEditorRounds; ++round) {
    window.ShowEmptyDocument();
    opened.text.ReplaceRange(0, opened.text.Length(), kEmptyDocumentText, kEmptyDocumentLength,
                             EditLog::kNone);
    const double begin = NowSeconds();
    OwnedBuffer bytes;
    ok = ok && ReadWholeFile(path, bytes) == LoadStatus::Loaded &&
         OpenTextFile(std::move(bytes), opened.document);
    opening = std::min(opening, NowSeconds() - begin);
  }
  ok = ok && WindowShowsModel(richEdit, opened.text) && opened.text.UnitCount() == 3000;
  std::printf("text: %d characters, %d units, %zu bytes%s\n",
              opened.text.Length() - opened.text.LyricsStart(), opened.text.UnitCount(),
              text.size(), ok ? "" : "  (A STEP FAILED)");
  Report("open through the editor", text.size(), opening);
}

}  // namespace

int main() {
  HMODULE richEditLibrary = LoadLibraryA("riched20.dll");
  if (!richEditLibrary) return 1;
  EditorMainWindow editor;
  if (!editor.Create(GetModuleHandleA(nullptr))) return 1;
  ShowWindow(editor.window(), SW_SHOW);
  char folder[MAX_PATH];
  if (!GetTempPathA(MAX_PATH, folder)) return 1;
  const std::string km = std::string(folder) + "kmedit-bench.km";
  const std::string lrc = std::string(folder) + "kmedit-bench.lrc";
  std::printf("best of %d rounds through the editor, %d alone\n", kEditorRounds, kPortableRounds);
  Measure(editor.lyricsText(), ".km", km.c_str(), 750, 4, SaveKmFile, OpenKmFile);
  Measure(editor.lyricsText(), "LRC", lrc.c_str(), 3000, 1, SaveLrcFile, OpenLrcFile);
  const std::string txt = std::string(folder) + "kmedit-bench.txt";
  MeasureText(editor.lyricsText(), txt.c_str());
  DeleteFileA(txt.c_str());
  DeleteFileA(km.c_str());
  DeleteFileA(lrc.c_str());
  DestroyWindow(editor.window());
  FreeLibrary(richEditLibrary);
  return 0;
}
