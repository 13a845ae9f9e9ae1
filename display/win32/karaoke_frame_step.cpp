// The sequence of one plug-in frame: take up changed settings, prepare the
// caches that are missing, then draw.
#include <cstring>

#include "display/win32/karaoke_display.h"

HRESULT RenderKaraokeFrame(KaraokeDisplay& display, DisplaySettingsStore& store, HDC dc,
                           const RECT& rect, int32_t playbackTime, bool fillOutside,
                           TimingOffset& timing, bool* lyricsDirectoryChanged) {
  if (lyricsDirectoryChanged) *lyricsDirectoryChanged = false;
  if (!dc) return E_INVALIDARG;
  const bool hasLyrics = display.lyrics.syncpointCount > 0;

  if (TestAndClearSettingsChanged(store)) {
    DropBackgroundBrush(display);
    if (hasLyrics) {
      DropBitmaps(display);
      DropFont(display);
      TakeLiveSettings(store, display.settings);
    } else {
      char oldDirectory[kLyricsDirectorySize];
      std::memcpy(oldDirectory, display.settings.lyricsDirectory, sizeof oldDirectory);
      TakeLiveSettings(store, display.settings);
      if (lyricsDirectoryChanged &&
          std::memcmp(oldDirectory, display.settings.lyricsDirectory, sizeof oldDirectory) != 0) {
        *lyricsDirectoryChanged = true;
      }
    }
  }

  HRESULT hr = S_OK;
  if (!hasLyrics) {
    if (!display.backgroundBrush) hr = PrepareBackgroundBrush(display, dc);
    if (display.backgroundBrush) FillRect(dc, &rect, display.backgroundBrush);
    return hr;
  }

  const int32_t width = rect.right - rect.left;
  const int32_t height = rect.bottom - rect.top;
  if (width != display.displayWidth || height != display.displayHeight) DropBitmaps(display);
  if (!display.backgroundBrush && FAILED(hr = PrepareBackgroundBrush(display, dc))) return hr;
  if (!display.lyricsFont) {
    if (FAILED(hr = PrepareFont(display, dc))) return hr;
    if (FAILED(hr = MeasureLyrics(display, dc))) {
      // Unmeasured lyrics must not be drawn: start over next frame.
      DropFont(display);
      return hr;
    }
  }
  if (!display.slotBitmap) {
    display.displayWidth = width;
    display.displayHeight = height;
    if (FAILED(hr = PrepareBitmaps(display, dc))) return hr;
  }
  int64_t t = int64_t(playbackTime) + timing.offset;
  if (t > INT32_MAX) t = INT32_MAX;
  if (t < INT32_MIN) t = INT32_MIN;
  return DrawFrame(display, dc, rect, static_cast<int32_t>(t), fillOutside, timing);
}
