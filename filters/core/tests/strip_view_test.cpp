// Time to pixel and back, zoom limits, following the play position, and the
// ruler's spacing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "filters/core/ruler_ticks.h"
#include "filters/core/strip_view.h"

namespace {

TEST(StripView, PixelsAndTimesRoundTripAtEveryZoom) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 300; ++trial) {
    int width = std::uniform_int_distribution<int>(50, 2000)(rng);
    int32_t song = std::uniform_int_distribution<int32_t>(0, 360000)(rng);
    StripView view = MakeStripView(width, song);
    ZoomView(view, width / 2, std::exp(std::uniform_real_distribution<double>(-3, 6)(rng)));
    PanView(view, std::uniform_real_distribution<double>(-5000, 5000)(rng));
    SCOPED_TRACE(testing::Message() << "width " << width << " song " << song);
    double span = ViewSpan(view);
    ASSERT_GE(span, kMinimumSpan - 1e-6);
    ASSERT_LE(span, std::max<double>(song, kMinimumSpan) + 1e-6);
    ASSERT_GE(view.origin, 0);
    ASSERT_LE(view.origin + span, std::max<double>(song, span) + 1e-6);
    for (int x = 0; x < width; x += 7) {
      // A time is a whole centisecond: at most half of one away.
      ASSERT_LE(std::fabs(TimeToX(view, XToTime(view, x)) - x), 0.5 / view.scale + 1e-9);
      int32_t t = int32_t(view.origin) + x;
      ASSERT_LE(std::abs(XToTime(view, int(std::lround(TimeToX(view, t)))) - t),
                view.scale / 2 + 0.5);
    }
  }
}

TEST(StripView, ZoomKeepsTheTimeUnderTheMouseAndStopsAtItsLimits) {
  StripView view = MakeStripView(1000, 60000);
  EXPECT_DOUBLE_EQ(ViewSpan(view), kDefaultSpan);
  PanView(view, 2000);
  int32_t under = XToTime(view, 300);
  ZoomView(view, 300, 0.5);
  EXPECT_NEAR(XToTime(view, 300), under, 1);
  for (int i = 0; i < 20; ++i) ZoomView(view, 300, 0.5);
  EXPECT_DOUBLE_EQ(ViewSpan(view), kMinimumSpan);
  for (int i = 0; i < 40; ++i) ZoomView(view, 300, 2);
  EXPECT_DOUBLE_EQ(ViewSpan(view), 60000);
  EXPECT_EQ(view.origin, 0);
  // A song shorter than the default span is shown whole.
  EXPECT_DOUBLE_EQ(ViewSpan(MakeStripView(640, 700)), 700);
  // Resizing keeps the scale.
  StripView wide = MakeStripView(500, 60000);
  ResizeView(wide, 1000);
  EXPECT_DOUBLE_EQ(ViewSpan(wide), 2 * kDefaultSpan);
}

TEST(StripView, PlayCursorNeverLeavesTheStrip) {
  for (int32_t song : {150, 6000, 100000}) {
    StripView view = MakeStripView(800, song);
    int moves = 0;
    for (int32_t t = 0; t < song; t += 7) {
      moves += FollowPosition(view, t);
      double x = TimeToX(view, t);
      ASSERT_GE(x, 0);
      ASSERT_LT(x, view.width);
    }
    // It pages rather than creeping along.
    EXPECT_LE(moves, song / 700 + 1);
    FollowPosition(view, 10);
    EXPECT_GE(TimeToX(view, 10), 0);
  }
}

TEST(RulerTicks, LabelsStandApartWithoutGaps) {
  for (double scale = 0.05; scale < 20000; scale *= 1.07) {
    RulerTicks ticks = ChooseRulerTicks(scale, 80);
    ASSERT_EQ(ticks.major % ticks.minor, 0);
    double pixels = ticks.major / scale;
    if (ticks.major > 5 && ticks.major < 3600000) {
      ASSERT_GE(pixels, 80) << scale;
      ASSERT_LT(pixels, 3 * 80) << scale;
    }
  }
  char label[32];
  FormatRulerLabel(6150, 100, label, sizeof label);
  EXPECT_STREQ(label, "1:01");
  FormatRulerLabel(6150, 50, label, sizeof label);
  EXPECT_STREQ(label, "1:01.5");
  FormatRulerLabel(6155, 5, label, sizeof label);
  EXPECT_STREQ(label, "1:01.55");
  FormatRulerLabel(-250, 50, label, sizeof label);
  EXPECT_STREQ(label, "-0:02.5");
  FormatRulerLabel(6155, 5, label, 4);
  EXPECT_EQ(strlen(label), 3u);
}

}  // namespace
