#include "editor/controls/toolbar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "editor/controls/tests/control_test_host.h"
#include "editor/controls/toolbar_face.h"
#include "editor/controls/toolbar_images.h"
#include "editor/controls/toolbar_layout.h"

namespace {

constexpr int kPush = 100, kOtherPush = 101, kRadio1 = 201, kRadio2 = 202, kRadio3 = 203,
              kCheck = 300, kRepeat = 400;

// Play, Pause, Stop ... as stand-in pictures for the test's own commands.
const uint32_t* Picture(int commandId) { return GetToolbarImage(commandId).pixels; }

class ToolbarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateTestParent(420, 60);
    ASSERT_TRUE(parent_);
    ASSERT_TRUE(toolbar_.CreateControl(parent_, GetModuleHandleA(nullptr), MakeRect(0, 10, 400, 23), 1003));
    const ToolbarItem row[] = {{kToolbarPushButton, kPush},       {kToolbarPushButton, kOtherPush},
                               {kToolbarSeparator, 0},            {kToolbarRadioFirst, kRadio1},
                               {kToolbarRadioMember, kRadio2},    {kToolbarRadioMember, kRadio3},
                               {kToolbarSeparator, 0},            {kToolbarCheckButton, kCheck},
                               {kToolbarAutoRepeat, kRepeat}};
    for (const ToolbarItem& item : row) {
      RECT button = MakeRect(x_, 0, item.kind == kToolbarSeparator ? 6 : 32, 23);
      x_ = button.right;
      RECT image = MakeRect(button.left + 8, 3, 16, 16);
      ASSERT_TRUE(toolbar_.AddButton(item.kind, button, image, Picture(32774 + item.commandId % 7),
                                     item.commandId));
      centres_[item.commandId] = {(button.left + button.right) / 2, 11};
    }
    PumpMessages();
    Notifications().clear();
  }
  void TearDown() override {
    if (parent_) DestroyWindow(parent_);
  }

  void MoveTo(int commandId) {
    POINT centre = centres_[commandId];
    MoveMouse(toolbar_.hwnd(), centre.x, centre.y);
  }
  void Click(int commandId) {
    MoveTo(commandId);
    PressLeftButton(true);
    PressLeftButton(false);
  }
  // The notifications since the last call, as wParam values.
  std::vector<WPARAM> Sent() {
    std::vector<WPARAM> sent;
    for (const Notification& n : Notifications()) {
      EXPECT_EQ(n.lParam, reinterpret_cast<LPARAM>(toolbar_.hwnd()));
      sent.push_back(n.wParam);
    }
    Notifications().clear();
    return sent;
  }

  HWND parent_ = nullptr;
  Toolbar toolbar_;
  int x_ = 0;
  std::map<int, POINT> centres_;
};

using Sends = std::vector<WPARAM>;

// Pumps messages for about `ms` milliseconds (e.g. while the mouse is held).
void HoldFor(DWORD ms) {
  DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}

BOOL CALLBACK FindTooltip(HWND window, LPARAM found) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == TOOLTIPS_CLASSA) *reinterpret_cast<HWND*>(found) = window;
  return TRUE;
}

TEST(ToolbarLimits, TwentyFiveButtonsAtMostEachWithItsTooltip) {
  Toolbar toolbar;
  const RECT button = MakeRect(0, 0, 10, 23);
  EXPECT_FALSE(toolbar.AddButton(kToolbarPushButton, button, button, nullptr, 1));  // no window yet
  EXPECT_EQ(toolbar.GetButtonState(1), -1);
  EXPECT_FALSE(toolbar.EnableButton(1, false));
  HWND parent = CreateTestParent(300, 40);
  ASSERT_TRUE(toolbar.CreateControl(parent, GetModuleHandleA(nullptr), MakeRect(0, 0, 300, 23), 1004));
  for (int i = 0; i < kToolbarMaxButtons; ++i) {
    int kind = i % 5 == 4 ? kToolbarSeparator : (i == 7 ? 77 : kToolbarPushButton);
    RECT r = MakeRect(i * 10, 0, 10, 23);
    ASSERT_TRUE(toolbar.AddButton(kind, r, r, nullptr, 1000 + i)) << i;
  }
  RECT last = MakeRect(250, 0, 10, 23);
  EXPECT_FALSE(toolbar.AddButton(kToolbarPushButton, last, last, nullptr, 2000));
  EXPECT_EQ(toolbar.ButtonCount(), kToolbarMaxButtons);
  EXPECT_EQ(toolbar.GetButtonState(2000), -1);
  EXPECT_EQ(toolbar.GetButtonState(1004), -1);  // inert items are not buttons to address
  EXPECT_TRUE(toolbar.EnableButton(1007, false)) << "an unknown kind acts as a push button";

  // Every button but the inert ones has a tool whose text is the string
  // resource of its command id, over the button's rectangle.
  HWND tooltip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
  ASSERT_TRUE(tooltip);
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 20);
  std::set<int> texts;
  for (int i = 0; i < 20; ++i) {
    char text[80] = {};
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.lpszText = text;  // a resource id comes back in its place
    ASSERT_TRUE(SendMessageA(tooltip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)));
    int id = static_cast<int>(reinterpret_cast<INT_PTR>(tool.lpszText));
    EXPECT_EQ(tool.hinst, GetModuleHandleA(nullptr));
    EXPECT_EQ(tool.rect.left, (id - 1000) * 10);
    EXPECT_NE(id % 5, 4);
    texts.insert(id);
  }
  EXPECT_EQ(texts.size(), 20u);
  DestroyWindow(parent);
  EXPECT_FALSE(toolbar.hwnd());
  EXPECT_EQ(toolbar.GetButtonState(1000), -1);
}

TEST_F(ToolbarTest, PushCheckAndRadioButtonsReportClicks) {
  EXPECT_TRUE(toolbar_.SetChecked(kRadio1, true));
  EXPECT_FALSE(toolbar_.SetChecked(kPush, true));

  Click(kPush);
  EXPECT_EQ(Sent(), Sends{kPush});
  EXPECT_EQ(toolbar_.GetButtonState(kPush), kToolbarHot);

  // Pressing, moving off and releasing sends nothing.
  MoveTo(kPush);
  PressLeftButton(true);
  EXPECT_EQ(toolbar_.GetButtonState(kPush), kToolbarPressed);
  MoveTo(kOtherPush);
  EXPECT_EQ(toolbar_.GetButtonState(kPush), kToolbarNormal);
  EXPECT_EQ(toolbar_.GetButtonState(kOtherPush), kToolbarNormal) << "no hot tracking while held";
  PressLeftButton(false);
  EXPECT_EQ(Sent(), Sends{});

  // Another radio button takes the group's check; the checked one says nothing.
  Click(kRadio3);
  EXPECT_EQ(Sent(), Sends{kRadio3});
  EXPECT_EQ(toolbar_.GetButtonState(kRadio3), kToolbarChecked);
  EXPECT_EQ(toolbar_.GetButtonState(kRadio1), kToolbarNormal);
  Click(kRadio3);
  EXPECT_EQ(Sent(), Sends{});
  EXPECT_EQ(toolbar_.GetButtonState(kRadio3), kToolbarChecked);
  Click(kRadio2);
  EXPECT_EQ(Sent(), Sends{kRadio2});
  EXPECT_EQ(toolbar_.GetButtonState(kRadio3), kToolbarNormal);
  EXPECT_TRUE(toolbar_.SetChecked(kRadio1, true));
  EXPECT_EQ(toolbar_.GetButtonState(kRadio2), kToolbarNormal);
  EXPECT_TRUE(toolbar_.SetChecked(kRadio1, false));
  EXPECT_EQ(toolbar_.GetButtonState(kRadio1), kToolbarNormal);

  // The check button is outside the group and toggles.
  Click(kCheck);
  EXPECT_EQ(Sent(), Sends{kCheck});
  EXPECT_EQ(toolbar_.GetButtonState(kCheck), kToolbarChecked);
  EXPECT_EQ(toolbar_.GetButtonState(kRadio1), kToolbarNormal);
  Click(kCheck);
  EXPECT_EQ(Sent(), Sends{kCheck});
  EXPECT_EQ(toolbar_.GetButtonState(kCheck), kToolbarHot);

  // Leaving the toolbar takes the hot look away (the leave is noticed by a
  // timer of the system).
  MoveMouse(parent_, 410, 50);
  HoldFor(1000);
  EXPECT_EQ(toolbar_.GetButtonState(kCheck), kToolbarNormal);
}

TEST_F(ToolbarTest, DisabledButtonsIgnoreTheMouseAndShowASilhouette) {
  EXPECT_TRUE(toolbar_.EnableButton(kPush, false));
  EXPECT_FALSE(toolbar_.EnableButton(kRadio2, false));
  EXPECT_FALSE(toolbar_.EnableButton(kCheck, false));
  EXPECT_EQ(toolbar_.GetButtonState(kPush), kToolbarDisabled);
  Click(kPush);
  EXPECT_EQ(Sent(), Sends{});
  EXPECT_EQ(toolbar_.GetButtonState(kPush), kToolbarDisabled);

  // The disabled face holds only blends of the shadow (or white) over the
  // face; the enabled neighbour shows its colours.
  toolbar_.SetChecked(kRadio1, true);
  MoveMouse(parent_, 410, 50);
  UpdateWindow(toolbar_.hwnd());
  ClientPicture picture = CaptureClient(toolbar_.hwnd());
  ASSERT_EQ(picture.width, 400);
  uint32_t face = PixelOf(GetSysColor(COLOR_BTNFACE)), shadow = PixelOf(GetSysColor(COLOR_BTNSHADOW));
  uint32_t highlight = PixelOf(GetSysColor(COLOR_BTNHIGHLIGHT));
  std::set<uint32_t> silhouette;
  for (uint32_t alpha = 0; alpha < 256; ++alpha) {
    silhouette.insert(BlendPixel(shadow, alpha, face));
    silhouette.insert(BlendPixel(0xFFFFFF, alpha, face));
  }
  int shaded = 0, coloured = 0;
  for (int y = 0; y < 23; ++y) {
    for (int x = 0; x < 32; ++x) {
      EXPECT_TRUE(silhouette.count(picture.at(x, y))) << x << "," << y;
      shaded += picture.at(x, y) != face;
      uint32_t p = picture.at(32 + x, y);
      coloured += (p & 0xFF) != (p >> 8 & 0xFF) || (p & 0xFF) != (p >> 16);
    }
  }
  EXPECT_GT(shaded, 40);
  EXPECT_GT(coloured, 40);
  // The checked radio button: sunken border, a face line inside it, then
  // the checkerboard.
  int left = centres_[kRadio1].x - 16;
  EXPECT_EQ(picture.at(left, 5), shadow);
  EXPECT_EQ(picture.at(left + 31, 5), highlight);
  EXPECT_EQ(picture.at(left + 1, 5), face);
  EXPECT_NE(picture.at(left + 2, 2), picture.at(left + 3, 2));
  EXPECT_EQ(picture.at(left + 2, 2), picture.at(left + 3, 3));

  EXPECT_TRUE(toolbar_.EnableButton(kPush, true));
  EXPECT_EQ(toolbar_.GetButtonState(kPush), kToolbarNormal);
  Click(kPush);
  EXPECT_EQ(Sent(), Sends{kPush});
}

TEST_F(ToolbarTest, HeldAutoRepeatButtonRepeatsAfterAPause) {
  const WPARAM repeat = MAKEWPARAM(kRepeat, kToolbarRepeatCode);
  const WPARAM release = MAKEWPARAM(kRepeat, kToolbarReleaseCode);
  MoveTo(kRepeat);
  PressLeftButton(true);
  HoldFor(1000);
  Sends held = Sent();
  ASSERT_FALSE(held.empty());
  EXPECT_EQ(held.front(), WPARAM(kRepeat));
  size_t repeats = 0;
  for (size_t i = 1; i < held.size(); ++i) repeats += held[i] == repeat;
  EXPECT_EQ(repeats, held.size() - 1);
  // About 15 after the first half second; the timer may run late under load.
  EXPECT_GE(repeats, 4u);
  EXPECT_LE(repeats, 22u);

  // Off the button the repeats stop; releasing anywhere reports the release.
  MoveTo(kCheck);
  Sent();
  HoldFor(300);
  EXPECT_EQ(Sent(), Sends{});
  PressLeftButton(false);
  HoldFor(100);
  EXPECT_EQ(Sent(), Sends{release});

  // Disabling a held button ends the hold at once.
  MoveTo(kRepeat);
  PressLeftButton(true);
  EXPECT_TRUE(toolbar_.EnableButton(kRepeat, false));
  EXPECT_EQ(Sent(), (Sends{WPARAM(kRepeat), release}));
  HoldFor(700);
  PressLeftButton(false);
  EXPECT_EQ(Sent(), Sends{});
  EXPECT_EQ(toolbar_.GetButtonState(kRepeat), kToolbarDisabled);
}

// Writes a picture as a binary PPM file for a person to look at.
bool WritePpm(const std::string& path, const ClientPicture& picture) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height);
  for (uint32_t pixel : picture.pixels) {
    unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                            static_cast<unsigned char>(pixel >> 8), static_cast<unsigned char>(pixel)};
    std::fwrite(rgb, 1, 3, file);
  }
  return std::fclose(file) == 0;
}

// The editor's two toolbars, in every state, for a person to look at.
TEST(ToolbarPicture, EditorToolbarsInEveryState) {
  const char* dir = std::getenv("KM_SCREENSHOT_DIR");
  if (!dir) GTEST_SKIP() << "KM_SCREENSHOT_DIR not set";
  const ToolbarItem audio[] = {
      {kToolbarPushButton, 32773},  {kToolbarSeparator, 0},        {kToolbarPushButton, 32774},
      {kToolbarPushButton, 32777},  {kToolbarPushButton, 32778},   {kToolbarPushButton, 32775},
      {kToolbarPushButton, 32776},  {kToolbarAutoRepeat, 32779},   {kToolbarAutoRepeat, 32780},
      {kToolbarSeparator, 0},       {kToolbarPushButton, 32781},   {kToolbarPushButton, 32782},
      {kToolbarSeparator, 0},       {kToolbarRadioFirst, 32783},   {kToolbarRadioMember, 32784},
      {kToolbarRadioMember, 32785}, {kToolbarRadioMember, 32786},  {kToolbarRadioMember, 32787},
      {kToolbarRadioMember, 32788}, {kToolbarRadioMember, 32789}};
  const ToolbarItem edit[] = {
      {kToolbarPushButton, 57601}, {kToolbarPushButton, 57603}, {kToolbarSeparator, 0},
      {kToolbarPushButton, 57634}, {kToolbarPushButton, 57637}, {kToolbarSeparator, 0},
      {kToolbarPushButton, 57643}, {kToolbarPushButton, 57644}, {kToolbarSeparator, 0},
      {kToolbarPushButton, 32771}, {kToolbarPushButton, 32772}};
  const int audioCount = sizeof audio / sizeof audio[0], editCount = sizeof edit / sizeof edit[0];
  const int width = ToolbarItemsWidth(audio, audioCount);
  HWND parent = CreateTestParent(width, 5 * 27);
  Toolbar toolbars[5];
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(toolbars[i].CreateControl(parent, GetModuleHandleA(nullptr),
                                          MakeRect(0, i * 27 + 2, width, 23), 1003 + i));
    bool editRow = i == 1 || i >= 3;
    ASSERT_TRUE(editRow ? AddToolbarItems(toolbars[i], edit, editCount)
                        : AddToolbarItems(toolbars[i], audio, audioCount));
  }
  // Rows 0 and 1 as the editor starts: Set checked, both timestamp undos and
  // the edit undos disabled. Rows 2 and 3 all enabled, Move All checked;
  // row 4 all disabled.
  for (int i : {0, 2}) toolbars[i].SetChecked(i ? 32789 : 32783, true);
  for (int id : {32781, 32782}) toolbars[0].EnableButton(id, false);
  for (int id : {57643, 57644, 32772}) toolbars[1].EnableButton(id, false);
  for (int i = 0; i < editCount; ++i) toolbars[4].EnableButton(edit[i].commandId, false);
  MoveMouse(toolbars[0].hwnd(), 38 + 16, 11);   // Play is hot
  UpdateWindow(parent);
  EXPECT_TRUE(WritePpm(std::string(dir) + "\\toolbars_hot.ppm", CaptureClient(parent)));
  MoveMouse(toolbars[1].hwnd(), 70 + 16, 11);   // Copy is pressed
  PressLeftButton(true);
  UpdateWindow(parent);
  EXPECT_TRUE(WritePpm(std::string(dir) + "\\toolbars_pressed.ppm", CaptureClient(parent)));
  PressLeftButton(false);
  DestroyWindow(parent);
}

}  // namespace
