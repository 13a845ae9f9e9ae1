// The RichEdit window as the file readers fill it: random lyrics opened
// from ".km" bytes and from text must show exactly the opened document,
// blanks shown as the editor shows them, every unit in its colour and
// protected, whatever the rich text that carries them has to escape.
#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "editor/formats/editor_formats.h"
#include "editor/lyrics_text.h"
#include "editor/lyrics_text_access.h"
#include "editor/rich_text_window.h"
#include "lyrics/text_encoding.h"

namespace {

constexpr COLORREF kEven = 0x00FFCC00;
constexpr COLORREF kOdd = 0x0000CCFF;

std::string RandomLyrics(std::mt19937& random) {
  static const char kAlphabet[] = "ab \t\\{}\r\xe9_";
  std::string lyrics;
  const int length = static_cast<int>(random() % 160);
  for (int i = 0; i < length; ++i) lyrics += kAlphabet[random() % (sizeof kAlphabet - 1)];
  return lyrics;
}

CHARFORMATA FormatAt(HWND text, int p) {
  SelectText(text, p, p + 1);
  CHARFORMATA format = {};
  format.cbSize = sizeof format;
  SendMessageA(text, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return format;
}

// The window shows the document: its characters with the lyrics' blanks as
// the editor shows them, each unit in its parity's colour and protected.
void ExpectWindowShows(HWND text, const LyricsDocument& document, const std::string& what) {
  const std::vector<uint16_t> shown =
      CharacterCodes(ShownText(text, 0, TextCharacterCount(text)));
  ASSERT_EQ(static_cast<int>(shown.size()), document.Length()) << what;
  for (int p = 0; p < document.Length(); ++p) {
    uint16_t wanted = document.CharacterAt(p);
    if (p >= document.LyricsStart() && IsLyricsBlank(wanted)) {
      wanted = static_cast<unsigned char>(ShownBlank(document.CharacterAt(p - 1), wanted,
                                                     document.CharacterAt(p + 1),
                                                     document.IsSyncpointAt(p)));
    }
    ASSERT_EQ(shown[static_cast<size_t>(p)], wanted) << what << " at " << p;
  }
  for (int p = document.LyricsStart(); p < document.Length();) {
    const UnitParityEnd unit = document.UnitParityAndEnd(p);
    for (; p < unit.end; ++p) {
      const CHARFORMATA format = FormatAt(text, p);
      ASSERT_EQ(format.crTextColor, unit.parity ? kOdd : kEven) << what << " at " << p;
      ASSERT_TRUE(format.dwEffects & CFE_PROTECTED) << what << " at " << p;
    }
  }
}

TEST(RichTextWindow, RandomLyricsShowAsTheOpenedDocument) {
  HMODULE richEdit = LoadLibraryA("riched20.dll");
  ASSERT_NE(richEdit, nullptr);
  HWND text = CreateWindowExA(0, "RichEdit20A", "", WS_POPUP | ES_MULTILINE, 0, 0, 400, 300,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(text, nullptr);
  std::mt19937 random(15);
  for (int round = 0; round < 40; ++round) {
    const std::string lyrics = RandomLyrics(random);
    const std::string what = "round " + std::to_string(round) + ": \"" + lyrics + "\"";
    // The file: the lyrics with random syncpoints and a pair for each unit,
    // or the lyrics as text with some lines ended by CR LF.
    OwnedBuffer file;
    if (round % 2 == 0) {
      LyricsDocument source(IsLyricsLeadByte);
      ASSERT_TRUE(source.Initialise(kEmptyDocumentText));
      source.ReplaceRange(source.LyricsStart(), source.LyricsStart(), lyrics.c_str(),
                          static_cast<int32_t>(lyrics.size()), EditLog::kNone);
      for (int32_t p = source.LyricsStart(); p < source.Length(); ++p) {
        if (random() % 4 == 0) source.SetSyncpoint(p, false);
      }
      TimestampList pairs;
      for (int32_t unit = 0; unit < source.UnitCount(); ++unit) pairs.Insert(unit * 10, unit * 10 + 5);
      ASSERT_TRUE(SaveKmFile(source, pairs, &file)) << what;
    } else {
      std::string bytes;
      for (char c : lyrics) bytes += c == '\r' && random() % 2 ? std::string("\r\n") : std::string(1, c);
      ASSERT_TRUE(file.Assign(bytes.data(), bytes.size()));
    }
    RichTextWindow window(text, kEven, kOdd);
    LyricsDocument opened(IsLyricsLeadByte);
    TimestampList openedPairs;
    EditorDocument target{opened, openedPairs, window, IsLyricsLeadByte, ConvertMarkedTextToAnsi};
    ASSERT_TRUE(ResetToTemplate(target));
    ASSERT_TRUE(round % 2 == 0 ? OpenKmFile(std::move(file), target)
                               : OpenTextFile(std::move(file), target))
        << what;
    ExpectWindowShows(text, opened, what);
  }
  DestroyWindow(text);
  FreeLibrary(richEdit);
}

}  // namespace
