// The lyrics display filter as the editor uses it, on its own: its methods
// and its window placed in an owner.
#include <gtest/gtest.h>


#include "filters/lyrics_display/tests/display_test_host.h"

namespace {

constexpr int kWidth = 800;

class LyricsDisplayTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitialize(nullptr);
    parent_ = CreateTestParent(kWidth + 40, 240);
    drain_ = CreateDrain();
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

  static HWND parent_;
  static HWND drain_;
  ComRef<IBaseFilter> filter_;
  ComRef<ILyricsDisplay> display_;
  ComRef<IVideoWindow> window_;
};

HWND LyricsDisplayTest::parent_ = nullptr;
HWND LyricsDisplayTest::drain_ = nullptr;

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
  std::wstring path = Widen(SAMPLE_WAV);
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

}  // namespace
