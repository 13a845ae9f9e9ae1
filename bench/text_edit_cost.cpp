// What an edit of the lyrics text costs inside a real main window, at about
// 3,000 and 30,000 characters (lines of ten characters, one timing unit
// each): a character typed in the middle of a line (the lyrics model alone,
// and through the text window with its mirroring and colours), a syncpoint
// set at the top, which gives every unit below the other colour (the units
// in view at once, the rest on a timer: both times are printed), Enter
// before a syncpoint in the middle, and Undo of that. Prints figures;
// asserts nothing.
#include <windows.h>

#include <richedit.h>

#include <cstdio>
#include <string>
#include <utility>

#include "bench/bench_support.h"
#include "editor/editor_ids.h"
#include "editor/main_window.h"

namespace {

double NowMs() { return NowSeconds() * 1000.0; }

constexpr int kKeystrokes = 200;
constexpr int kHeaderLength = 35;

std::string Lines(int characters) {
  std::string text;
  while (static_cast<int>(text.size()) < characters) text += "abcdefghi\r";
  return text;
}

struct Costs {
  double modelKeystroke;
  double windowKeystroke;
  double recolourInView;
  double recolourAll;
  double enterBeforeSyncpoint;
  double undo;
};

// Runs the message loop until the units below the window have their colours.
void FinishColouring(const EditorMainWindow& editor) {
  MSG message;
  while (editor.recolouring()) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    // The first editor's window, destroyed, left a quit message behind.
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

Costs Measure(int characters) {
  Costs costs = {};
  const std::string lyrics = Lines(characters);
  const int middle = kHeaderLength + characters / 2 + 4;
  {
    LyricsDocument document(IsLyricsLeadByte);
    document.Initialise("Title: \rArtist: \rAlbum: \rEditor: \r\r");
    document.ReplaceRange(document.Length(), document.Length(), lyrics.c_str(),
                          static_cast<int32_t>(lyrics.size()), EditLog::kNone);
    const double start = NowMs();
    for (int i = 0; i < kKeystrokes; ++i) {
      document.ReplaceRange(middle, middle, "x", 1, EditLog::kRecordRecolour);
    }
    costs.modelKeystroke = (NowMs() - start) / kKeystrokes;
  }
  EditorMainWindow editor;
  if (!editor.Create(GetModuleHandleA(nullptr))) return costs;
  HWND text = editor.lyricsText();
  CHARRANGE end = {-1, -1};
  SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
  SendMessageA(text, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(lyrics.c_str()));
  CHARRANGE caret = {middle, middle};
  SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  double start = NowMs();
  for (int i = 0; i < kKeystrokes; ++i) SendMessageA(text, WM_CHAR, 'x', 1);
  costs.windowKeystroke = (NowMs() - start) / kKeystrokes;
  const int second = editor.document().LyricsStart() + 1;
  caret = CHARRANGE{second, second};
  SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  start = NowMs();
  SendMessageA(editor.window(), WM_COMMAND, ID_SET_SYNCPOINT, 0);
  costs.recolourInView = NowMs() - start;
  FinishColouring(editor);
  costs.recolourAll = NowMs() - start;
  if (!editor.document().IsSyncpointAt(second)) costs.recolourAll = -1;
  const int inMiddle = middle + 2;
  caret = CHARRANGE{inMiddle, inMiddle};
  SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  SendMessageA(editor.window(), WM_COMMAND, ID_SET_SYNCPOINT, 0);
  FinishColouring(editor);
  start = NowMs();
  SendMessageA(text, WM_KEYDOWN, VK_RETURN, 0);
  costs.enterBeforeSyncpoint = NowMs() - start;
  FinishColouring(editor);
  start = NowMs();
  SendMessageA(editor.window(), WM_COMMAND, ID_EDIT_UNDO, 0);
  costs.undo = NowMs() - start;
  FinishColouring(editor);
  DestroyWindow(editor.window());
  return costs;
}

}  // namespace

int main() {
  HMODULE richEdit = LoadLibraryA("riched20.dll");
  if (!richEdit) return 1;
  const Costs small = Measure(3000);
  const Costs large = Measure(30000);
  std::printf("characters  model key ms  window key ms  syncpoint: in view ms  all units ms"
              "  Enter before syncpoint ms  Undo ms\n");
  for (const auto& [characters, costs] : {std::pair{3000, small}, std::pair{30000, large}}) {
    std::printf("%10d  %12.4f  %13.4f  %21.1f  %12.1f  %25.1f  %7.1f\n", characters,
                costs.modelKeystroke, costs.windowKeystroke, costs.recolourInView,
                costs.recolourAll, costs.enterBeforeSyncpoint, costs.undo);
  }
  std::printf("window keystroke ratio 30,000 / 3,000: %.2f\n",
              large.windowKeystroke / small.windowKeystroke);
  FreeLibrary(richEdit);
  return 0;
}
