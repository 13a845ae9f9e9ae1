// What an edit of the lyrics text costs inside a real main window, at about
// 3,000 and 30,000 characters (lines of ten characters, one timing unit
// each): a character typed in the middle of a line (the lyrics model alone,
// and through the text window with its mirroring and colours), and a
// syncpoint set at the top, which recolours every unit. Prints figures;
// asserts nothing.
#include <windows.h>

#include <richedit.h>

#include <cstdio>
#include <string>

#include "editor/editor_ids.h"
#include "editor/main_window.h"

namespace {

constexpr int kKeystrokes = 200;
constexpr int kHeaderLength = 35;

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::string Lines(int characters) {
  std::string text;
  while (static_cast<int>(text.size()) < characters) text += "abcdefghi\r";
  return text;
}

struct Costs {
  double modelKeystroke;
  double windowKeystroke;
  double recolourAll;
};

Costs Measure(int characters) {
  Costs costs = {};
  const std::string lyrics = Lines(characters);
  const int middle = kHeaderLength + characters / 2 + 4;
  {
    LyricsDocument document(IsLyricsLeadByte);
    document.Initialise("Title: \rArtist: \rAlbum: \rEditor: \r\r");
    document.ReplaceRange(document.Length(), document.Length(), lyrics.c_str(),
                          static_cast<int32_t>(lyrics.size()), EditLog::kNone);
    const double start = Now();
    for (int i = 0; i < kKeystrokes; ++i) {
      document.ReplaceRange(middle, middle, "x", 1, EditLog::kRecordRecolour);
    }
    costs.modelKeystroke = (Now() - start) / kKeystrokes;
  }
  EditorMainWindow editor;
  if (!editor.Create(GetModuleHandleA(nullptr))) return costs;
  HWND text = editor.lyricsText();
  CHARRANGE end = {-1, -1};
  SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
  SendMessageA(text, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(lyrics.c_str()));
  CHARRANGE caret = {middle, middle};
  SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  double start = Now();
  for (int i = 0; i < kKeystrokes; ++i) SendMessageA(text, WM_CHAR, 'x', 1);
  costs.windowKeystroke = (Now() - start) / kKeystrokes;
  const int second = editor.document().LyricsStart() + 1;
  caret = CHARRANGE{second, second};
  SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  start = Now();
  SendMessageA(editor.window(), WM_COMMAND, ID_SET_SYNCPOINT, 0);
  costs.recolourAll = Now() - start;
  if (!editor.document().IsSyncpointAt(second)) costs.recolourAll = -1;
  DestroyWindow(editor.window());
  return costs;
}

}  // namespace

int main() {
  HMODULE richEdit = LoadLibraryA("riched20.dll");
  if (!richEdit) return 1;
  const Costs small = Measure(3000);
  const Costs large = Measure(30000);
  std::printf("characters  model keystroke ms  window keystroke ms  recolour all ms\n");
  std::printf("%10d  %18.4f  %19.4f  %15.1f\n", 3000, small.modelKeystroke,
              small.windowKeystroke, small.recolourAll);
  std::printf("%10d  %18.4f  %19.4f  %15.1f\n", 30000, large.modelKeystroke,
              large.windowKeystroke, large.recolourAll);
  std::printf("window keystroke ratio 30,000 / 3,000: %.2f\n",
              large.windowKeystroke / small.windowKeystroke);
  FreeLibrary(richEdit);
  return 0;
}
