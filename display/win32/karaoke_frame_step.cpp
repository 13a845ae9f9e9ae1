// The sequence of one plug-in frame: take up changed settings, prepare the
// caches that are missing, then draw.
#include <cstring>

#include "display/win32/karaoke_display.h"

void TakeUpChangedSettings(KaraokeDisplay& display, DisplaySettingsStore& store,
                           bool* lyricsDirectoryChanged) {
  if (lyricsDirectoryChanged) *lyricsDirectoryChanged = false;
  if (!TestAndClearSettingsChanged(store)) return;
  DropBackgroundBrush(display);
  if (display.lyrics.syncpointCount > 0) {
    DropBitmaps(display);
    DropFont(display);
    TakeLiveSettings(store, display.settings);
    return;
  }
  char oldDirectory[kLyricsDirectorySize];
  std::memcpy(oldDirectory, display.settings.lyricsDirectory, sizeof oldDirectory);
  oldDirectory[kLyricsDirectorySize - 1] = '\0';
  TakeLiveSettings(store, display.settings);
  display.settings.lyricsDirectory[kLyricsDirectorySize - 1] = '\0';
  // Paths name the same folder whatever their letter case.
  if (lyricsDirectoryChanged && lstrcmpiA(oldDirectory, display.settings.lyricsDirectory) != 0) {
    *lyricsDirectoryChanged = true;
  }
}

bool NeedsNewBitmaps(const KaraokeDisplay& display, const RECT& rect) {
  return !display.slotBitmap || rect.right - rect.left != display.displayWidth ||
         rect.bottom - rect.top != display.displayHeight;
}

HRESULT DrawKaraokeFrame(KaraokeDisplay& display, HDC dc, const RECT& rect,
                         int32_t playbackTime, bool fillOutside, TimingOffset& timing) {
  if (!dc) return E_INVALIDARG;
  HRESULT hr = S_OK;
  if (display.lyrics.syncpointCount <= 0) {
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

HRESULT RenderKaraokeFrame(KaraokeDisplay& display, DisplaySettingsStore& store, HDC dc,
                           const RECT& rect, int32_t playbackTime, bool fillOutside,
                           TimingOffset& timing, bool* lyricsDirectoryChanged) {
  if (!dc) {
    if (lyricsDirectoryChanged) *lyricsDirectoryChanged = false;
    return E_INVALIDARG;
  }
  TakeUpChangedSettings(display, store, lyricsDirectoryChanged);
  return DrawKaraokeFrame(display, dc, rect, playbackTime, fillOutside, timing);
}
