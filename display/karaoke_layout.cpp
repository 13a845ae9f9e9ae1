#include "display/karaoke_layout.h"

namespace {

const LayoutInfo kLayouts[kLayoutCount] = {
    {"One Line", 1, 1, 0, false},    {"Two Lines", 2, 2, 1, false},
    {"Three Lines", 3, 4, 1, true},  {"Five Lines", 5, 6, 2, true},
    {"Seven Lines", 7, 8, 3, true},
};

}  // namespace

const LayoutInfo* FindLayoutInfo(KaraokeLayout layout) {
  const int index = static_cast<int>(layout);
  return index >= 0 && index < kLayoutCount ? &kLayouts[index] : nullptr;
}

bool LayoutFromPresetIndex(int index, KaraokeLayout& layout) {
  if (index < 0 || index >= kLayoutCount) return false;
  layout = static_cast<KaraokeLayout>(index);
  return true;
}

bool LayoutFromWinampNumber(int number, KaraokeLayout& layout) {
  return LayoutFromPresetIndex(number - 1, layout);
}

int32_t MoveCursor(const Syncpoint* pieces, int32_t count, int32_t current, int32_t t) {
  if (count <= 0) return 0;
  int32_t c = current < 0 ? 0 : (current >= count ? count - 1 : current);
  if (t < pieces[c].startTime && c > 0 && pieces[c - 1].endTime >= t) {
    while (c > 0 && pieces[c].startTime > t) --c;
  } else if (t >= pieces[c].endTime && c < count - 1) {
    while (c < count - 1 && pieces[c + 1].startTime <= t) ++c;
  }
  return c;
}

int32_t HighlightTarget(const Syncpoint& piece, int32_t t) {
  const int32_t a = piece.startPos;
  const int32_t b = piece.endPos;
  if (t < piece.startTime) return a;
  if (t >= piece.endTime) return b;
  const double sung = double(t - double(piece.startTime)) /
                      (double(piece.endTime) - double(piece.startTime));
  return a + static_cast<int32_t>(sung * (b - a));
}

int32_t ScrollOffset(int32_t lineStart, int32_t nextStart, int32_t t, int32_t lineHeight) {
  if (!(lineStart < t) || nextStart <= lineStart) return 0;
  const double moved = (double(t) - lineStart) / (double(nextStart) - lineStart) * lineHeight;
  if (moved >= lineHeight) return lineHeight;
  return static_cast<int32_t>(moved);
}

int32_t LineX(const DisplaySettings& settings, KaraokeLayout layout, int32_t displayWidth,
              int32_t width, int32_t index) {
  if (!settings.leftAligned) return (displayWidth - width) / 2;
  if (settings.alternateSides && layout == KaraokeLayout::TwoLines && (index & 1)) {
    return displayWidth - width - settings.leftMargin;
  }
  return settings.leftMargin;
}

BandPlacement PlaceBand(const DisplaySettings& settings, int32_t top, int32_t bottom,
                        int32_t linesShown, int32_t lineHeight) {
  const int32_t blockHeight = linesShown * lineHeight;
  BandPlacement band;
  if (settings.verticalAlignment == 0) {
    band.y = top + (bottom - top - blockHeight) / 2;
  } else if (settings.verticalAlignment == 1) {
    band.y = top + settings.topMargin;
  } else {
    band.y = bottom - blockHeight - settings.bottomMargin;
  }
  band.height = blockHeight;
  if (band.y + band.height > bottom) band.height = bottom - band.y;
  if (band.y < top) band.height -= top - band.y;
  if (band.height < 0) band.height = 0;
  band.firstRow = band.y - top < 0 ? band.y - top : 0;
  return band;
}

void StepTimingOffset(TimingOffset& timing, bool earlier) {
  if (earlier) {
    if (timing.offset <= kMaxTimingOffset - 1) ++timing.offset;
  } else {
    if (timing.offset >= -(kMaxTimingOffset - 1)) --timing.offset;
  }
  timing.indicatorFrames = kOffsetIndicatorFrames;
}

void ResetTimingOffset(TimingOffset& timing) {
  timing.offset = 0;
  timing.indicatorFrames = 1;
}

void FormatTimingOffset(int32_t offset, char text[7]) {
  const int32_t v = offset < 0 ? -offset : offset;
  text[0] = offset > 0 ? '-' : '+';
  text[1] = static_cast<char>('0' + v / 1000 % 10);
  text[2] = static_cast<char>('0' + (v % 1000) / 100);
  text[3] = '.';
  text[4] = static_cast<char>('0' + (v % 100) / 10);
  text[5] = static_cast<char>('0' + v % 10);
  text[6] = '\0';
}
