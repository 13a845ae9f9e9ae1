#include "editor/controls/time_display.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "editor/controls/tests/control_test_host.h"

namespace {

// The segments as the readout's design table gives them, read literally:
// bit i lights the two lines of entry i, end points excluded.
const char* const kSegmentTable[7] = {
    "(0,1)-(0,7) and (1,2)-(1,6)",    "(0,8)-(0,13) and (1,9)-(1,12)",
    "(1,0)-(7,0) and (2,1)-(6,1)",    "(6,2)-(6,5) and (7,1)-(7,6)",
    "(6,8)-(6,12) and (7,7)-(7,13)",  "(2,6)-(7,6) and (1,7)-(6,7)",
    "(2,12)-(6,12) and (1,13)-(7,13)",
};
const int kDigitMasks[10] = {95, 24, 110, 124, 57, 117, 119, 28, 127, 125};

using Reference = ClientPicture;

void Set(Reference& picture, int x, int y, uint32_t pixel) {
  if (x >= 0 && y >= 0 && x < picture.width && y < picture.height) {
    picture.pixels[size_t(y) * picture.width + x] = pixel;
  }
}

void DrawReferenceDigit(Reference& picture, int left, int top, int digit, uint32_t ink) {
  for (int segment = 0; segment < 7; ++segment) {
    if (!(kDigitMasks[digit] & (1 << segment))) continue;
    int line[2][4];
    ASSERT_EQ(8, std::sscanf(kSegmentTable[segment], "(%d,%d)-(%d,%d) and (%d,%d)-(%d,%d)",
                             &line[0][0], &line[0][1], &line[0][2], &line[0][3], &line[1][0],
                             &line[1][1], &line[1][2], &line[1][3]));
    for (const auto& l : line) {
      const int dx = l[2] > l[0] ? 1 : 0;
      const int dy = l[3] > l[1] ? 1 : 0;
      for (int x = l[0], y = l[1]; x != l[2] || y != l[3]; x += dx, y += dy) {
        Set(picture, left + x, top + y, ink);
      }
    }
  }
}

void DrawReferenceDot(Reference& picture, int x, int y, uint32_t ink) {
  for (int i = 0; i < 4; ++i) Set(picture, x + i % 2, y + i / 2, ink);
}

// The control's client area showing `text` ("HH:MM:SS.hh"): digits at
// x 4, 14, 30, 40, 56, 66, 80 and 90, colons at 25 and 51, the point at 76,
// all 14 rows high and centred one row low.
Reference DrawReference(int width, int height, const std::string& text, COLORREF color) {
  Reference picture{width, height,
                    std::vector<uint32_t>(size_t(width) * height, PixelOf(GetSysColor(COLOR_BTNFACE)))};
  const uint32_t ink = PixelOf(color);
  const int top = (height - 14) / 2 + 1;
  const int digitX[8] = {4, 14, 30, 40, 56, 66, 80, 90};
  const int digitAt[8] = {0, 1, 3, 4, 6, 7, 9, 10};
  for (int i = 0; i < 8; ++i) DrawReferenceDigit(picture, digitX[i], top, text[digitAt[i]] - '0', ink);
  for (int colonX : {25, 51}) {
    DrawReferenceDot(picture, colonX, top + 3, ink);
    DrawReferenceDot(picture, colonX, top + 9, ink);
  }
  DrawReferenceDot(picture, 76, top + 12, ink);
  return picture;
}

std::string Readout(int64_t centiseconds) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%02d", int(centiseconds / 360000 % 100),
                int(centiseconds / 6000 % 60), int(centiseconds / 100 % 60),
                int(centiseconds % 100));
  return text;
}

// Counts the pixels of the control that differ from the reference.
int DifferingPixels(const ClientPicture& shown, const Reference& expected) {
  if (shown.width != expected.width || shown.height != expected.height) return -1;
  int differing = 0;
  for (size_t i = 0; i < shown.pixels.size(); ++i) differing += shown.pixels[i] != expected.pixels[i];
  return differing;
}

const uint32_t kMarker = 0xFF00FF;

// A pixel that only a full repaint covers again.
void PutMarker(HWND window) {
  HDC dc = GetDC(window);
  SetPixelV(dc, 1, 1, RGB(0xFF, 0x00, 0xFF));
  ReleaseDC(window, dc);
}

class TimeDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_.CreateControl(TestParent(), GetModuleHandleA(nullptr), MakeRect(10, 10, 105, 23),
                                       1006));
    UpdateWindow(display_.hwnd());
  }
  void ExpectShows(const std::string& text, COLORREF color) {
    const ClientPicture shown = CaptureClient(display_.hwnd());
    EXPECT_EQ(0, DifferingPixels(shown, DrawReference(shown.width, shown.height, text, color)))
        << "expected " << text;
  }

  TimeDisplay display_;
};

TEST_F(TimeDisplayTest, DrawsTheSevenSegmentReadout) {
  ExpectShows("00:00:00.00", TimeDisplay::kNormalColor);
  display_.SetTime(360000 + 1234, false);
  ExpectShows("01:00:12.34", TimeDisplay::kNormalColor);
  display_.SetTime(100 * 360000, false);
  ExpectShows("00:00:00.00", TimeDisplay::kNormalColor);
  display_.SetTime(123 * 360000 + 45 * 6000 + 678, true);
  ExpectShows("23:45:06.78", TimeDisplay::kHighlightColor);

  std::mt19937 random(20240611);
  std::uniform_int_distribution<int32_t> anyTime(0, INT32_MAX);
  std::uniform_int_distribution<int32_t> shortTime(0, 3 * 360000);
  for (int i = 0; i < 20; ++i) {
    const int32_t time = i % 2 ? anyTime(random) : shortTime(random);
    const bool highlight = i % 3 == 0;
    display_.SetTime(time, highlight);
    ExpectShows(Readout(time), highlight ? TimeDisplay::kHighlightColor : TimeDisplay::kNormalColor);
  }
}

TEST_F(TimeDisplayTest, RedrawsTheHundredthsAloneWhenNothingElseChanges) {
  display_.SetTime(1234, false);
  PutMarker(display_.hwnd());
  const ClientPicture before = CaptureClient(display_.hwnd());
  ASSERT_EQ(kMarker, before.at(1, 1));

  display_.SetTime(1235, false);
  const ClientPicture after = CaptureClient(display_.hwnd());
  const int top = (after.height - 14) / 2 + 1;
  int changedInside = 0;
  for (int y = 0; y < after.height; ++y) {
    for (int x = 0; x < after.width; ++x) {
      if (after.at(x, y) == before.at(x, y)) continue;
      const bool inside = x >= 80 && x < 98 && y >= top && y < top + 14;
      EXPECT_TRUE(inside) << "pixel " << x << "," << y << " changed";
      changedInside += inside;
    }
  }
  EXPECT_GT(changedInside, 0);
  Reference expected = DrawReference(after.width, after.height, "00:00:12.35", TimeDisplay::kNormalColor);
  Set(expected, 1, 1, kMarker);
  EXPECT_EQ(0, DifferingPixels(after, expected));

  // A new second repaints the whole control, and so does a change of colour.
  display_.SetTime(1299, false);
  PutMarker(display_.hwnd());
  display_.SetTime(1300, false);
  ExpectShows("00:00:13.00", TimeDisplay::kNormalColor);
  PutMarker(display_.hwnd());
  display_.SetTime(1300, true);
  ExpectShows("00:00:13.00", TimeDisplay::kHighlightColor);

  // A negative time changes nothing.
  display_.SetTime(-1300, false);
  ExpectShows("00:00:13.00", TimeDisplay::kHighlightColor);
  EXPECT_TRUE(display_.highlighted());
  EXPECT_EQ(13, display_.shownTime().seconds);
}

TEST(TimeDisplayWithoutWindow, KeepsTheTimeAndShowsItOnceCreated) {
  TimeDisplay display;
  display.SetTime(6000 + 599, true);
  EXPECT_EQ(1, display.shownTime().minutes);
  EXPECT_EQ(5, display.shownTime().seconds);
  ASSERT_TRUE(display.CreateControl(TestParent(), GetModuleHandleA(nullptr), MakeRect(0, 0, 105, 23), 1006));
  EXPECT_FALSE(display.CreateControl(TestParent(), GetModuleHandleA(nullptr), MakeRect(0, 0, 105, 23), 1006));
  UpdateWindow(display.hwnd());
  const ClientPicture shown = CaptureClient(display.hwnd());
  EXPECT_EQ(0, DifferingPixels(shown, DrawReference(shown.width, shown.height, "00:01:05.99",
                                                    TimeDisplay::kHighlightColor)));
  DestroyWindow(display.hwnd());
  EXPECT_EQ(nullptr, display.hwnd());
}

}  // namespace
