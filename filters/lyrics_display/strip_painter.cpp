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

  uint32_t* Row(int y) { return bits + size_t(y) * size_t(width); }
  void Fill(int x0, int y0, int x1, int y1, uint32_t color) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width);
    y1 = std::min(y1, height);
    for (int y = y0; y < y1 && x0 < x1; ++y) std::fill(Row(y) + x0, Row(y) + x1, color);
  }
};

// The column of time t, rounded down; far-off times are held near the strip
// so that they never overflow.
int ColumnOf(const StripView& view, double t) {
  double x = std::floor(TimeToX(view, t));
  return static_cast<int>(std::min(std::max(x, -16.0), double(view.width) + 16));
}

void ClearColumns(std::vector<ColumnPaint>& columns, int width) {
  const ColumnPaint plain = {kWaveBackground, kWave, kWaveCentre, kLaneBackground,
                             kWaveBackground, false, 0, 0};
  columns.assign(size_t(width), plain);
}

// The rows each column's waveform covers, from the lowest and highest
// sample under it.
void ShapeWaveform(std::vector<ColumnPaint>& columns, const StripScene& scene, int top, int bottom,
                   std::vector<Peak>& peaks) {
  const StripView& view = *scene.view;
  const PeakTable* table = scene.peaks;
  if (!table || table->Empty() || bottom - top < 4) return;
  double framesPerCs = table->SampleRate() / 100.0;
  peaks.resize(size_t(view.width));
  table->Columns(view.origin * framesPerCs, view.scale * framesPerCs, view.width, peaks.data());
  // The loudest sample reaches near the band's edge; near-silence is not
  // blown up into noise.
  int centre = (top + bottom) / 2;
  double perUnit = ((bottom - top) / 2.0 - 2) / std::max(table->Loudest(), 2048);
  for (int x = 0; x < view.width; ++x) {
    const Peak& p = peaks[size_t(x)];
    if (p.low > p.high) continue;
    columns[size_t(x)].waveTop = centre - int(std::lround(p.high * perUnit));
    columns[size_t(x)].waveBottom = centre - int(std::lround(p.low * perUnit)) + 1;
  }
}

// Tints `color` over columns [x0, x1) with `alpha` of 256.
void Tint(std::vector<ColumnPaint>& columns, int x0, int x1, uint32_t color, uint32_t alpha) {
  x0 = std::max(x0, 0);
  x1 = std::min(x1, int(columns.size()));
  for (int x = x0; x < x1; ++x) {
    ColumnPaint& c = columns[size_t(x)];
    c.background = Mix(kWaveBackground, color, alpha);
    c.wave = Mix(kWave, color, alpha);
    c.centre = Mix(kWaveCentre, color, alpha);
    c.lane = Mix(kLaneBackground, color, alpha);
    c.bar = c.background;
    c.hasBar = false;
  }
}

// The stamped units' boxes: a tinted area from the ruler down, a bright
// left edge and a faint right one, a bar on top of the current unit (and
// of the one a tool is changing).
void ShadePairBoxes(std::vector<ColumnPaint>& columns, const StripScene& scene, size_t first,
                    size_t last) {
  const StripView& view = *scene.view;
  const PairList& pairs = *scene.pairs;
  const int width = int(columns.size());
  for (size_t i = first; i < last; ++i) {
    uint32_t color = Pixel(kUnitColours[i & 1]);
    bool current = int(i) == scene.currentUnit;
    bool active = int(i) == scene.activePair;
    int x0 = ColumnOf(view, pairs[i].start);
    int x1 = std::max(ColumnOf(view, pairs[i].end), x0 + 1);
    Tint(columns, x0, x1, color, current || active ? 72 : 34);
    if (current || active) {
      for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) {
        ColumnPaint& c = columns[size_t(x)];
        c.bar = current ? 0xF2F4F8 : Mix(c.background, 0xFFFFFF, 160);
        c.hasBar = true;
      }
    }
    if (x1 - 1 >= 0 && x1 - 1 < width) {
      ColumnPaint& c = columns[size_t(x1 - 1)];
      c.background = c.wave = c.centre = c.lane = c.bar = Mix(c.background, color, 110);
    }
    for (int x = std::max(x0, 0); x < std::min(x0 + 2, width); ++x) {
      ColumnPaint& c = columns[size_t(x)];
      c.background = c.wave = c.centre = c.lane = c.bar = color;
      c.hasBar = true;
    }
  }
}

// Everything below the ruler, row by row from the columns' colours.
void FillBands(Canvas& canvas, const std::vector<ColumnPaint>& columns, int laneTop) {
  const int centre = (kRulerHeight + 2 + laneTop - 2) / 2;
  const int barEnd = kRulerHeight + 3;
  for (int y = kRulerHeight; y < laneTop; ++y) {
    uint32_t* row = canvas.Row(y);
    for (int x = 0; x < canvas.width; ++x) {
      const ColumnPaint& c = columns[size_t(x)];
      uint32_t pixel = y == centre ? c.centre : c.background;
      if (y >= c.waveTop && y < c.waveBottom) pixel = c.wave;
      if (c.hasBar && y < barEnd) pixel = c.bar;
      row[x] = pixel;
    }
  }
  for (int y = laneTop; y < canvas.height; ++y) {
    uint32_t* row = canvas.Row(y);
    for (int x = 0; x < canvas.width; ++x) row[x] = columns[size_t(x)].lane;
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
  ClearColumns(cache.columns, view.width);
  ShapeWaveform(cache.columns, scene, kRulerHeight + 2, laneTop - 2, cache.peaks);

  // The pairs in view: from the first that ends after the left edge to the
  // first that starts after the right edge.
  const PairList& pairs = *scene.pairs;
  size_t first = FirstPairEndingAfter(pairs, int32_t(std::floor(view.origin)));
  size_t last = first;
  double right = view.origin + ViewSpan(view);
  while (last < pairs.size() && pairs[last].start <= right) ++last;
  ShadePairBoxes(cache.columns, scene, first, last);
  FillBands(canvas, cache.columns, laneTop);

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
