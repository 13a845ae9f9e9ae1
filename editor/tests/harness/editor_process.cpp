#include "editor/tests/harness/editor_process.h"

#include "editor/tests/harness/dialog_driver.h"

namespace {

struct WindowQuery {
  DWORD processId;
  const char* className;
  HWND other;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
  auto& query = *reinterpret_cast<WindowQuery*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != query.processId || hwnd == query.other || !IsWindowVisible(hwnd)) return TRUE;
  if (query.className) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpA(name, query.className) != 0) return TRUE;
  }
  query.found = hwnd;
  return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const char* className, HWND other) {
  WindowQuery query = {processId, className, other, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

EditorProcess::~EditorProcess() {
  if (!process_.hProcess) return;
  if (IsRunning()) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool EditorProcess::Start(const char* path) {
  if (process_.hProcess) return false;
  std::string commandLine = std::string("\"") + path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_) != 0;
}

HWND EditorProcess::WaitForMainWindow(DWORD timeoutMs) {
  mainWindow_ = WaitFor(timeoutMs, [&] { return FindProcessWindow(id(), "KMEditMWnd"); });
  return mainWindow_;
}

HWND EditorProcess::WaitForDialog(DWORD timeoutMs, HWND other) const {
  return WaitFor(timeoutMs, [&] { return FindProcessWindow(id(), "#32770", other); });
}

bool EditorProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    return false;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  if (exitCode) *exitCode = code;
  return true;
}

bool EditorProcess::IsRunning() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool EditorProcess::CloseDiscardingChanges(DWORD timeoutMs, DWORD* exitCode) {
  if (!IsRunning()) return WaitForExit(0, exitCode);
  PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    if (WaitForExit(100, exitCode)) return true;
    if (HWND prompt = FindProcessWindow(id(), "#32770")) ClickDialogButton(prompt, IDNO);
  }
  return false;
}
