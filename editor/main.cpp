// kmedit: the lyrics editor. One instance at a time: a second start only
// brings the running editor's window back and ends.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "editor/main_window.h"

namespace {

constexpr char kInstanceMutexName[] = "SingleKMEditInstance";
constexpr char kRichEditLibrary[] = "riched20.dll";

// Restores the window of the editor that already runs; true when one runs.
bool ShowRunningEditor() {
  HANDLE running = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kInstanceMutexName);
  if (!running) return false;
  CloseHandle(running);
  if (HWND window = FindWindowA(kMainWindowClass, nullptr)) ShowWindow(window, SW_RESTORE);
  return true;
}

// The named mutex, owned from creation to the end of the message loop.
class InstanceMutex {
 public:
  InstanceMutex() : handle_(CreateMutexA(nullptr, TRUE, kInstanceMutexName)) {}
  ~InstanceMutex() {
    if (!handle_) return;
    ReleaseMutex(handle_);
    CloseHandle(handle_);
  }
  InstanceMutex(const InstanceMutex&) = delete;
  InstanceMutex& operator=(const InstanceMutex&) = delete;
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_;
};

class Library {
 public:
  explicit Library(const char* name) : module_(LoadLibraryA(name)) {}
  ~Library() {
    if (module_) FreeLibrary(module_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  explicit operator bool() const { return module_ != nullptr; }

 private:
  HMODULE module_;
};

WPARAM RunMessageLoop(EditorMainWindow& editor) {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (editor.PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    editor.AfterDispatch(message);
  }
  return message.wParam;
}

int RunEditor(EditorMainWindow& editor, HINSTANCE instance, int showCommand) {
  if (ShowRunningEditor()) return 0;
  InstanceMutex mutex;
  if (!mutex) return 0;
  INITCOMMONCONTROLSEX controls = {sizeof controls, 0};
  InitCommonControlsEx(&controls);
  Library richEdit(kRichEditLibrary);
  if (!richEdit) return 0;
  if (!editor.Create(instance)) return 0;
  ShowWindow(editor.window(), showCommand);
  UpdateWindow(editor.window());
  // COM is needed only by the audio engine, which starts after the window.
  const HRESULT com = CoInitialize(nullptr);
  const WPARAM exitCode = RunMessageLoop(editor);
  // A quit that did not come from the exit procedure leaves the window; it
  // goes before the RichEdit library that draws its text is freed.
  if (IsWindow(editor.window())) DestroyWindow(editor.window());
  if (SUCCEEDED(com)) CoUninitialize();
  return static_cast<int>(exitCode);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  EditorMainWindow editor;
  return RunEditor(editor, instance, showCommand);
}
