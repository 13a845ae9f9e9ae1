#include "editor/controls/toolbar_images.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "editor/controls/toolbar_raster.h"

namespace {

const int kCommands[] = {32773, 32774, 32777, 32778, 32775, 32776, 32779, 32780, 32781,
                         32782, 32783, 32784, 32785, 32786, 32787, 32788, 32789, 57601,
                         57603, 57634, 57637, 57643, 57644, 32771, 32772};

// Pixels that a person would see as different: some channel or the alpha
// differs by more than a quarter.
int VisiblyDifferentPixels(const ToolbarImage& a, const ToolbarImage& b) {
  int count = 0;
  for (int i = 0; i < a.width * a.height; ++i) {
    for (int shift = 0; shift < 32; shift += 8) {
      if (std::abs(int(a.pixels[i] >> shift & 0xFF) - int(b.pixels[i] >> shift & 0xFF)) > 64) {
        ++count;
        break;
      }
    }
  }
  return count;
}

TEST(ToolbarImages, EachCommandHasItsOwnDrawnImage) {
  EXPECT_EQ(GetToolbarImage(57600).pixels, nullptr);
  for (int id : kCommands) {
    ToolbarImage image = GetToolbarImage(id);
    ASSERT_TRUE(image.pixels) << id;
    ASSERT_EQ(image.width, kToolbarImageSize);
    ASSERT_EQ(image.height, kToolbarImageSize);
    EXPECT_EQ(GetToolbarImage(id).pixels, image.pixels) << "drawn once";
    const int last = kToolbarImageSize - 1;
    for (int corner : {0, last, last * kToolbarImageSize, last * kToolbarImageSize + last}) {
      EXPECT_EQ(image.pixels[corner] >> 24, 0u) << id << " corner " << corner;
    }
    int opaque = 0, clear = 0;
    for (int i = 0; i < image.width * image.height; ++i) {
      opaque += image.pixels[i] >> 24 == 255;
      clear += image.pixels[i] >> 24 == 0;
    }
    EXPECT_GE(opaque, 30) << id;
    EXPECT_GE(clear, 48) << id;
  }
  for (int a : kCommands) {
    for (int b : kCommands) {
      if (a < b) {
        EXPECT_GE(VisiblyDifferentPixels(GetToolbarImage(a), GetToolbarImage(b)), 12) << a << " " << b;
      }
    }
  }
}

float TotalAlpha(const RasterCanvas& canvas) {
  float total = 0;
  for (uint32_t pixel : canvas.Pixels()) total += (pixel >> 24) / 255.0f;
  return total;
}

TEST(ToolbarRaster, CoverageMatchesTheArea) {
  // Rectangles on whole pixels come out crisp, in their colour.
  RasterCanvas crisp(16, 16);
  crisp.Fill(RasterPath().Rect(2, 3, 7, 9).Rect(5, 5, 12, 7), 0xFF336699);
  std::vector<uint32_t> pixels = crisp.Pixels();
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      bool inside = (x >= 2 && x < 7 && y >= 3 && y < 9) || (x >= 5 && x < 12 && y >= 5 && y < 7);
      EXPECT_EQ(pixels[y * 16 + x], inside ? 0xFF336699u : 0u) << x << "," << y;
    }
  }
  // Random triangles and rings: the summed alpha is the shape's area.
  std::mt19937 random(7);
  std::uniform_real_distribution<float> coordinate(0, 16);
  for (int round = 0; round < 200; ++round) {
    RasterPoint a = {coordinate(random), coordinate(random)};
    RasterPoint b = {coordinate(random), coordinate(random)};
    RasterPoint c = {coordinate(random), coordinate(random)};
    float area = std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
    RasterCanvas canvas(16, 16);
    canvas.Fill(RasterPath().Polygon({a, b, c}), 0xFF000000);
    EXPECT_NEAR(TotalAlpha(canvas), area, 0.6f + area * 0.01f) << round;
  }
  RasterCanvas ring(16, 16);
  ring.Fill(RasterPath().Circle(8, 8, 6).Hole(ArcPoints(8, 8, 3, 0, 360)), 0xFF000000);
  EXPECT_NEAR(TotalAlpha(ring), 3.14159f * (36 - 9), 1.5f);
  // Half-transparent paint over itself: alpha 1 - (1 - a)^2.
  RasterCanvas twice(4, 4);
  twice.Fill(RasterPath().Rect(0, 0, 4, 4), 0x80FF0000);
  twice.Fill(RasterPath().Rect(0, 0, 4, 4), 0x80FF0000);
  EXPECT_NEAR(twice.Pixels()[0] >> 24, 191, 1);
  EXPECT_EQ(twice.Pixels()[0] & 0xFFFFFF, 0xFF0000u);
}

}  // namespace
