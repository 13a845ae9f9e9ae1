// Prints how fast the editor's readers and writers go on a song of 30,000
// characters in 3,000 units, every unit stamped: as ".km" (750 lines of
// four units) and as LRC (3,000 lines of one unit). The readers fill the
// document, the pairs and a text window in memory. Asserts nothing.
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

#include "editor/formats/document_fill.h"
#include "editor/formats/editor_formats.h"
#include "editor/formats/memory_text_window.h"
#include "lyrics/text_encoding.h"

namespace {

constexpr int kRounds = 200;

struct Editor {
  Editor() : text(NoLeadBytes), window(NoLeadBytes), document{text, timestamps, window, NoLeadBytes, ConvertMarkedTextToAnsi} {
    ResetToTemplate(document);
  }
  LyricsDocument text;
  TimestampList timestamps;
  MemoryTextWindow window;
  EditorDocument document;
};

// `lines` distinct lines of `unitsPerLine` units, 30,000 characters in all
// with the line breaks, each unit stamped.
void MakeSong(Editor& editor, int lines, int unitsPerLine) {
  const int lineLength = 30000 / lines - 1;
  std::string lyrics;
  for (int line = 0; line < lines; ++line) {
    // Every line a text of its own, words of four letters.
    for (int c = 0, n = line; c < lineLength; ++c, n /= 26) {
      lyrics += static_cast<char>(c % 5 == 4 ? ' ' : 'a' + (n + c) % 26);
    }
    lyrics += '\r';
  }
  const int32_t start = editor.text.LyricsStart();
  editor.window.ReplaceText(start, start, lyrics.c_str());
  editor.text.ReplaceRange(start, start, lyrics.c_str(), CountCharacters(lyrics.c_str(), NoLeadBytes),
                           EditLog::kNone);
  for (int line = 0; line < lines; ++line) {
    for (int unit = 1; unit < unitsPerLine; ++unit) {
      editor.text.SetSyncpoint(start + line * (lineLength + 1) + unit * lineLength / unitsPerLine, false);
    }
  }
  for (int32_t unit = 0; unit < editor.text.UnitCount(); ++unit) editor.timestamps.Insert(unit * 100, unit * 100 + 90);
}

template <class Step>
double Seconds(Step step) {
  double best = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    const auto begin = std::chrono::steady_clock::now();
    step();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (seconds < best) best = seconds;
  }
  return best;
}

void Report(const char* what, size_t bytes, double seconds) {
  std::printf("%-10s %7zu bytes  %8.3f ms  %7.1f MB/s\n", what, bytes, seconds * 1e3,
              static_cast<double>(bytes) / seconds / 1e6);
}

void Measure(const char* name, int lines, int unitsPerLine,
             bool (*save)(const LyricsDocument&, const TimestampList&, OwnedBuffer*),
             bool (*open)(OwnedBuffer, EditorDocument&)) {
  Editor song;
  MakeSong(song, lines, unitsPerLine);
  OwnedBuffer file;
  const double saving = Seconds([&] { save(song.text, song.timestamps, &file); });
  Editor reader;
  const double opening = Seconds([&] {
    OwnedBuffer copy;
    copy.Assign(file.data(), file.size());
    open(std::move(copy), reader.document);
  });
  std::printf("%s: %d characters, %d units, %d pairs; reopened: %d characters, %d units\n", name,
              song.text.Length() - song.text.LyricsStart(), song.text.UnitCount(), song.timestamps.Count(),
              reader.text.Length() - reader.text.LyricsStart(), reader.text.UnitCount());
  Report("  save", file.size(), saving);
  Report("  open", file.size(), opening);
}

}  // namespace

int main() {
  std::printf("best of %d rounds\n", kRounds);
  Measure(".km", 750, 4, SaveKmFile, OpenKmFile);
  Measure("LRC", 3000, 1, SaveLrcFile, OpenLrcFile);
  return 0;
}
