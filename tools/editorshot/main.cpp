// editorshot [--editor PATH] [--delay MS] [--lyrics FILE] [--audio FILE]
//            [--save-as FILE] OUT.bmp
// Starts the editor (by default the one built beside this tool), waits for
// its main window, opens the lyrics FILE through File Open and the audio
// FILE through Audio Open and plays it, when asked, brings the window to
// the front, lets it settle for MS milliseconds (1000), saves the window's
// client area (everything but the frame and caption, which belong to the
// window manager) as it shows on the screen to OUT.bmp, saves the lyrics
// through Save As when asked, and closes the editor, answering No if it
// asks to save. Exit code 0 on success, 1 when the
// editor did not show or close, or the picture could not be saved, 2 on
// wrong usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/tests/harness/dialog_driver.h"
#include "editor/tests/harness/editor_process.h"
#include "editor/tests/harness/screen_picture.h"
#include "editor/tests/harness/user_input.h"

namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 20000;

struct Options {
  const char* editor = KMEDIT_PATH;
  DWORD delayMs = 1000;
  const char* out = nullptr;
  const char* audio = nullptr;
  const char* lyrics = nullptr;
  const char* saveAs = nullptr;
};

constexpr UINT kFileOpenCommand = 57601;
constexpr UINT kFileSaveAsCommand = 57604;
constexpr UINT kAudioOpenCommand = 32773;
constexpr UINT kPlayCommand = 32774;
constexpr DWORD kDialogTimeoutMs = 20000;
// Decoding the sample song takes a fraction of a second; this leaves room.
constexpr DWORD kDecodeWaitMs = 3000;
// Reading or writing a lyrics file.
constexpr DWORD kSettleMs = 500;

// The command's file dialog answered with FILE; false when the dialog did
// not come or the editor then had something to say (a failure).
bool RunFileCommand(EditorProcess& editor, UINT command, const char* file, DWORD settleMs) {
  PostMessageA(editor.mainWindow(), WM_COMMAND, command, 0);
  HWND dialog = editor.WaitForDialog(kDialogTimeoutMs);
  if (!dialog || !EnterDialogFileName(dialog, file) || !ClickDialogButton(dialog, IDOK)) {
    return false;
  }
  Sleep(settleMs);
  if (HWND message = editor.WaitForDialog(0)) {
    std::fprintf(stderr, "editorshot: the editor says: %s\n", DialogStaticText(message).c_str());
    return false;
  }
  return true;
}

// Audio Open with FILE, then Play once decoded.
bool OpenAndPlay(EditorProcess& editor, const char* file) {
  if (!RunFileCommand(editor, kAudioOpenCommand, file, kDecodeWaitMs)) return false;
  PostMessageA(editor.mainWindow(), WM_COMMAND, kPlayCommand, 0);
  return true;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--editor") == 0 && i + 1 < argc) {
      options.editor = argv[++i];
    } else if (std::strcmp(argv[i], "--delay") == 0 && i + 1 < argc) {
      options.delayMs = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));
    } else if (std::strcmp(argv[i], "--audio") == 0 && i + 1 < argc) {
      options.audio = argv[++i];
    } else if (std::strcmp(argv[i], "--lyrics") == 0 && i + 1 < argc) {
      options.lyrics = argv[++i];
    } else if (std::strcmp(argv[i], "--save-as") == 0 && i + 1 < argc) {
      options.saveAs = argv[++i];
    } else if (argv[i][0] != '-' && !options.out) {
      options.out = argv[i];
    } else {
      return false;
    }
  }
  return options.out != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: editorshot [--editor PATH] [--delay MS] [--lyrics FILE] [--audio FILE]"
                 " [--save-as FILE] OUT.bmp\n");
    return 2;
  }
  EditorProcess editor;
  if (!editor.Start(options.editor) || !editor.WaitForMainWindow(kStartTimeoutMs)) {
    std::fprintf(stderr, "editorshot: %s did not show its window\n", options.editor);
    return 1;
  }
  if (options.lyrics && !RunFileCommand(editor, kFileOpenCommand, options.lyrics, kSettleMs)) {
    std::fprintf(stderr, "editorshot: cannot open %s\n", options.lyrics);
    editor.CloseDiscardingChanges(kExitTimeoutMs);
    return 1;
  }
  if (options.audio && !OpenAndPlay(editor, options.audio)) {
    std::fprintf(stderr, "editorshot: cannot open and play %s\n", options.audio);
    editor.CloseDiscardingChanges(kExitTimeoutMs);
    return 1;
  }
  BringToForeground(editor.mainWindow());
  Sleep(options.delayMs);
  const bool saved = SaveScreenClient(editor.mainWindow(), options.out);
  if (!saved) std::fprintf(stderr, "editorshot: cannot save %s\n", options.out);
  const bool savedLyrics =
      !options.saveAs || RunFileCommand(editor, kFileSaveAsCommand, options.saveAs, kSettleMs);
  if (!savedLyrics) std::fprintf(stderr, "editorshot: cannot save the lyrics as %s\n", options.saveAs);
  const bool closed = editor.CloseDiscardingChanges(kExitTimeoutMs);
  if (!closed) std::fprintf(stderr, "editorshot: the editor did not close\n");
  if (saved) std::printf("%s\n", options.out);
  return saved && savedLyrics && closed ? 0 : 1;
}
