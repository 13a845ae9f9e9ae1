#include "filters/lyrics_display/strip_painter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "filters/core/ruler_ticks.h"

namespace {

// Pixels are 0x00RRGGBB.
constexpr uint32_t kWaveBackground = 0x16181C;
constexpr uint32_t kLaneBackground = 0x1F2228;
constexpr uint32_t kRulerBackground = 0x2A2E35;
constexpr uint32_t kRulerEdge = 0x434955;
constexpr uint32_t kMajorTick = 0x8D96A6;
constexpr uint32_t kMinorTick = 0x555C69;
constexpr uint32_t kWaveCentre = 0x2C313A;
constexpr uint32_t kWave = 0x52789E;
constexpr uint32_t kCursor = 0xFF5447;
constexpr uint32_t kFocusEdge = 0x6C7584;
constexpr COLORREF kRulerText = RGB(0xB8, 0xC0, 0xCC);
constexpr COLORREF kPendingText = RGB(0x7E, 0x86, 0x93);
// The editor's colours of even and odd units.
constexpr COLORREF kUnitColours[2] = {0x00FFCC00, 0x0000CCFF};

constexpr int kMinorTickLength = 4;
constexpr int kMajorTickLength = 9;
constexpr int kLabelSpacing = 72;

uint32_t Pixel(COLORREF c) {
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

// `over` laid on `under` with `alpha` of 256.
uint32_t Mix(uint32_t under, uint32_t over, uint32_t alpha) {
  uint32_t rb = ((under & 0xFF00FF) * (256 - alpha) + (over & 0xFF00FF) * alpha) >> 8;
  uint32_t g = ((under & 0x00FF00) * (256 - alpha) + (over & 0x00FF00) * alpha) >> 8;
  return (rb & 0xFF00FF) | (g & 0x00FF00);
}

struct Canvas {
  uint32_t* bits;
  int width;
  int height;

  // Clips [x0, x1) x [y0, y1) to the canvas; false when nothing is left.
  bool Clip(int& x0, int& y0, int& x1, int& y1) const {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width);
    y1 = std::min(y1, height);
    return x0 < x1 && y0 < y1;
  }
  void Fill(int x0, int y0, int x1, int y1, uint32_t color) {
    if (!Clip(x0, y0, x1, y1)) return;
    for (int y = y0; y < y1; ++y) std::fill(bits + size_t(y) * width + x0, bits + size_t(y) * width + x1, color);
  }
  void Blend(int x0, int y0, int x1, int y1, uint32_t color, uint32_t alpha) {
    if (!Clip(x0, y0, x1, y1)) return;
    for (int y = y0; y < y1; ++y) {
      uint32_t* row = bits + size_t(y) * width;
      for (int x = x0; x < x1; ++x) row[x] = Mix(row[x], color, alpha);
    }
  }
};

// The column of time t, rounded down; far-off times are held near the strip
// so that they never overflow.
int ColumnOf(const StripView& view, double t) {
  double x = std::floor(TimeToX(view, t));
  return static_cast<int>(std::min(std::max(x, -16.0), double(view.width) + 16));
}

void PaintWaveform(Canvas& canvas, const StripScene& scene, int top, int bottom,
                   StripPaintCache& cache) {
  const StripView& view = *scene.view;
  int centre = (top + bottom) / 2;
  canvas.Fill(0, centre, view.width, centre + 1, kWaveCentre);
  const PeakTable* peaks = scene.peaks;
  if (!peaks || peaks->Empty() || bottom - top < 4) return;
  double framesPerCs = peaks->SampleRate() / 100.0;
  cache.columns.resize(size_t(view.width));
  peaks->Columns(view.origin * framesPerCs, view.scale * framesPerCs, view.width,
                 cache.columns.data());
  // The loudest sample reaches near the band's edge; near-silence is not
  // blown up into noise.
  double amplitude = (bottom - top) / 2.0 - 2;
  double perUnit = amplitude / std::max(peaks->Loudest(), 2048);
  for (int x = 0; x < view.width; ++x) {
    const Peak& p = cache.columns[size_t(x)];
    if (p.low > p.high) continue;
    int y0 = centre - int(std::lround(p.high * perUnit));
    int y1 = centre - int(std::lround(p.low * perUnit)) + 1;
    canvas.Fill(x, y0, x + 1, y1, kWave);
  }
}

// The stamped units' boxes: a tinted area from the ruler down, a bright
// left edge and a faint right one, a bar on top of the current unit.
void PaintPairBoxes(Canvas& canvas, const StripScene& scene, size_t first, size_t last) {
  const StripView& view = *scene.view;
  const PairList& pairs = *scene.pairs;
  for (size_t i = first; i < last; ++i) {
    uint32_t color = Pixel(kUnitColours[i & 1]);
    bool current = int(i) == scene.currentUnit;
    bool active = int(i) == scene.activePair;
    int x0 = ColumnOf(view, pairs[i].start);
    int x1 = std::max(ColumnOf(view, pairs[i].end), x0 + 1);
    canvas.Blend(x0, kRulerHeight, x1, canvas.height, color, current || active ? 72 : 34);
    canvas.Fill(x0, kRulerHeight, x0 + 2, canvas.height, color);
    canvas.Blend(x1 - 1, kRulerHeight, x1, canvas.height, color, 110);
    if (current) canvas.Fill(x0, kRulerHeight, x1, kRulerHeight + 3, 0xF2F4F8);
    if (active) canvas.Blend(x0, kRulerHeight, x1, kRulerHeight + 3, 0xFFFFFF, 160);
  }
}

void PaintRulerTicks(Canvas& canvas, const StripView& view, const RulerTicks& ticks) {
  canvas.Fill(0, kRulerHeight - 1, view.width, kRulerHeight, kRulerEdge);
  double span = ViewSpan(view);
  int64_t t = int64_t(std::ceil(view.origin / ticks.minor)) * ticks.minor;
  for (; t <= view.origin + span; t += ticks.minor) {
    int x = int(std::lround(TimeToX(view, double(t))));
    bool major = t % ticks.major == 0;
    int length = major ? kMajorTickLength : kMinorTickLength;
    canvas.Fill(x, kRulerHeight - 1 - length, x + 1, kRulerHeight - 1,
                major ? kMajorTick : kMinorTick);
  }
}

void PaintRulerLabels(HDC dc, const StripScene& scene, const RulerTicks& ticks) {
  const StripView& view = *scene.view;
  SelectObject(dc, scene.labelFont);
  SetTextColor(dc, kRulerText);
  int64_t t = int64_t(std::floor(view.origin / ticks.major)) * ticks.major;
  for (; t <= view.origin + ViewSpan(view); t += ticks.major) {
    char label[24];
    FormatRulerLabel(int32_t(t), ticks.major, label, sizeof label);
    int x = int(std::lround(TimeToX(view, double(t))));
    TextOutA(dc, x + 3, 3, label, int(strlen(label)));
  }
}

// The units' text in the lane: each stamped unit inside its box, then the
// next units still to stamp in grey after the last box (or the cursor).
void PaintUnitTexts(HDC dc, const StripScene& scene, int laneTop, size_t first, size_t last) {
  const StripView& view = *scene.view;
  const PairList& pairs = *scene.pairs;
  const std::vector<UnitSpan>& units = scene.lyrics->Units();
  const std::string& bytes = scene.lyrics->UnitBytes();
  SelectObject(dc, scene.lyricsFont);
  int y = laneTop + (scene.height - laneTop - scene.lyricsFontHeight) / 2;
  for (size_t i = first; i < last && i < units.size(); ++i) {
    RECT box = {ColumnOf(view, pairs[i].start) + 4, laneTop, ColumnOf(view, pairs[i].end) - 1,
                scene.height};
    if (box.right - box.left < 3) continue;
    SetTextColor(dc, kUnitColours[i & 1]);
    ExtTextOutA(dc, box.left, y, ETO_CLIPPED, &box, bytes.data() + units[i].byteOffset,
                UINT(units[i].byteCount), nullptr);
  }
  double from = std::max<double>(pairs.empty() ? 0 : pairs.back().end, scene.cursor);
  int x = ColumnOf(view, from) + 8;
  SetTextColor(dc, kPendingText);
  for (size_t i = pairs.size(); i < units.size() && i < pairs.size() + 3 && x < view.width; ++i) {
    const char* text = bytes.data() + units[i].byteOffset;
    int length = int(units[i].byteCount);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, length, &size);
    if (x + size.cx > 0) TextOutA(dc, x, y, text, length);
    x += size.cx + 14;
  }
}

void PaintCursor(Canvas& canvas, const StripView& view, int32_t cursor) {
  int x = int(std::lround(TimeToX(view, cursor)));
  if (x < -6 || x > view.width + 6) return;
  canvas.Fill(x, 0, x + 2, canvas.height, kCursor);
  // A small head on the ruler.
  for (int row = 0; row < 5; ++row) {
    canvas.Fill(x - 4 + row, kRulerHeight - 6 + row, x + 6 - row, kRulerHeight - 5 + row, kCursor);
  }
}

}  // namespace

int LaneTop(int height, int lyricsFontHeight) {
  return std::max(height - lyricsFontHeight - 12, std::min(height, kRulerHeight + 24));
}

void PaintStrip(HDC dc, uint32_t* bits, const StripScene& scene, StripPaintCache& cache) {
  const StripView& view = *scene.view;
  Canvas canvas{bits, view.width, scene.height};
  if (view.width <= 0 || scene.height <= 0) return;
  int laneTop = LaneTop(scene.height, scene.lyricsFontHeight);
  canvas.Fill(0, 0, view.width, kRulerHeight, kRulerBackground);
  canvas.Fill(0, kRulerHeight, view.width, laneTop, kWaveBackground);
  canvas.Fill(0, laneTop, view.width, scene.height, kLaneBackground);
  PaintWaveform(canvas, scene, kRulerHeight + 2, laneTop - 2, cache);

  // The pairs in view: from the first that ends after the left edge to the
  // first that starts after the right edge.
  const PairList& pairs = *scene.pairs;
  size_t first = FirstPairEndingAfter(pairs, int32_t(std::floor(view.origin)));
  size_t last = first;
  double right = view.origin + ViewSpan(view);
  while (last < pairs.size() && pairs[last].start <= right) ++last;
  PaintPairBoxes(canvas, scene, first, last);

  RulerTicks ticks = ChooseRulerTicks(view.scale, kLabelSpacing);
  PaintRulerTicks(canvas, view, ticks);

  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, scene.labelFont);
  PaintRulerLabels(dc, scene, ticks);
  PaintUnitTexts(dc, scene, laneTop, first, last);
  SelectObject(dc, oldFont);
  GdiFlush();

  PaintCursor(canvas, view, scene.cursor);
  if (scene.focused) {
    canvas.Fill(0, scene.height - 1, view.width, scene.height, kFocusEdge);
    canvas.Fill(0, kRulerHeight, 1, scene.height, kFocusEdge);
    canvas.Fill(view.width - 1, kRulerHeight, view.width, scene.height, kFocusEdge);
  }
}
