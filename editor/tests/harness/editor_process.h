// A kmedit.exe started by a test or a tool, seen from outside as a user
// sees it: its windows, its dialogs and its exit code. The process is ended
// when the object goes while it still runs.
#pragma once

#include <windows.h>

#include <string>

class EditorProcess {
 public:
  EditorProcess() = default;
  ~EditorProcess();
  EditorProcess(const EditorProcess&) = delete;
  EditorProcess& operator=(const EditorProcess&) = delete;

  // Starts the program at `path` (a Windows path) with no arguments.
  bool Start(const char* path);
  // The visible main window ("KMEditMWnd") of this process once it shows,
  // or null after `timeoutMs`.
  HWND WaitForMainWindow(DWORD timeoutMs);
  HWND mainWindow() const { return mainWindow_; }

  // A visible dialog (#32770: message box, common dialog, About box) of this
  // process other than `other`, or null after `timeoutMs`.
  HWND WaitForDialog(DWORD timeoutMs, HWND other = nullptr) const;

  // Waits for the process to end and reads its exit code; false when it
  // still runs after `timeoutMs`.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
  bool IsRunning() const;
  // Closes the main window as a user would and answers No when the editor
  // asks to save; true when the process ended within `timeoutMs`.
  bool CloseDiscardingChanges(DWORD timeoutMs, DWORD* exitCode = nullptr);

  HANDLE handle() const { return process_.hProcess; }
  DWORD id() const { return process_.dwProcessId; }

 private:
  PROCESS_INFORMATION process_ = {};
  HWND mainWindow_ = nullptr;
};

// Top-level visible windows of class `className` (null: any class) that
// belong to process `processId`, other than `other`; the first found.
HWND FindProcessWindow(DWORD processId, const char* className, HWND other = nullptr);

// Calls `probe` every 20 ms until it returns non-null or `timeoutMs` pass.
template <typename Probe>
auto WaitFor(DWORD timeoutMs, Probe probe) -> decltype(probe()) {
  const DWORD start = GetTickCount();
  for (;;) {
    auto found = probe();
    if (found || GetTickCount() - start >= timeoutMs) return found;
    Sleep(20);
  }
}
