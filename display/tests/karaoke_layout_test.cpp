#include "display/karaoke_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

Syncpoint Piece(int32_t start, int32_t end, uint16_t startPos = 0, uint16_t endPos = 100) {
  return Syncpoint{0, kToLineEnd, startPos, endPos, start, end};
}

// Pieces [100,200) [200,300), a pause, [500,600) [700,701).
const std::vector<Syncpoint> kSong = {Piece(100, 200), Piece(200, 300), Piece(500, 600),
                                      Piece(700, 701)};

int32_t Move(int32_t from, int32_t t) {
  return MoveCursor(kSong.data(), int32_t(kSong.size()), from, t);
}

TEST(MoveCursor, FollowsPlaybackAndSeeks) {
  struct Case {
    const char* name;
    int32_t from, t, expected;
  } cases[] = {
      {"before the first piece", 0, 0, 0},
      {"while the first is sung", 0, 150, 0},
      {"into the second by playing on", 0, 250, 1},
      {"into the pause by playing on", 1, 400, 1},
      {"a seek from the start over the pause", 0, 450, 1},
      {"a seek far ahead", 0, 10000, 3},
      {"after the last piece", 3, 800, 3},
      {"a seek back into a sung piece", 3, 120, 0},
      {"a seek from far ahead back into the pause", 3, 400, 1},
      {"resting on the piece after the pause stays", 2, 450, 2},
      {"a small step back inside a piece", 2, 499, 2},
      {"exactly at a start", 0, 500, 2},
      {"a cursor out of range is brought back", 9, 150, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Move(c.from, c.t), c.expected) << c.name;
}

TEST(HighlightTarget, GrowsAcrossThePieceAndJumpsForOneCentisecondPieces) {
  const Syncpoint piece = Piece(100, 200, 40, 140);
  EXPECT_EQ(HighlightTarget(piece, 99), 40);
  EXPECT_EQ(HighlightTarget(piece, 100), 40);
  EXPECT_EQ(HighlightTarget(piece, 150), 90);
  EXPECT_EQ(HighlightTarget(piece, 133), 73);  // 40 + 33 truncated
  EXPECT_EQ(HighlightTarget(piece, 200), 140);
  const Syncpoint lrcLine = Piece(500, 501, 0, 300);
  EXPECT_EQ(HighlightTarget(lrcLine, 499), 0);
  EXPECT_EQ(HighlightTarget(lrcLine, 500), 0);
  EXPECT_EQ(HighlightTarget(lrcLine, 501), 300);
}

TEST(ScrollOffset, MovesOneLineBetweenTwoLineStarts) {
  EXPECT_EQ(ScrollOffset(1000, 2000, 1000, 24), 0);
  EXPECT_EQ(ScrollOffset(1000, 2000, 1500, 24), 12);
  EXPECT_EQ(ScrollOffset(1000, 2000, 1999, 24), 23);
  EXPECT_EQ(ScrollOffset(1000, 2000, 900, 24), 0);
  EXPECT_EQ(ScrollOffset(1000, 1000, 1500, 24), 0);  // no division by zero
  EXPECT_EQ(ScrollOffset(1000, 2000, 5000, 24), 24);  // never past one line
}

DisplaySettings Settings() {
  DisplaySettings settings;
  std::memset(&settings, 0, sizeof settings);
  return settings;
}

TEST(LineX, CentredLeftAndAlternateSides) {
  DisplaySettings settings = Settings();
  EXPECT_EQ(LineX(settings, KaraokeLayout::OneLine, 300, 100, 0), 100);
  EXPECT_EQ(LineX(settings, KaraokeLayout::OneLine, 300, 401, 0), -50);  // truncated toward 0
  settings.leftAligned = 1;
  settings.leftMargin = 10;
  EXPECT_EQ(LineX(settings, KaraokeLayout::TwoLines, 300, 100, 1), 10);
  settings.alternateSides = 1;
  EXPECT_EQ(LineX(settings, KaraokeLayout::TwoLines, 300, 100, 0), 10);
  EXPECT_EQ(LineX(settings, KaraokeLayout::TwoLines, 300, 100, 1), 190);
  EXPECT_EQ(LineX(settings, KaraokeLayout::TwoLines, 300, 100, 2), 10);
  EXPECT_EQ(LineX(settings, KaraokeLayout::ThreeLines, 300, 100, 1), 10);
}

TEST(PlaceBand, AlignsAndClipsTheBlockOfLines) {
  DisplaySettings settings = Settings();
  BandPlacement band = PlaceBand(settings, 10, 110, 3, 20);  // centred
  EXPECT_EQ(band.y, 30);
  EXPECT_EQ(band.height, 60);
  EXPECT_EQ(band.firstRow, 0);
  settings.verticalAlignment = 1;
  settings.topMargin = 5;
  EXPECT_EQ(PlaceBand(settings, 10, 110, 3, 20).y, 15);
  settings.verticalAlignment = 2;
  settings.bottomMargin = 10;
  EXPECT_EQ(PlaceBand(settings, 10, 110, 3, 20).y, 40);
  settings.verticalAlignment = 7;  // anything else is bottom too
  EXPECT_EQ(PlaceBand(settings, 10, 110, 3, 20).y, 40);

  // Taller than the rectangle, centred: cut at both ends.
  settings.verticalAlignment = 0;
  band = PlaceBand(settings, 0, 50, 7, 20);
  EXPECT_EQ(band.y, -45);
  EXPECT_EQ(band.height, 50);
  EXPECT_EQ(band.firstRow, -45);
  // Pushed past the bottom by the top margin.
  settings.verticalAlignment = 1;
  settings.topMargin = 90;
  band = PlaceBand(settings, 0, 100, 1, 20);
  EXPECT_EQ(band.height, 10);
  settings.topMargin = 500;
  EXPECT_EQ(PlaceBand(settings, 0, 100, 1, 20).height, 0);
}

TEST(Layouts, NumberingAndSlots) {
  KaraokeLayout layout;
  EXPECT_TRUE(LayoutFromPresetIndex(2, layout));
  EXPECT_EQ(layout, KaraokeLayout::ThreeLines);
  EXPECT_TRUE(LayoutFromWinampNumber(5, layout));
  EXPECT_EQ(layout, KaraokeLayout::SevenLines);
  EXPECT_FALSE(LayoutFromPresetIndex(5, layout));
  EXPECT_FALSE(LayoutFromWinampNumber(0, layout));
  EXPECT_STREQ(FindLayoutInfo(KaraokeLayout::FiveLines)->title, "Five Lines");
  EXPECT_EQ(FindLayoutInfo(KaraokeLayout::SevenLines)->lookAhead, 3);
  EXPECT_EQ(FindLayoutInfo(static_cast<KaraokeLayout>(5)), nullptr);
  EXPECT_EQ(SlotOf(-1, 4), 3);
  EXPECT_EQ(SlotOf(9, 4), 1);
}

TEST(TimingOffset, KeysStepWithinTheLimitsAndAlwaysShowTheBox) {
  TimingOffset timing;
  timing.offset = 5999;
  StepTimingOffset(timing, true);
  EXPECT_EQ(timing.offset, 5999);
  EXPECT_EQ(timing.indicatorFrames, 31);
  StepTimingOffset(timing, false);
  EXPECT_EQ(timing.offset, 5998);
  timing.offset = -5999;
  StepTimingOffset(timing, false);
  EXPECT_EQ(timing.offset, -5999);
  StepTimingOffset(timing, true);
  EXPECT_EQ(timing.offset, -5998);
  ResetTimingOffset(timing);
  EXPECT_EQ(timing.offset, 0);
  EXPECT_EQ(timing.indicatorFrames, 1);
}

TEST(TimingOffset, TheBoxShowsAheadAsMinus) {
  char text[7];
  FormatTimingOffset(0, text);
  EXPECT_STREQ(text, "+00.00");
  FormatTimingOffset(25, text);
  EXPECT_STREQ(text, "-00.25");
  FormatTimingOffset(-1234, text);
  EXPECT_STREQ(text, "+12.34");
  FormatTimingOffset(5999, text);
  EXPECT_STREQ(text, "-59.99");
}

}  // namespace
