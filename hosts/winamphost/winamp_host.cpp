#include "hosts/winamphost/winamp_host.h"

#include <cstdio>

namespace {

const char kMainClass[] = "WinampHostMain";
const char kFrameClass[] = "WinampHostFrame";
WinampHost* activeHost = nullptr;
HINSTANCE hostInstance = nullptr;

uint32_t Now() { return GetTickCount(); }

// The frame fills with its plug-in window.
void FitChild(HWND frame) {
  HWND child = GetWindow(frame, GW_CHILD);
  RECT client;
  if (child && GetClientRect(frame, &client)) {
    MoveWindow(child, 0, 0, client.right, client.bottom, TRUE);
  }
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      FitChild(frame);
      return 0;
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_CREATE) FitChild(frame);
      return 0;
    case WM_SHOWWINDOW:
      if (wParam) FitChild(frame);
      break;
    case WM_CLOSE:
      // The frame's close button closes the window it embeds.
      if (HWND child = GetWindow(frame, GW_CHILD)) {
        SendMessageA(child, WM_CLOSE, 0, 0);
      } else {
        ShowWindow(frame, SW_HIDE);
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcA(frame, message, wParam, lParam);
}

HWND EmbedWindow(EmbedWindowState* state) {
  if (!activeHost || !state) return nullptr;
  ++activeHost->embedCalls;
  const RECT& r = state->r;
  HWND frame = CreateWindowExA(WS_EX_TOOLWINDOW, kFrameClass, "",
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                   WS_CLIPCHILDREN,
                               r.left, r.top, r.right - r.left, r.bottom - r.top,
                               activeHost->mainWindow, nullptr, hostInstance, nullptr);
  if (!frame) return nullptr;
  state->me = frame;
  activeHost->frames.push_back(frame);
  return frame;
}

const char* EntryName(WinampHost& host, WPARAM index) {
  if (index >= host.playlist.size()) return nullptr;
  return host.playlist[index].path.c_str();
}

LRESULT AnswerIpc(WinampHost& host, WPARAM wParam, LPARAM code) {
  switch (code) {
    case IPC_ISPLAYING:
      return HostPlayStatus(host);
    case IPC_GETOUTPUTTIME:
      if (wParam == 0) return HostOutputTime(host);
      return wParam == 1 ? HostTrackLength(host) : -1;
    case IPC_JUMPTOTIME:
      if (HostPlayStatus(host) == 0) return -1;
      SeekPlayback(host, static_cast<int32_t>(wParam));
      return 0;
    case IPC_GETLISTLENGTH:
      return static_cast<LRESULT>(host.playlist.size());
    case IPC_GETLISTPOS:
      return host.current;
    case IPC_GETPLAYLISTFILE:
      return reinterpret_cast<LRESULT>(EntryName(host, wParam));
    case IPC_GET_EMBEDIF:
      return reinterpret_cast<LRESULT>(EmbedWindow);
    default:
      return 0;
  }
}

void PaintMain(WinampHost& host, HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 255, 0));
  char line[320];
  const int32_t time = HostOutputTime(host);
  std::snprintf(line, sizeof line, "%d:%02d  %s", time < 0 ? 0 : time / 60000,
                time < 0 ? 0 : time / 1000 % 60,
                host.playlist.empty() ? "" : host.playlist[host.current].path.c_str());
  TextOutA(dc, 8, 8, line, lstrlenA(line));
  RECT track = {kSliderLeft, kSliderTop, kSliderRight + 1, kSliderBottom + 1};
  FillRect(dc, &track, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
  const int knob = host.sliderHeld ? host.sliderX : SliderXFor(host, time < 0 ? 0 : time);
  RECT knobRect = {knob - 4, kSliderTop, knob + 4, kSliderBottom + 1};
  FillRect(dc, &knobRect, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  EndPaint(window, &paint);
}

bool OnSlider(LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  return x >= kSliderLeft && x <= kSliderRight && y >= kSliderTop && y <= kSliderBottom;
}

void SliderRelease(WinampHost& host, int x) {
  const int length = HostTrackLength(host);
  if (length > 0 && HostPlayStatus(host) != 0) {
    const int64_t span = kSliderRight - kSliderLeft;
    SeekPlayback(host, static_cast<int32_t>(int64_t(x - kSliderLeft) * length * 1000 / span));
  }
}

void RunCommand(WinampHost& host, int command) {
  switch (command) {
    case kHostPlay:
      PlayEntry(host, host.current, false);
      break;
    case kHostPause:
      PausePlayback(host, HostPlayStatus(host) == 1);
      break;
    case kHostStop:
      StopPlayback(host);
      break;
    case kHostPrevious:
      if (host.current > 0) PlayEntry(host, host.current - 1, false);
      break;
    case kHostNext:
      if (host.current + 1 < int(host.playlist.size())) PlayEntry(host, host.current + 1, false);
      break;
    case kHostBack:
    case kHostForward: {
      const int32_t now = HostOutputTime(host);
      if (now >= 0) SeekPlayback(host, now + (command == kHostBack ? -5000 : 5000));
      break;
    }
    case kHostPluginSettings:
      if (!host.plugins.empty() && host.plugins[0].record->config) host.plugins[0].record->config();
      break;
    case kHostExit:
      CloseWinampHost(host);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WinampHost* host = reinterpret_cast<WinampHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    host = static_cast<WinampHost*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
    host->mainWindow = window;
  }
  if (!host) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_WA_IPC:
      return AnswerIpc(*host, wParam, lParam);
    case WM_PAINT:
      PaintMain(*host, window);
      return 0;
    case WM_LBUTTONDOWN:
      if (OnSlider(lParam)) {
        host->sliderHeld = true;
        host->sliderX = static_cast<short>(LOWORD(lParam));
        SetCapture(window);
      }
      return 0;
    case WM_MOUSEMOVE:
      if (host->sliderHeld) {
        int x = static_cast<short>(LOWORD(lParam));
        host->sliderX = x < kSliderLeft ? kSliderLeft : x > kSliderRight ? kSliderRight : x;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONUP:
      if (host->sliderHeld) {
        host->sliderHeld = false;
        ReleaseCapture();
        SliderRelease(*host, host->sliderX);
      }
      return 0;
    case WM_CAPTURECHANGED:
      host->sliderHeld = false;
      return 0;
    case WM_RBUTTONUP: {
      POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(window, &at);
      TrackPopupMenu(GetSubMenu(host->mainMenu, 0), TPM_RIGHTBUTTON, at.x, at.y, 0, window,
                     nullptr);
      return 0;
    }
    case WM_COMMAND:
      RunCommand(*host, LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      CloseWinampHost(*host);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      if (host->mainMenu) DestroyMenu(host->mainMenu);
      host->mainMenu = nullptr;
      host->mainWindow = nullptr;
      if (activeHost == host) activeHost = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HMENU MakeMainMenu() {
  HMENU bar = CreateMenu();
  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, kHostPlay, "&Play");
  AppendMenuA(popup, MF_STRING, kHostPause, "P&ause");
  AppendMenuA(popup, MF_STRING, kHostStop, "&Stop");
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_STRING, kHostPrevious, "Pre&vious");
  AppendMenuA(popup, MF_STRING, kHostNext, "&Next");
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_STRING, kHostBack, "Seek &back 5 s");
  AppendMenuA(popup, MF_STRING, kHostForward, "Seek &forward 5 s");
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_STRING, kHostPluginSettings, "Plug-in &settings...");
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_STRING, kHostExit, "E&xit");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "Main");
  return bar;
}

bool RegisterClasses(HINSTANCE instance) {
  WNDCLASSA main = {};
  main.lpfnWndProc = MainProc;
  main.hInstance = instance;
  main.hCursor = LoadCursor(nullptr, IDC_ARROW);
  main.lpszClassName = kMainClass;
  WNDCLASSA frame = main;
  frame.lpfnWndProc = FrameProc;
  frame.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  frame.lpszClassName = kFrameClass;
  WNDCLASSA existing;
  if (!GetClassInfoA(instance, kMainClass, &existing) && !RegisterClassA(&main)) return false;
  if (!GetClassInfoA(instance, kFrameClass, &existing) && !RegisterClassA(&frame)) return false;
  return true;
}

void StopDirectShow(WinampHost& host) {
  StopDirectShowPlayback(host.directShow);
  host.directShow = nullptr;
}

}  // namespace

bool CreateWinampHost(WinampHost& host, HINSTANCE instance, int x, int y) {
  if (activeHost || !RegisterClasses(instance)) return false;
  hostInstance = instance;
  activeHost = &host;
  host.mainMenu = MakeMainMenu();
  // Winamp's main window: 275 x 116 pixels of client area.
  RECT size = {0, 0, 275, 116};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&size, style, FALSE);
  HWND window = CreateWindowExA(0, kMainClass, "Winamp host", style, x, y, size.right - size.left,
                                size.bottom - size.top, nullptr, nullptr, instance, &host);
  if (!window) {
    activeHost = nullptr;
    return false;
  }
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return true;
}

bool AddPlugin(WinampHost& host, GeneralPurposePlugin* record, HINSTANCE module) {
  if (!record || !record->init) return false;
  record->hwndParent = host.mainWindow;
  record->hDllInstance = module;
  host.plugins.push_back({nullptr, record});
  record->init();
  return true;
}

int LoadPluginFolder(WinampHost& host, const char* folder) {
  std::string pattern = std::string(folder) + "\\gen_*.dll";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int loaded = 0;
  do {
    std::string path = std::string(folder) + "\\" + found.cFileName;
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) continue;
    auto get = reinterpret_cast<GetGeneralPurposePlugin>(
        reinterpret_cast<void*>(GetProcAddress(module, "winampGetGeneralPurposePlugin")));
    GeneralPurposePlugin* record = get ? get() : nullptr;
    if (!record || !AddPlugin(host, record, module)) {
      FreeLibrary(module);
      continue;
    }
    host.plugins.back().module = module;
    ++loaded;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return loaded;
}

void AddToPlaylist(WinampHost& host, const std::string& path, int lengthSeconds) {
  host.playlist.push_back({path, lengthSeconds});
}

void PlayEntry(WinampHost& host, int index, bool directShow) {
  if (index < 0 || index >= int(host.playlist.size())) return;
  StopDirectShow(host);
  host.current = index;
  PlaylistEntry& entry = host.playlist[index];
  if (directShow) {
    host.directShow = StartDirectShowPlayback(entry.path.c_str());
    if (host.directShow) {
      entry.lengthSeconds = DirectShowLength(host.directShow);
    } else {
      std::fprintf(stderr, "winamphost: DirectShow cannot play %s; using the script's clock\n",
                   entry.path.c_str());
    }
  }
  ClockStart(host.clock, Now());
  SendMessageA(host.mainWindow, WM_WA_IPC, reinterpret_cast<WPARAM>(entry.path.c_str()),
               IPC_PLAYING_FILE);
  InvalidateRect(host.mainWindow, nullptr, FALSE);
}

void PausePlayback(WinampHost& host, bool pause) {
  if (host.directShow) DirectShowPause(host.directShow, pause);
  if (pause) {
    ClockPause(host.clock, Now());
  } else {
    ClockResume(host.clock, Now());
  }
}

void StopPlayback(WinampHost& host) {
  StopDirectShow(host);
  ClockStop(host.clock);
  InvalidateRect(host.mainWindow, nullptr, FALSE);
}

void SeekPlayback(WinampHost& host, int32_t ms) {
  if (ms < 0) ms = 0;
  if (host.directShow) DirectShowSeek(host.directShow, ms);
  ClockSetPosition(host.clock, ms, Now());
  InvalidateRect(host.mainWindow, nullptr, FALSE);
}

void SetClockPosition(WinampHost& host, int32_t ms) { ClockSetPosition(host.clock, ms, Now()); }

void SetClockRate(WinampHost& host, int rate) { ClockSetRate(host.clock, rate, Now()); }

int HostPlayStatus(WinampHost& host) {
  return host.directShow ? DirectShowStatus(host.directShow) : host.clock.status;
}

int32_t HostOutputTime(WinampHost& host) {
  if (host.directShow) return DirectShowPosition(host.directShow);
  return ClockPosition(host.clock, Now());
}

int HostTrackLength(WinampHost& host) {
  if (host.playlist.empty() || HostPlayStatus(host) == 0) return -1;
  return host.playlist[host.current].lengthSeconds;
}

HWND FirstPluginWindow(const WinampHost& host) {
  for (HWND frame : host.frames) {
    if (!IsWindow(frame)) continue;
    if (HWND child = GetWindow(frame, GW_CHILD)) return child;
  }
  return nullptr;
}

int SliderXFor(WinampHost& host, int32_t ms) {
  const int length = HostTrackLength(host);
  if (length <= 0) return kSliderLeft;
  const int64_t x = kSliderLeft + int64_t(ms) * (kSliderRight - kSliderLeft) / (length * 1000LL);
  return x > kSliderRight ? kSliderRight : static_cast<int>(x);
}

void CloseWinampHost(WinampHost& host) {
  StopDirectShow(host);
  for (HWND frame : host.frames) {
    if (IsWindow(frame)) DestroyWindow(frame);
  }
  host.frames.clear();
  for (HostPlugin& plugin : host.plugins) {
    if (plugin.record->quit) plugin.record->quit();
    if (plugin.module) FreeLibrary(plugin.module);
  }
  host.plugins.clear();
  if (host.mainWindow) DestroyWindow(host.mainWindow);
}
