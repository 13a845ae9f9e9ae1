// The lyrics window: creation, Winamp's playback notices, the context menu
// and its commands, and the window state kept for the next start.
#include "winamp/lyrics_window.h"

#include <mmsystem.h>

#include <cstring>

#include "display/win32/display_settings_win32.h"
#include "winamp/lyrics_loaders.h"
#include "winamp/plugin_state.h"
#include "winamp/resource.h"
#include "winamp/winamp_ipc.h"

namespace {

LyricsWindow* WindowObject(HWND window) {
  return reinterpret_cast<LyricsWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Runs on the timer's own thread: only posts.
void CALLBACK TimerTick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
  PostMessageA(reinterpret_cast<HWND>(user), kTickMessage, 0, 0);
}

void ApplyLayout(LyricsWindow& w) {
  KaraokeLayout layout;
  if (LayoutFromWinampNumber(w.layout, layout)) SetKaraokeLayout(w.display, layout);
}

// Forgets the song's lyrics. The display also takes the live settings now:
// the caches they shape are gone, and the next lookup needs the current
// lyrics directory.
void UnloadLyrics(LyricsWindow& w) {
  DropLyrics(w.display);
  w.lyricsLoaded = false;
  TakeLiveSettings(ModuleDisplaySettings(), w.display.settings);
}

bool EndsInMp3(const char* name) {
  const size_t length = std::strlen(name);
  return length >= 3 && lstrcmpiA(name + length - 3, "mp3") == 0;
}

INT_PTR OnInitDialog(LyricsWindow& w, WPARAM, LPARAM) {
  w.menu = LoadMenuA(w.instance, MAKEINTRESOURCEA(IDM_LYRICS_MENU));
  w.display.settings = ModuleDisplaySettings().live;
  w.layout = Plugin().liveState.layout;
  ApplyLayout(w);
  PostMessageA(w.window, kActivateMessage, 0, 0);
  CheckTrack(w);
  w.timer = timeSetEvent(kTickMilliseconds, 0, TimerTick, reinterpret_cast<DWORD_PTR>(w.window),
                         TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
  return TRUE;
}

INT_PTR OnTick(LyricsWindow& w, WPARAM, LPARAM) {
  const int32_t status = static_cast<int32_t>(AskWinamp(w.hostWindow, 0, kIpcIsPlaying));
  if (status == 1 || status != w.playStatus || ModuleDisplaySettings().changed) {
    w.playStatus = status;
    RepaintNow(w);
  }
  return TRUE;
}

INT_PTR OnRecheck(LyricsWindow& w, WPARAM onlyWhenIdle, LPARAM) {
  if (onlyWhenIdle && (w.playStatus == 1 || w.playStatus == 3)) return TRUE;
  CheckTrack(w);
  if (w.playStatus != 1) RepaintNow(w);
  return TRUE;
}

INT_PTR OnSeek(LyricsWindow& w, WPARAM, LPARAM) {
  const LRESULT position = AskWinamp(w.hostWindow, 0, kIpcGetOutputTime);
  w.seekBase = position < 0 ? 0 : static_cast<int32_t>(position);
  if (w.playStatus == 3) RepaintNow(w);
  return TRUE;
}

// The window around the frame: its owner or parent, or that one's.
INT_PTR OnActivate(LyricsWindow& w, WPARAM, LPARAM) {
  HWND top = GetParent(w.frameWindow);
  if (top) {
    if (HWND above = GetParent(top)) top = above;
  } else {
    top = w.frameWindow;
  }
  SetActiveWindow(top);
  return TRUE;
}

INT_PTR OnPaint(LyricsWindow& w, WPARAM, LPARAM) {
  PaintLyricsWindow(w);
  return TRUE;
}

INT_PTR OnEraseBackground(LyricsWindow& w, WPARAM dc, LPARAM) {
  HDC target = reinterpret_cast<HDC>(dc);
  if (!w.display.backgroundBrush) PrepareBackgroundBrush(w.display, target);
  if (w.display.backgroundBrush) {
    RECT client;
    GetClientRect(w.window, &client);
    FillRect(target, &client, w.display.backgroundBrush);
  }
  SetWindowLongPtrA(w.window, DWLP_MSGRESULT, 1);
  return TRUE;
}

INT_PTR OnSize(LyricsWindow& w, WPARAM, LPARAM) {
  InvalidateRect(w.window, nullptr, TRUE);
  UpdateWindow(w.window);
  return FALSE;
}

INT_PTR OnContextMenu(LyricsWindow& w, WPARAM, LPARAM position) {
  if (!w.menu) return TRUE;
  HMENU popup = GetSubMenu(w.menu, 0);
  if (popup) {
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, static_cast<short>(LOWORD(position)),
                   static_cast<short>(HIWORD(position)), 0, w.window, nullptr);
  }
  return TRUE;
}

INT_PTR OnClose(LyricsWindow& w, WPARAM, LPARAM) {
  ShowWindow(w.frameWindow, SW_HIDE);
  Plugin().liveState.visible = 0;
  return TRUE;
}

INT_PTR OnDestroy(LyricsWindow& w, WPARAM, LPARAM) {
  if (w.timer) timeKillEvent(w.timer);
  w.timer = 0;
  if (w.menu) DestroyMenu(w.menu);
  w.menu = nullptr;
  DropLyrics(w.display);
  w.lyricsLoaded = false;
  LyricsWindowState& state = Plugin().liveState;
  RECT frame;
  if (GetWindowRect(w.frameWindow, &frame)) {
    state.left = frame.left;
    state.top = frame.top;
    state.right = frame.right;
    state.bottom = frame.bottom;
  }
  state.layout = w.layout;
  SetWindowLongPtrA(w.window, GWLP_USERDATA, 0);
  w.window = nullptr;
  return FALSE;
}

void OnOptions(LyricsWindow& w) {
  if (RunOptions(w.hostWindow)) RepaintNow(w);
}

void OnAbout(LyricsWindow& w) { ShowAboutBox(w.instance, w.hostWindow); }

void SelectLayout(LyricsWindow& w, int32_t layout) {
  if (w.layout == layout) return;
  w.layout = layout;
  ApplyLayout(w);
  if (w.lyricsLoaded) {
    DropBitmaps(w.display);
    InvalidateRect(w.window, nullptr, TRUE);
    UpdateWindow(w.window);
  }
}

void OnKeyAccepted(LyricsWindow&) {}

struct CommandEntry {
  int id;
  void (*handler)(LyricsWindow&);
};

const CommandEntry kCommands[] = {
    {ID_OPTIONS, OnOptions},
    {ID_LAYOUT_ONE_LINE, [](LyricsWindow& w) { SelectLayout(w, 1); }},
    {ID_LAYOUT_TWO_LINES, [](LyricsWindow& w) { SelectLayout(w, 2); }},
    {ID_LAYOUT_THREE_LINES, [](LyricsWindow& w) { SelectLayout(w, 3); }},
    {ID_LAYOUT_FIVE_LINES, [](LyricsWindow& w) { SelectLayout(w, 4); }},
    {ID_LAYOUT_SEVEN_LINES, [](LyricsWindow& w) { SelectLayout(w, 5); }},
    {ID_ABOUT, OnAbout},
    // Enter and Escape in the dialog window do nothing.
    {IDOK, OnKeyAccepted},
    {IDCANCEL, OnKeyAccepted},
};

INT_PTR OnCommand(LyricsWindow& w, WPARAM wParam, LPARAM) {
  for (const CommandEntry& entry : kCommands) {
    if (entry.id == LOWORD(wParam)) {
      entry.handler(w);
      return TRUE;
    }
  }
  return FALSE;
}

struct MessageEntry {
  UINT message;
  INT_PTR (*handler)(LyricsWindow&, WPARAM, LPARAM);
};

const MessageEntry kMessages[] = {
    {kTickMessage, OnTick},
    {kRecheckMessage, OnRecheck},
    {kSeekMessage, OnSeek},
    {kActivateMessage, OnActivate},
    {WM_PAINT, OnPaint},
    {WM_ERASEBKGND, OnEraseBackground},
    {WM_SIZE, OnSize},
    {WM_CONTEXTMENU, OnContextMenu},
    {WM_COMMAND, OnCommand},
    {WM_CLOSE, OnClose},
    {WM_DESTROY, OnDestroy},
};

INT_PTR CALLBACK LyricsDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    LyricsWindow* w = reinterpret_cast<LyricsWindow*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    w->window = window;
    return OnInitDialog(*w, wParam, lParam);
  }
  LyricsWindow* w = WindowObject(window);
  if (!w) return FALSE;
  for (const MessageEntry& entry : kMessages) {
    if (entry.message == message) return entry.handler(*w, wParam, lParam);
  }
  return FALSE;
}

}  // namespace

HWND CreateLyricsWindow(LyricsWindow& w, HINSTANCE instance, HWND hostWindow, HWND frame) {
  if (w.window) return w.window;
  w.instance = instance;
  w.hostWindow = hostWindow;
  w.frameWindow = frame;
  w.fileName[0] = '\0';
  w.lyricsLoaded = false;
  w.playStatus = -1;
  w.seekBase = 0;
  HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_LYRICS_WINDOW), frame,
                                   LyricsDialogProc, reinterpret_cast<LPARAM>(&w));
  if (!window) return nullptr;
  ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

void RepaintNow(const LyricsWindow& w) {
  InvalidateRect(w.window, nullptr, FALSE);
  UpdateWindow(w.window);
}

bool LoadLyricsForFile(LyricsWindow& w) {
  const int32_t length = static_cast<int32_t>(AskWinamp(w.hostWindow, 1, kIpcGetOutputTime));
  if (!FindLyricsForMedia(w.display.lyrics, w.fileName, w.display.settings.lyricsDirectory,
                          length < 0 ? -1 : length)) {
    return false;
  }
  w.lyricsLoaded = true;
  w.display.currentSyncpoint = 0;
  ResetTimingOffset(Plugin().timing);
  return true;
}

void SpreadSyncpoints(TimedLyrics& lyrics, int32_t lengthSeconds) {
  const int64_t n = lyrics.syncpointCount;
  for (int64_t i = 0; i < n; ++i) {
    Syncpoint& piece = lyrics.syncpoints[i];
    piece.startTime = static_cast<int32_t>(i * lengthSeconds * 100 / n);
    piece.endTime = piece.startTime + 1;
  }
}

void CheckTrack(LyricsWindow& w) {
  w.seekBase = 0;
  const char* name = nullptr;
  if (AskWinamp(w.hostWindow, 0, kIpcGetListLength) > 0) {
    const LRESULT index = AskWinamp(w.hostWindow, 0, kIpcGetListPos);
    name = reinterpret_cast<const char*>(
        AskWinamp(w.hostWindow, static_cast<WPARAM>(index), kIpcGetPlaylistFile));
  }
  if (!name) {
    if (w.lyricsLoaded) {
      UnloadLyrics(w);
      w.fileName[0] = '\0';
    }
    return;
  }
  if (lstrcmpiA(name, w.fileName) != 0) {
    if (w.lyricsLoaded) UnloadLyrics(w);
    if (std::strlen(name) > kMaxPathLength) return;
    std::strcpy(w.fileName, name);
    w.isMp3 = EndsInMp3(w.fileName);
    LoadLyricsForFile(w);
    return;
  }
  TimedLyrics& lyrics = w.display.lyrics;
  if (!w.lyricsLoaded || lyrics.syncpointCount <= 0 ||
      lyrics.syncpoints[lyrics.syncpointCount - 1].endTime != INT32_MAX) {
    return;
  }
  const LRESULT length = AskWinamp(w.hostWindow, 1, kIpcGetOutputTime);
  // Only a known, plausible length: negative times would break the order.
  if (length < 0 || length > INT32_MAX / 100) return;
  SpreadSyncpoints(lyrics, static_cast<int32_t>(length));
}
