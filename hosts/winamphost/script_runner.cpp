#include "hosts/winamphost/script_runner.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/bmp/picture_capture.h"

namespace {

WinampHost* scriptHost = nullptr;
std::vector<ScriptStep> pending;
size_t next = 0;
uint32_t startTime = 0;
UINT_PTR timer = 0;
bool failed = false;

int Number(const ScriptStep& step, size_t index, int fallback) {
  return index < step.arguments.size() ? std::atoi(step.arguments[index].c_str()) : fallback;
}

std::string Text(const ScriptStep& step, size_t index) {
  return index < step.arguments.size() ? step.arguments[index] : std::string();
}

void Fail(const ScriptStep& step, const char* what) {
  std::fprintf(stderr, "winamphost: at %u ms, %s: %s\n", step.at, step.command.c_str(), what);
  failed = true;
}

// Makes the folders on the way to `path`.
void MakeParentFolders(const std::string& path) {
  for (size_t i = 1; i < path.size(); ++i) {
    if (path[i] == '/' || path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  }
}

void PressAltArrow(WinampHost& host, WORD arrow) {
  SetForegroundWindow(host.mainWindow);
  SetFocus(host.mainWindow);
  INPUT keys[4] = {};
  const WORD codes[4] = {VK_MENU, arrow, arrow, VK_MENU};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    if (codes[i] == arrow) keys[i].ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  }
  SendInput(4, keys, sizeof(INPUT));
}

void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

// Opens the main window's pop-up as a right click does, and closes it.
void OpenPopup(WinampHost& host) {
  SetTimer(nullptr, 0, 300, EndMenuSoon);
  POINT at = {40, 40};
  ClientToScreen(host.mainWindow, &at);
  TrackPopupMenu(GetSubMenu(host.mainMenu, 0), TPM_RIGHTBUTTON, at.x, at.y, 0, host.mainWindow,
                 nullptr);
}

void DragSlider(WinampHost& host, int32_t ms) {
  const int x = SliderXFor(host, ms);
  const LPARAM down = MAKELPARAM(kSliderLeft + 1, (kSliderTop + kSliderBottom) / 2);
  const LPARAM up = MAKELPARAM(x, (kSliderTop + kSliderBottom) / 2);
  PostMessageA(host.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, down);
  PostMessageA(host.mainWindow, WM_MOUSEMOVE, MK_LBUTTON, up);
  PostMessageA(host.mainWindow, WM_LBUTTONUP, 0, up);
}

bool WriteReport(WinampHost& host, const std::string& path) {
  MakeParentFolders(path);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  HWND frame = host.frames.empty() ? nullptr : host.frames[0];
  RECT r = {};
  if (frame) GetWindowRect(frame, &r);
  char title[64] = {};
  if (frame) GetWindowTextA(frame, title, sizeof title);
  std::fprintf(file, "frames %d\nframe_visible %d\nframe_rect %ld %ld %ld %ld\n",
               host.embedCalls, frame && IsWindowVisible(frame) ? 1 : 0, r.left, r.top, r.right,
               r.bottom);
  std::fprintf(file, "frame_title %s\nplugin_window %d\nmenu", title,
               FirstPluginWindow(host) ? 1 : 0);
  HMENU popup = GetSubMenu(host.mainMenu, 0);
  for (int i = 0; i < GetMenuItemCount(popup); ++i) {
    char text[64] = {};
    GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
    std::fprintf(file, " %s", text[0] ? text : "|");
  }
  std::fprintf(file, "\n");
  return std::fclose(file) == 0;
}

void RunStep(WinampHost& host, const ScriptStep& step) {
  const std::string& c = step.command;
  if (c == "add") {
    AddToPlaylist(host, Text(step, 0), Number(step, 1, -1));
  } else if (c == "play" || c == "playfile") {
    PlayEntry(host, Number(step, 0, 0), c == "playfile");
  } else if (c == "pos") {
    SetClockPosition(host, Number(step, 0, 0));
  } else if (c == "rate") {
    SetClockRate(host, Number(step, 0, 1));
  } else if (c == "length") {
    if (!host.playlist.empty()) host.playlist[host.current].lengthSeconds = Number(step, 0, -1);
  } else if (c == "seek") {
    SendMessageA(host.mainWindow, WM_WA_IPC, Number(step, 0, 0), IPC_JUMPTOTIME);
  } else if (c == "slider") {
    DragSlider(host, Number(step, 0, 0));
  } else if (c == "pause" || c == "resume") {
    PausePlayback(host, c == "pause");
  } else if (c == "stop") {
    StopPlayback(host);
  } else if (c == "notify") {
    SendMessageA(host.mainWindow, WM_WA_IPC, 0, Number(step, 0, 0));
  } else if (c == "key") {
    PressAltArrow(host, Text(step, 0) == "right" ? VK_RIGHT : VK_LEFT);
  } else if (c == "popup") {
    OpenPopup(host);
  } else if (c == "pick") {
    PostMessageA(host.mainWindow, WM_COMMAND, Number(step, 0, 0), 0);
  } else if (c == "close") {
    if (HWND frame = host.frames.empty() ? nullptr : host.frames[0]) {
      PostMessageA(frame, WM_CLOSE, 0, 0);
    }
  } else if (c == "save") {
    const std::string path = Text(step, 0);
    MakeParentFolders(path);
    if (!SaveWindowBitmap(FirstPluginWindow(host), path.c_str())) Fail(step, "not saved");
  } else if (c == "report") {
    if (!WriteReport(host, Text(step, 0))) Fail(step, "not written");
  } else if (c == "quit") {
    CloseWinampHost(host);
  }
}

void CALLBACK RunDueSteps(HWND, UINT, UINT_PTR, DWORD) {
  // A step may run a modal loop (popup) that calls this again: each step
  // is taken off the list before it runs.
  while (scriptHost && next < pending.size() && GetTickCount() - startTime >= pending[next].at) {
    const ScriptStep step = pending[next++];
    RunStep(*scriptHost, step);
  }
  if (next >= pending.size() && timer) {
    KillTimer(nullptr, timer);
    timer = 0;
  }
}

}  // namespace

void StartScript(WinampHost& host, const std::vector<ScriptStep>& steps) {
  scriptHost = &host;
  pending = steps;
  next = 0;
  failed = false;
  startTime = GetTickCount();
  timer = SetTimer(nullptr, 0, 5, RunDueSteps);
}

bool ScriptFailed() { return failed; }
