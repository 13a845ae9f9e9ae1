// One paint of the lyrics window: the frame of the shared display engine
// at Winamp's output time.
#include <cmath>

#include "display/win32/display_settings_win32.h"
#include "winamp/lyrics_window.h"
#include "winamp/plugin_state.h"
#include "winamp/winamp_ipc.h"

int32_t DisplayTime(int32_t outputMs, bool isMp3, int32_t seekBase) {
  int64_t t = outputMs < 0 ? 0 : outputMs;
  if (isMp3) t += static_cast<int64_t>(std::trunc((t - seekBase) * 0.005));
  return static_cast<int32_t>(t / 10);
}

void PaintLyricsWindow(LyricsWindow& w) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(w.window, &paint);
  if (!dc) return;
  RECT client;
  GetClientRect(w.window, &client);
  DisplaySettingsStore& store = ModuleDisplaySettings();
  // Settings taken up in this paint may change the colours: then the whole
  // window is painted anew, not only the block of lines.
  const bool settingsChanged = store.changed;
  const int32_t output = static_cast<int32_t>(AskWinamp(w.hostWindow, 0, kIpcGetOutputTime));
  bool directoryChanged = false;
  RenderKaraokeFrame(w.display, store, dc, client, DisplayTime(output, w.isMp3, w.seekBase),
                     settingsChanged, Plugin().timing, &directoryChanged);
  EndPaint(w.window, &paint);
  // The lyrics directory moved while nothing was shown: look again, and
  // draw what was found.
  if (directoryChanged && !w.lyricsLoaded && w.fileName[0] && LoadLyricsForFile(w)) {
    InvalidateRect(w.window, nullptr, FALSE);
  }
}
