#include "editor/controls/position_bar.h"

#include <gtest/gtest.h>

#include "editor/controls/tests/control_test_host.h"

namespace {

const int kBarId = 1005;
const uint32_t kMarker = 0xFF00FF;

// The bar's client area is 300 by 23 pixels, 60 pixels into its parent so
// that the pointer can leave it on both sides.
class PositionBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bar_.CreateControl(TestParent(), GetModuleHandleA(nullptr), MakeRect(60, 20, 302, 25), kBarId));
    RECT client;
    GetClientRect(bar_.hwnd(), &client);
    ASSERT_EQ(300, client.right);
    UpdateWindow(bar_.hwnd());
    PumpMessages();
    Notifications().clear();
  }
  void TearDown() override { PressLeftButton(false); }

  // Every notification so far came from the bar as the parent expects it.
  void ExpectNotificationsFromBar() {
    for (const Notification& notification : Notifications()) {
      EXPECT_EQ(kBarId, LOWORD(notification.wParam));
      EXPECT_EQ(0, HIWORD(notification.wParam));
      EXPECT_EQ(reinterpret_cast<LPARAM>(bar_.hwnd()), notification.lParam);
    }
  }

  // The bar is green from x 0 to greenUpTo and button face after it.
  void ExpectPlayedUpTo(int greenUpTo) {
    const ClientPicture shown = CaptureClient(bar_.hwnd());
    ASSERT_EQ(300, shown.width);
    const uint32_t face = PixelOf(GetSysColor(COLOR_BTNFACE));
    int wrong = 0;
    for (int y = 0; y < shown.height; ++y) {
      for (int x = 0; x < shown.width; ++x) {
        wrong += shown.at(x, y) != (x < greenUpTo ? PixelOf(PositionBar::kPlayedColor) : face);
      }
    }
    EXPECT_EQ(0, wrong) << "green up to " << greenUpTo;
  }

  void PutMarker(int x, int y) {
    HDC dc = GetDC(bar_.hwnd());
    SetPixelV(dc, x, y, RGB(0xFF, 0x00, 0xFF));
    ReleaseDC(bar_.hwnd(), dc);
  }

  PositionBar bar_;
};

TEST_F(PositionBarTest, ClickAndDragSetThePositionAndTellTheParent) {
  bar_.SetRange(18000);
  ASSERT_EQ(150, MoveMouse(bar_.hwnd(), 150, 10).x);
  PressLeftButton(true);
  EXPECT_EQ(9000, bar_.GetPosition());
  EXPECT_TRUE(bar_.IsDragging());
  EXPECT_EQ(bar_.hwnd(), GetCapture());
  ASSERT_FALSE(Notifications().empty());
  ExpectPlayedUpTo(150);

  // Beyond either end the position stops at 0 or at the range.
  const size_t beforeDrag = Notifications().size();
  ASSERT_EQ(-40, MoveMouse(bar_.hwnd(), -40, 10).x);
  EXPECT_EQ(0, bar_.GetPosition());
  ExpectPlayedUpTo(0);
  ASSERT_EQ(340, MoveMouse(bar_.hwnd(), 340, 40).x);
  EXPECT_EQ(18000, bar_.GetPosition());
  ExpectPlayedUpTo(300);
  MoveMouse(bar_.hwnd(), 30, 10);
  EXPECT_EQ(1800, bar_.GetPosition());
  EXPECT_TRUE(bar_.IsDragging());
  EXPECT_GE(Notifications().size(), beforeDrag + 3);

  const size_t beforeRelease = Notifications().size();
  PressLeftButton(false);
  EXPECT_FALSE(bar_.IsDragging());
  EXPECT_EQ(nullptr, GetCapture());
  EXPECT_EQ(beforeRelease + 1, Notifications().size());
  EXPECT_EQ(1800, bar_.GetPosition());
  ExpectPlayedUpTo(30);

  // Without the button the pointer moves nothing.
  MoveMouse(bar_.hwnd(), 200, 10);
  EXPECT_EQ(1800, bar_.GetPosition());
  EXPECT_EQ(beforeRelease + 1, Notifications().size());
  ExpectNotificationsFromBar();
}

TEST_F(PositionBarTest, DisablingEndsADragAndTheDisabledBarIgnoresTheMouse) {
  bar_.SetRange(300);
  bar_.SetPosition(200);
  MoveMouse(bar_.hwnd(), 100, 10);
  PressLeftButton(true);
  ASSERT_TRUE(bar_.IsDragging());
  ASSERT_EQ(bar_.hwnd(), GetCapture());
  EXPECT_EQ(100, bar_.GetPosition());

  const size_t beforeDisable = Notifications().size();
  bar_.Enable(false, true);
  EXPECT_FALSE(bar_.IsDragging());
  EXPECT_EQ(nullptr, GetCapture());
  ExpectPlayedUpTo(0);
  MoveMouse(bar_.hwnd(), 250, 10);
  PressLeftButton(false);
  MoveMouse(bar_.hwnd(), 50, 10);
  PressLeftButton(true);
  PressLeftButton(false);
  EXPECT_EQ(100, bar_.GetPosition());
  EXPECT_EQ(beforeDisable, Notifications().size());
  EXPECT_EQ(nullptr, GetCapture());

  // Positions set while disabled show once the bar is enabled again.
  bar_.SetPosition(120);
  ExpectPlayedUpTo(0);
  bar_.Enable(true, true);
  ExpectPlayedUpTo(120);
}

TEST_F(PositionBarTest, LosingTheMouseToAnotherWindowEndsTheDrag) {
  bar_.SetRange(300);
  MoveMouse(bar_.hwnd(), 100, 10);
  PressLeftButton(true);
  ASSERT_TRUE(bar_.IsDragging());
  const size_t beforeLoss = Notifications().size();
  SetCapture(TestParent());
  EXPECT_FALSE(bar_.IsDragging());
  EXPECT_EQ(beforeLoss + 1, Notifications().size());
  ReleaseCapture();
  MoveMouse(bar_.hwnd(), 200, 10);
  EXPECT_EQ(100, bar_.GetPosition());
  ExpectNotificationsFromBar();
}

TEST_F(PositionBarTest, RangeChangesKeepTheShareOfThePosition) {
  bar_.SetPosition(50);
  bar_.SetRange(200);
  EXPECT_EQ(100, bar_.GetPosition());
  bar_.SetRange(0);
  bar_.SetRange(-5);
  EXPECT_EQ(200, bar_.GetRange());
  EXPECT_EQ(100, bar_.GetPosition());
  ExpectPlayedUpTo(150);
  bar_.SetPosition(500);
  EXPECT_EQ(200, bar_.GetPosition());
  bar_.SetPosition(-1);
  EXPECT_EQ(0, bar_.GetPosition());
  ExpectPlayedUpTo(0);

  // Long songs: range times bar width is far beyond 32 bits.
  bar_.SetRange(2000000000);
  bar_.SetPosition(1000000000);
  ExpectPlayedUpTo(150);
  bar_.SetRange(1000000000);
  EXPECT_EQ(500000000, bar_.GetPosition());
  ExpectPlayedUpTo(150);
  EXPECT_TRUE(Notifications().empty());
}

TEST_F(PositionBarTest, SettingThePositionPaintsOnlyTheStripThatChanged) {
  bar_.SetRange(300);
  bar_.SetPosition(10);
  ExpectPlayedUpTo(10);
  // Markers inside the played part and beyond it survive every step below,
  // which paints only between the old and the new end.
  PutMarker(5, 5);
  PutMarker(250, 5);
  for (int position : {11, 12, 20, 40, 15}) {
    bar_.SetPosition(position);
    const ClientPicture shown = CaptureClient(bar_.hwnd());
    EXPECT_EQ(kMarker, shown.at(5, 5));
    EXPECT_EQ(kMarker, shown.at(250, 5));
    for (int x = 10; x < 60; ++x) {
      const uint32_t expected = PixelOf(x < position ? PositionBar::kPlayedColor : GetSysColor(COLOR_BTNFACE));
      EXPECT_EQ(expected, shown.at(x, 12)) << "x " << x << " at position " << position;
    }
  }
  InvalidateRect(bar_.hwnd(), nullptr, FALSE);
  UpdateWindow(bar_.hwnd());
  ExpectPlayedUpTo(15);
}

}  // namespace
