// The display engine on real GDI: lines rasterised into slots, highlight
// painted on and off, frames drawn into a 32-bit DIB section, checked on
// its pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "display/shade_table.h"
#include "display/tests/dib_target.h"
#include "display/win32/gdi_holders.h"
#include "display/win32/karaoke_display.h"
#include "lyrics/km_parser.h"
#include "lyrics/tests/km_builder.h"

namespace {

constexpr uint32_t kRed = 0x000000FF;    // COLORREF
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlue = 0x00FF0000;

// Lines "Line 0", "Line 1", ... each one piece sung at 1000 * k for 1 cs,
// as LRC lyrics are.
void LoadLines(KaraokeDisplay& display, int count) {
  KmBuilder builder;
  for (int k = 0; k < count; ++k) {
    builder.Line("Line " + std::to_string(k));
    builder.Piece(uint16_t(k), 0, kKmNoOffset, uint32_t(1000 * (k + 1)), uint32_t(1000 * (k + 1) + 1));
  }
  ASSERT_EQ(ParseKmFile(ToBuffer(builder.Bytes()), NoLeadBytes, display.lyrics), LoadStatus::Loaded);
}

void UseSolidColors(KaraokeDisplay& display) {
  SetDefaultDisplaySettings(display.settings, 96);
  display.settings.textColor = kWhite;
  display.settings.backgroundColor = kBlue;
  display.settings.highlightTopColor = kRed;
  display.settings.highlightBottomColor = kRed;
  display.settings.antiAliased = 0;
  display.settings.smoothText = 0;  // two colours only: exact pixel counts
}

class KaraokeRender : public testing::Test {
 protected:
  // Prepares every cache the way a frame does, for a display of the target.
  void Prepare(KaraokeLayout layout) {
    SetKaraokeLayout(display_, layout);
    ASSERT_EQ(PrepareBackgroundBrush(display_, target_.dc()), S_OK);
    ASSERT_EQ(PrepareFont(display_, target_.dc()), S_OK);
    ASSERT_NE(display_.lyricsFont, nullptr);
    ASSERT_EQ(MeasureLyrics(display_, target_.dc()), S_OK);
    display_.displayWidth = 240;
    display_.displayHeight = 200;
    ASSERT_EQ(PrepareBitmaps(display_, target_.dc()), S_OK);
    ASSERT_NE(display_.slotBitmap, nullptr);
  }
  HRESULT Frame(int32_t t) {
    return DrawFrame(display_, target_.dc(), target_.rect(), t, true, timing_);
  }

  DibTarget target_{240, 200};
  KaraokeDisplay display_;
  TimingOffset timing_;
};

TEST_F(KaraokeRender, OneLineShowsUnsungUntilItsTimeAndSungOneCentisecondLater) {
  LoadLines(display_, 3);
  UseSolidColors(display_);
  Prepare(KaraokeLayout::OneLine);
  const int h = display_.lineHeight;
  const int top = (200 - h) / 2;
  ASSERT_EQ(Frame(1000), S_OK);
  EXPECT_GT(target_.Count(kWhite, top, top + h), 20);
  EXPECT_EQ(target_.Count(kRed, 0, 200), 0);
  ASSERT_EQ(Frame(1001), S_OK);
  EXPECT_EQ(target_.Count(kWhite, 0, 200), 0);
  EXPECT_GT(target_.Count(kRed, top, top + h), 20);
  // Outside the block only background.
  EXPECT_EQ(target_.Count(kBlue, 0, top), 240 * top);
}

TEST_F(KaraokeRender, HighlightOnlyGrowsAndUnhighlightRestoresTheUnsungText) {
  LoadLines(display_, 1);
  UseSolidColors(display_);
  Prepare(KaraokeLayout::OneLine);
  MemoryDc memory(target_.dc());
  ASSERT_EQ(RenderLineToSlot(display_, memory.get(), 0), S_OK);
  const LineSlot& slot = display_.slots[0];
  const int32_t width = display_.lyrics.textLines[0].width;
  const size_t area = size_t(display_.lineHeight) * 240;
  const std::vector<uint32_t> unsung(slot.pixels, slot.pixels + area);

  ASSERT_EQ(HighlightLine(display_, 0, width / 2), S_OK);
  const std::vector<uint32_t> half(slot.pixels, slot.pixels + area);
  EXPECT_NE(half, unsung);
  EXPECT_EQ(slot.highlightedWidth, width / 2);

  ASSERT_EQ(HighlightLine(display_, 0, 3), S_OK);  // smaller: nothing changes
  EXPECT_EQ(std::vector<uint32_t>(slot.pixels, slot.pixels + area), half);
  EXPECT_EQ(slot.highlightedWidth, width / 2);

  ASSERT_EQ(UnhighlightLine(display_, 0), S_OK);
  EXPECT_EQ(std::vector<uint32_t>(slot.pixels, slot.pixels + area), unsung);
  EXPECT_EQ(slot.highlightedWidth, 0);

  EXPECT_EQ(HighlightLine(display_, 1, 10), E_INVALIDARG);
  EXPECT_EQ(HighlightLine(display_, 0, -1), E_INVALIDARG);
  EXPECT_EQ(ClearSlot(display_, memory.get(), 1), E_INVALIDARG);
}

TEST_F(KaraokeRender, ACentredLineWiderThanTheDisplayIsCutAtBothEdges) {
  KmBuilder builder;
  builder.Line(std::string(60, 'W')).Piece(0, 0, kKmNoOffset, 0, 100);
  ASSERT_EQ(ParseKmFile(ToBuffer(builder.Bytes()), NoLeadBytes, display_.lyrics), LoadStatus::Loaded);
  UseSolidColors(display_);
  Prepare(KaraokeLayout::OneLine);
  MemoryDc memory(target_.dc());
  ASSERT_EQ(RenderLineToSlot(display_, memory.get(), 0), S_OK);
  const LineSlot& slot = display_.slots[0];
  EXPECT_LT(slot.x, 0);
  // Text reaches both edges: the first and the last column hold text.
  int left = 0, right = 0;
  for (int y = 0; y < display_.lineHeight; ++y) {
    left += slot.coverage[y * 240] == 0;
    right += slot.coverage[y * 240 + 239] == 0;
  }
  EXPECT_GT(left + right, 0);
}

TEST_F(KaraokeRender, AntiAliasingGivesIntermediateCoverage) {
  LoadLines(display_, 1);
  SetDefaultDisplaySettings(display_.settings, 96);  // Arial 14 pt, anti-aliased
  ASSERT_TRUE(display_.settings.smoothText);
  Prepare(KaraokeLayout::OneLine);
  MemoryDc memory(target_.dc());
  ASSERT_EQ(RenderLineToSlot(display_, memory.get(), 0), S_OK);
  int partial = 0;
  for (size_t i = 0; i < size_t(display_.lineHeight) * 240; ++i) {
    const uint8_t level = display_.slots[0].coverage[i];
    ASSERT_LE(level, 16);
    partial += level > 0 && level < 16;
  }
  EXPECT_GT(partial, 10);
}

TEST_F(KaraokeRender, ThreeLinesScrollsTheSungLinesUpBetweenLineStarts) {
  LoadLines(display_, 6);
  UseSolidColors(display_);
  display_.settings.verticalAlignment = 1;  // block at the top
  Prepare(KaraokeLayout::ThreeLines);
  const int h = display_.lineHeight;

  // At the start of line 3: lines 1 and 2 sung above, line 3 unsung at the
  // bottom row.
  ASSERT_EQ(Frame(4000), S_OK);
  EXPECT_EQ(display_.currentSyncpoint, 3);
  EXPECT_GT(target_.Count(kRed, 0, 2 * h), 40);
  EXPECT_EQ(target_.Count(kWhite, 0, 2 * h), 0);
  EXPECT_GT(target_.Count(kWhite, 2 * h, 3 * h), 20);
  EXPECT_EQ(target_.Count(kRed, 2 * h, 3 * h), 0);

  // Halfway to line 4: the block moved up by half a line; line 4 enters,
  // unsung, in the bottom half row.
  ASSERT_EQ(Frame(4500), S_OK);
  EXPECT_EQ(target_.Count(kWhite, 0, 2 * h + h / 2), 0);
  EXPECT_GT(target_.Count(kWhite, 2 * h + h / 2, 3 * h), 0);
  EXPECT_EQ(target_.Count(kRed, 3 * h, 200), 0);
}

// At the start of line 4 of 10, row by row: 'S' sung, 'U' unsung, '-' empty.
TEST_F(KaraokeRender, EachLayoutPlacesTheCurrentLineAndItsNeighbours) {
  struct Case {
    KaraokeLayout layout;
    const char* rows;
  } cases[] = {
      {KaraokeLayout::OneLine, "U"},
      {KaraokeLayout::TwoLines, "UU"},
      {KaraokeLayout::ThreeLines, "SSU"},
      {KaraokeLayout::FiveLines, "SSSUU"},
      {KaraokeLayout::SevenLines, "SSSSUUU"},
  };
  for (const Case& c : cases) {
    KaraokeDisplay display;
    LoadLines(display, 10);
    UseSolidColors(display);
    display.settings.verticalAlignment = 1;
    DibTarget target(240, 200);
    TimingOffset timing;
    SetKaraokeLayout(display, c.layout);
    ASSERT_EQ(DrawKaraokeFrame(display, target.dc(), target.rect(), 5000, true, timing), S_OK);
    const int h = display.lineHeight;
    for (int row = 0; c.rows[row]; ++row) {
      const int red = target.Count(kRed, row * h, (row + 1) * h);
      const int white = target.Count(kWhite, row * h, (row + 1) * h);
      const char seen = red > 10 && white == 0 ? 'S' : white > 10 && red == 0 ? 'U' : '?';
      EXPECT_EQ(seen, c.rows[row]) << FindLayoutInfo(c.layout)->title << " row " << row;
    }
    const int below = int(std::strlen(c.rows)) * h;
    EXPECT_EQ(target.Count(kBlue, below, 200), (200 - below) * 240) << FindLayoutInfo(c.layout)->title;
  }
}

TEST_F(KaraokeRender, BeforeTheFirstAndAfterTheLastPiece) {
  LoadLines(display_, 3);
  UseSolidColors(display_);
  display_.settings.verticalAlignment = 1;
  Prepare(KaraokeLayout::ThreeLines);
  const int h = display_.lineHeight;
  ASSERT_EQ(Frame(0), S_OK);
  // Rows above the current line are empty; line 0 unsung at the bottom.
  EXPECT_EQ(target_.Count(kBlue, 0, 2 * h), 2 * h * 240);
  EXPECT_GT(target_.Count(kWhite, 2 * h, 3 * h), 20);
  // A seek past the end, then back to the start: lines show unsung again.
  ASSERT_EQ(Frame(90000), S_OK);
  EXPECT_EQ(display_.currentSyncpoint, 2);
  EXPECT_GT(target_.Count(kRed, 2 * h, 3 * h), 20);
  EXPECT_EQ(target_.Count(kWhite, 0, 200), 0);
  ASSERT_EQ(Frame(0), S_OK);
  EXPECT_EQ(display_.currentSyncpoint, 0);
  EXPECT_EQ(target_.Count(kRed, 0, 200), 0);
}

TEST_F(KaraokeRender, TwoLinesAlternateSidesPutsOddLinesAtTheRightMargin) {
  LoadLines(display_, 3);
  UseSolidColors(display_);
  display_.settings.leftAligned = 1;
  display_.settings.alternateSides = 1;
  display_.settings.leftMargin = 10;
  display_.settings.verticalAlignment = 1;
  Prepare(KaraokeLayout::TwoLines);
  const int h = display_.lineHeight;
  ASSERT_EQ(Frame(0), S_OK);
  const int32_t width1 = display_.lyrics.textLines[1].width;
  EXPECT_EQ(display_.slots[0].x, 10);
  EXPECT_EQ(display_.slots[1].x, 240 - width1 - 10);
  // Nothing of line 1 left of its box, nothing of line 0 right of its box.
  EXPECT_EQ(target_.Count(kWhite, h, 2 * h, 0, 240 - width1 - 10), 0);
  EXPECT_EQ(target_.Count(kWhite, 0, h, 10 + display_.lyrics.textLines[0].width, 240), 0);
}

TEST_F(KaraokeRender, TheOffsetBoxShowsForThirtyFramesAndIsErasedOnTheThirtyFirst) {
  LoadLines(display_, 2);
  UseSolidColors(display_);
  display_.settings.verticalAlignment = 1;
  Prepare(KaraokeLayout::OneLine);
  StepTimingOffset(timing_, true);  // Alt+Left
  for (int frame = 1; frame <= 30; ++frame) {
    ASSERT_EQ(Frame(500), S_OK);
    // The box is black with white text in the bottom-right corner.
    EXPECT_EQ(target_.Pixel(238, 198), 0u) << "frame " << frame;
  }
  EXPECT_EQ(timing_.indicatorFrames, 1);
  ASSERT_EQ(Frame(500), S_OK);
  EXPECT_EQ(timing_.indicatorFrames, 0);
  EXPECT_EQ(target_.Pixel(238, 198), DibPixel(kBlue));
}

TEST(KaraokeFrame, TakesUpChangedSettingsAndShiftsByTheTimingOffset) {
  static DisplaySettings stored;
  static const DisplaySettingsIo io = {
      [](DisplaySettings& settings) { settings = stored; },
      [](const DisplaySettings&) { return true; },
  };
  SetDefaultDisplaySettings(stored, 96);
  stored.textColor = kWhite;
  stored.backgroundColor = kBlue;
  stored.highlightTopColor = stored.highlightBottomColor = kRed;
  stored.antiAliased = stored.smoothText = 0;
  DisplaySettingsStore store = {&io, {}, {}, false, 0};
  AttachDisplayUser(store);

  KaraokeDisplay display;
  LoadLines(display, 2);
  TakeLiveSettings(store, display.settings);
  DibTarget target(240, 200);
  TimingOffset timing;
  timing.offset = 25;  // lyrics 0.25 s ahead
  ASSERT_EQ(RenderKaraokeFrame(display, store, target.dc(), target.rect(), 976, true, timing, nullptr),
            S_OK);
  EXPECT_GT(target.Count(kRed, 0, 200), 20);  // time 1001: line 0 sung
  timing.offset = 0;
  ASSERT_EQ(RenderKaraokeFrame(display, store, target.dc(), target.rect(), 976, true, timing, nullptr),
            S_OK);
  EXPECT_EQ(target.Count(kRed, 0, 200), 0);

  // New colours from the options reach the next frame.
  DisplaySettings options = store.live;
  options.textColor = 0x0000FF00;
  ASSERT_TRUE(ReplaceLiveSettings(store, options));
  ASSERT_EQ(RenderKaraokeFrame(display, store, target.dc(), target.rect(), 976, true, timing, nullptr),
            S_OK);
  EXPECT_GT(target.Count(0x0000FF00, 0, 200), 20);
  EXPECT_EQ(target.Count(kWhite, 0, 200), 0);
}

}  // namespace
