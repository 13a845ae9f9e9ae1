// The five karaoke layouts and the arithmetic of one frame that needs no
// drawing: cursor, highlight target, scrolling, placement and slots.
#pragma once

#include <cstdint>

#include "display/display_settings.h"
#include "lyrics/timed_lyrics.h"

enum class KaraokeLayout { OneLine, TwoLines, ThreeLines, FiveLines, SevenLines };

constexpr int kLayoutCount = 5;

struct LayoutInfo {
  const char* title;  // "One Line" ... "Seven Lines"
  int linesShown;
  int slotCount;  // scrolling layouts keep one slot more than they show
  int lookAhead;  // lines kept ready below the current one
  bool scrolls;
};

// Null for a value outside the five layouts.
const LayoutInfo* FindLayoutInfo(KaraokeLayout layout);

// The Windows Media Player plug-in numbers the layouts by preset index 0
// to 4, the Winamp plug-in 1 to 5. False for a number outside the range.
bool LayoutFromPresetIndex(int index, KaraokeLayout& layout);
bool LayoutFromWinampNumber(int number, KaraokeLayout& layout);
inline int PresetIndexOf(KaraokeLayout layout) { return static_cast<int>(layout); }
inline int WinampNumberOf(KaraokeLayout layout) { return static_cast<int>(layout) + 1; }

// Moves the frame cursor `current` to the piece sung at time `t`. Going
// back, it stops at the first piece not starting after t; going forward it
// moves while the next piece has started. In a pause it rests on the piece
// before the pause unless it already was on the one after it.
int32_t MoveCursor(const Syncpoint* pieces, int32_t count, int32_t current, int32_t t);

// How far, in pixels from the line's x, the line of `piece` is sung at `t`.
int32_t HighlightTarget(const Syncpoint& piece, int32_t t);

// Rows that a scrolling layout has moved up on the way from the current
// line (first piece starting at `lineStart`) to the next (`nextStart`).
int32_t ScrollOffset(int32_t lineStart, int32_t nextStart, int32_t t, int32_t lineHeight);

// Left edge of display line `index` whose text is `width` pixels wide.
int32_t LineX(const DisplaySettings& settings, KaraokeLayout layout, int32_t displayWidth,
              int32_t width, int32_t index);

// The block of lines on screen: its top `y` (may lie above the rectangle),
// the band rows `height` that reach the screen, and `firstRow`, the band row
// of the block's first line (negative when the block starts above).
struct BandPlacement {
  int32_t y;
  int32_t height;
  int32_t firstRow;
};
BandPlacement PlaceBand(const DisplaySettings& settings, int32_t top, int32_t bottom,
                        int32_t linesShown, int32_t lineHeight);

// Slot of display line `line` (also for negative lines above the first).
inline int32_t SlotOf(int32_t line, int32_t slotCount) {
  const int32_t slot = line % slotCount;
  return slot < 0 ? slot + slotCount : slot;
}

// The user's timing shift of -5999..5999 centiseconds and the frames for
// which its box is still shown.
struct TimingOffset {
  int32_t offset = 0;
  int32_t indicatorFrames = 0;
};

constexpr int32_t kMaxTimingOffset = 5999;
constexpr int32_t kOffsetIndicatorFrames = 31;

// Alt+Left (`earlier`) runs the lyrics 1 cs ahead, Alt+Right 1 cs behind;
// both show the box again, also at the limits.
void StepTimingOffset(TimingOffset& timing, bool earlier);

// After a lyrics load: no shift, and one frame that erases an old box.
void ResetTimingOffset(TimingOffset& timing);

// The box's six characters: '-' for a positive offset (lyrics ahead), '+'
// otherwise, then SS.HH of the magnitude, e.g. "-00.25".
void FormatTimingOffset(int32_t offset, char text[7]);
