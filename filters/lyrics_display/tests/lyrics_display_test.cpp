// The lyrics display filter as the editor uses it: its methods, its window
// placed in an owner, and every tool by real mouse and keyboard input.
#include <gtest/gtest.h>


#include "filters/lyrics_display/tests/display_test_host.h"

namespace {

constexpr int kWidth = 800;  // at the default span of 10 s: 1.25 cs per column
constexpr int kBoxY = 120;   // below the ruler, inside the unit boxes

std::string TempPath(const char* name) {
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

class LyricsDisplayTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitialize(nullptr);
    parent_ = CreateTestParent(kWidth + 40, 240);
    drain_ = CreateDrain();
    songPath_ = TempPath("km_display_song.wav");
    WriteSong(songPath_.c_str(), 60);
  }

  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(CreateLyricsDisplayFilter(nullptr, IID_IBaseFilter, filter_.outVoid()));
    ASSERT_HRESULT_SUCCEEDED(filter_->QueryInterface(kIidLyricsDisplay, display_.outVoid()));
    ASSERT_HRESULT_SUCCEEDED(filter_->QueryInterface(IID_IVideoWindow, window_.outVoid()));
    ClearDrain();
  }

  void TearDown() override {
    if (window_.get()) {
      window_->put_Visible(OAFALSE);
      window_->put_Owner(0);
    }
  }

  // The filter with the song loaded, eight units of text and its window in
  // the parent; returns the strip's window.
  HWND Prepare() {
    ComRef<IFileSourceFilter> source;
    filter_->QueryInterface(IID_IFileSourceFilter, source.outVoid());
    EXPECT_HRESULT_SUCCEEDED(source->Load(Widen(songPath_).c_str(), nullptr));
    display_->AppendText("la la la la\rla la la la");
    for (int32_t p : {3, 6, 9, 15, 18, 21}) EXPECT_EQ(display_->SetSyncpoint(p, 1), S_OK);
    PlaceStrip(window_.get(), parent_, drain_, kWidth);
    HWND strip = StripOf(parent_);
    EXPECT_NE(strip, nullptr);
    ClearDrain();
    return strip;
  }

  static HWND parent_;
  static HWND drain_;
  static std::string songPath_;
  ComRef<IBaseFilter> filter_;
  ComRef<ILyricsDisplay> display_;
  ComRef<IVideoWindow> window_;
};

HWND LyricsDisplayTest::parent_ = nullptr;
HWND LyricsDisplayTest::drain_ = nullptr;
std::string LyricsDisplayTest::songPath_;

using Pairs = std::vector<TimestampPair>;

TEST_F(LyricsDisplayTest, MethodsAnswerAsTheEditorExpects) {
  EXPECT_EQ(display_->SetToolMode(3), E_INVALIDARG);
  EXPECT_EQ(display_->SetToolMode(kToolMoveAll), S_OK);
  EXPECT_EQ(display_->AddTimestamp(100, 200), S_OK);
  EXPECT_EQ(display_->AddTimestamp(300, 400), S_OK);
  // Out of order or empty: held after the last pair, above its start.
  EXPECT_EQ(display_->AddTimestamp(350, 350), S_FALSE);
  EXPECT_EQ(PairsOf(display_.get()), (Pairs{{100, 200}, {300, 400}, {400, 401}}));
  TimestampPair pair{};
  EXPECT_EQ(display_->GetTimestamp(3, &pair), E_INVALIDARG);
  EXPECT_EQ(display_->GetTimestamp(-1, &pair), E_INVALIDARG);
  EXPECT_EQ(display_->GetTimestamp(0, nullptr), E_POINTER);
  // Outside a graph the position is 0: the first unit is the next one.
  int32_t index = -2;
  EXPECT_EQ(display_->GetCurrentUnit(&index, &pair), S_OK);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(pair, (TimestampPair{100, 200}));
  EXPECT_EQ(display_->PeekUndoTimestamp(nullptr), S_FALSE);
  EXPECT_EQ(display_->PeekRedoTimestamp(nullptr), S_FALSE);
  EXPECT_EQ(display_->UndoTimestamp(), S_FALSE);
  EXPECT_EQ(display_->ClearTimestamps(), S_OK);
  int32_t count = -1;
  EXPECT_EQ(display_->GetTimestampCount(&count), S_OK);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(display_->GetCurrentUnit(&index, &pair), S_OK);
  EXPECT_EQ(index, -1);

  EXPECT_EQ(display_->AppendText(nullptr), E_POINTER);
  EXPECT_EQ(display_->AppendText("ab\rcd"), S_OK);
  EXPECT_EQ(display_->ReplaceText(2, 9, "x", 1), E_INVALIDARG);
  EXPECT_EQ(display_->ReplaceText(1, 2, "xyz", 2), S_OK);  // "axy\rcd"
  EXPECT_EQ(display_->SetSyncpoint(4, 1), E_INVALIDARG);   // a line's start
  EXPECT_EQ(display_->SetSyncpoint(5, 1), S_OK);
  EXPECT_EQ(display_->ClearText(), S_OK);
  LOGFONTA font = {};
  font.lfHeight = -40;
  lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
  EXPECT_EQ(display_->SetLyricsFont(nullptr, 1), E_POINTER);
  EXPECT_EQ(display_->SetLyricsFont(&font, 0), S_OK);
  EXPECT_EQ(display_->Refresh(1, 1), S_OK);

  // A renderer with one input pin, a file source of the work file.
  ComRef<IEnumPins> pins;
  ASSERT_HRESULT_SUCCEEDED(filter_->EnumPins(pins.out()));
  IPin* got[2] = {};
  ULONG fetched = 0;
  pins->Next(2, got, &fetched);
  ASSERT_EQ(fetched, 1u);
  PIN_DIRECTION direction = PINDIR_OUTPUT;
  got[0]->QueryDirection(&direction);
  EXPECT_EQ(direction, PINDIR_INPUT);
  got[0]->Release();
  ComRef<IFileSourceFilter> source;
  ASSERT_HRESULT_SUCCEEDED(filter_->QueryInterface(IID_IFileSourceFilter, source.outVoid()));
  EXPECT_HRESULT_FAILED(source->Load(L"C:\\no such folder\\wav.tmp", nullptr));
  std::wstring path = Widen(songPath_);
  EXPECT_EQ(source->Load(path.c_str(), nullptr), S_OK);
  LPOLESTR name = nullptr;
  EXPECT_EQ(source->GetCurFile(&name, nullptr), S_OK);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(std::wstring(name), path);
  CoTaskMemFree(name);
}

TEST_F(LyricsDisplayTest, WindowSitsInItsOwnerWhereItIsPut) {
  PlaceStrip(window_.get(), parent_, drain_, 640);
  HWND strip = StripOf(parent_);
  ASSERT_NE(strip, nullptr);
  EXPECT_TRUE(GetWindowLongPtrA(strip, GWL_STYLE) & WS_CHILD);
  long left = -1, top = -1, width = 0, height = 0, visible = 0;
  EXPECT_EQ(window_->GetWindowPosition(&left, &top, &width, &height), S_OK);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(top, 0);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 200);
  EXPECT_EQ(window_->put_Width(700), S_OK);
  EXPECT_EQ(window_->get_Width(&width), S_OK);
  EXPECT_EQ(width, 700);
  EXPECT_EQ(window_->get_Visible(&visible), S_OK);
  EXPECT_EQ(visible, OATRUE);
  OAHWND owner = 0, drain = 0;
  window_->get_Owner(&owner);
  window_->get_MessageDrain(&drain);
  EXPECT_EQ(reinterpret_cast<HWND>(owner), parent_);
  EXPECT_EQ(reinterpret_cast<HWND>(drain), drain_);
  EXPECT_EQ(window_->put_WindowStyle(WS_CHILD | WS_VSCROLL), E_INVALIDARG);
  // Unowned, it is a window of its own again.
  EXPECT_EQ(window_->put_Visible(OAFALSE), S_OK);
  EXPECT_EQ(window_->put_Owner(0), S_OK);
  EXPECT_EQ(StripOf(parent_), nullptr);
  EXPECT_FALSE(GetWindowLongPtrA(strip, GWL_STYLE) & WS_CHILD);
}

TEST_F(LyricsDisplayTest, EveryToolByMouseAndKeyboard) {
  HWND strip = Prepare();
  ASSERT_EQ(MoveMouse(strip, 80, kBoxY).x, 80) << "the pointer must reach the strip";
  // Set while paused: each drag after the last pair stamps the next unit.
  Drag(strip, 80, 160, kBoxY);
  Drag(strip, 200, 240, kBoxY);
  Drag(strip, 260, 320, kBoxY);
  Drag(strip, 400, 440, kBoxY);
  Drag(strip, 100, 150, kBoxY);  // before the last pair: nothing
  EXPECT_EQ(PairsOf(display_.get()), (Pairs{{100, 200}, {250, 300}, {325, 400}, {500, 550}}));
  EXPECT_EQ(Posted(kMsgPairsChanged), (std::vector<LPARAM>{0, 1, 2, 3}));
  int32_t time = 0;
  EXPECT_EQ(display_->PeekUndoTimestamp(&time), S_OK);
  EXPECT_EQ(time, 500);

  // A click on a box chooses its unit; on the ruler it asks for a seek; a
  // double click asks to play. (Two presses on one spot in quick succession
  // make a double click: the clicks keep away from the last press.)
  ClearDrain();
  Click(strip, 130, kBoxY);
  Click(strip, 400, 10);
  Click(strip, 700, kBoxY);
  PressLeftButton(true);
  PressLeftButton(false);
  EXPECT_EQ(Posted(kMsgUnitChosen), (std::vector<LPARAM>{0}));
  EXPECT_EQ(Posted(kMsgSeekRequest), (std::vector<LPARAM>{500}));
  EXPECT_EQ(Posted(kMsgPlayOrPause).size(), 1u);

  // Remove, then Backspace in the strip brings the pair back.
  ClearDrain();
  display_->SetToolMode(kToolRemove);
  Click(strip, 220, kBoxY);
  EXPECT_EQ(PairsOf(display_.get()), (Pairs{{100, 200}, {325, 400}, {500, 550}}));
  PressKey(VK_BACK, true);
  PressKey(VK_BACK, false);
  EXPECT_EQ(PairsOf(display_.get()), (Pairs{{100, 200}, {250, 300}, {325, 400}, {500, 550}}));
  EXPECT_EQ(Posted(kMsgPairsChanged), (std::vector<LPARAM>{1, 1}));

  // Combine with the pair before, then split it again elsewhere.
  display_->SetToolMode(kToolCombine);
  Click(strip, 300, kBoxY);
  EXPECT_EQ(PairsOf(display_.get()), (Pairs{{100, 200}, {250, 400}, {500, 550}}));
  display_->SetToolMode(kToolSplit);
  Click(strip, 280, kBoxY);
  EXPECT_EQ(PairsOf(display_.get()), (Pairs{{100, 200}, {250, 350}, {350, 400}, {500, 550}}));

  // Adjust an end, and a start held at the pair before.
  display_->SetToolMode(kToolAdjust);
  Drag(strip, 160, 184, kBoxY);
  Drag(strip, 400, 200, kBoxY);
  EXPECT_EQ(PairsOf(display_.get()), (Pairs{{100, 230}, {250, 350}, {350, 400}, {400, 550}}));

  // Move one pair, held at 0; then move them all.
  display_->SetToolMode(kToolMove);
  Drag(strip, 120, 0, kBoxY);
  EXPECT_EQ(PairsOf(display_.get()), (Pairs{{0, 130}, {250, 350}, {350, 400}, {400, 550}}));
  display_->SetToolMode(kToolMoveAll);
  Drag(strip, 600, 640, kBoxY);
  EXPECT_EQ(PairsOf(display_.get()), (Pairs{{50, 180}, {300, 400}, {400, 450}, {450, 600}}));

  // Undo through the interface tells where the change was first.
  EXPECT_EQ(display_->PeekUndoTimestamp(&time), S_OK);
  EXPECT_EQ(time, 0);
  EXPECT_EQ(display_->UndoTimestamp(), S_OK);
  EXPECT_EQ(display_->PeekRedoTimestamp(&time), S_OK);
  EXPECT_EQ(time, 0);
  EXPECT_EQ(display_->RedoTimestamp(), S_OK);
  EXPECT_EQ(PairsOf(display_.get()).back(), (TimestampPair{450, 600}));

  // Space while the song does not play asks to play.
  ClearDrain();
  PressKey(VK_SPACE, true);
  PressKey(VK_SPACE, false);
  EXPECT_EQ(Posted(kMsgPlayOrPause).size(), 1u);
}

}  // namespace
