// The lyrics display in the editor's playback graph on Wine's DirectShow:
// its window through the graph's IVideoWindow, positions reported to the
// drain, every tool by real mouse and keyboard input on the paused graph,
// and the Set tool timing units while the song plays, by mouse and by the
// Space key.
#include <gtest/gtest.h>

#include <cstdlib>

#include "filters/lyrics_display/tests/display_test_host.h"
#include "filters/tests/graph_support.h"
#include "filters/tests/registered_filters.h"
#include "tools/bmp/picture_capture.h"

namespace {

constexpr LONGLONG kCentisecond = 100000;
// The strip is 800 columns wide: at the default span of 10 s, 1.25 cs per
// column. Boxes are hit below the ruler.
constexpr int kBoxY = 120;
using Pairs = std::vector<TimestampPair>;

// Pumps the window messages for `ms` milliseconds.
void PumpFor(DWORD ms) {
  DWORD began = GetTickCount();
  while (GetTickCount() - began < ms) PumpMessages();
}

class DisplayInGraph : public RegisteredFilters {
 protected:
  static void SetUpTestSuite() {
    RegisteredFilters::SetUpTestSuite();
    parent_ = CreateTestParent(840, 240);
    drain_ = CreateDrain();
  }

  // The playback graph as the editor builds it, the song loaded into the
  // display first and its window placed through the graph.
  void SetUp() override {
    ASSERT_EQ(CoCreateInstance(kClsidLyricsDisplayFilter, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IBaseFilter, display_filter_.outVoid()),
              S_OK);
    ComRef<IFileSourceFilter> source;
    ASSERT_EQ(display_filter_->QueryInterface(IID_IFileSourceFilter, source.outVoid()), S_OK);
    ASSERT_EQ(source->Load(Widen(SAMPLE_WAV).c_str(), nullptr), S_OK);
    ASSERT_EQ(BuildPlaybackGraph(Widen(SAMPLE_WAV), display_filter_.get(), &graph_), S_OK);
    ASSERT_EQ(display_filter_->QueryInterface(kIidLyricsDisplay, display_.outVoid()), S_OK);
    ASSERT_EQ(graph_.builder->QueryInterface(IID_IVideoWindow, window_.outVoid()), S_OK);
    PlaceStrip(window_.get(), parent_, drain_, 800);
    strip_ = StripOf(parent_);
    ASSERT_NE(strip_, nullptr);
    display_->AppendText("Twin kle twin kle\rlit tle star\rhow I won der\rwhat you are");
    for (int32_t p : {5, 9, 14, 22, 26, 35, 37, 41, 54}) display_->SetSyncpoint(p, 1);
    ClearDrain();
  }

  void TearDown() override {
    if (graph_.control.get()) graph_.control->Stop();
    if (window_.get()) {
      window_->put_Visible(OAFALSE);
      window_->put_Owner(0);
    }
  }

  void Seek(int32_t cs) {
    LONGLONG at = cs * kCentisecond;
    LONGLONG duration = 0;
    graph_.seeking->GetDuration(&duration);
    ASSERT_EQ(graph_.seeking->SetPositions(&at, AM_SEEKING_AbsolutePositioning, &duration,
                                           AM_SEEKING_AbsolutePositioning),
              S_OK);
  }

  static HWND parent_;
  static HWND drain_;
  ComRef<IBaseFilter> display_filter_;
  EditorGraph graph_;
  ComRef<ILyricsDisplay> display_;
  ComRef<IVideoWindow> window_;
  HWND strip_ = nullptr;
};
HWND DisplayInGraph::parent_ = nullptr;
HWND DisplayInGraph::drain_ = nullptr;

TEST_F(DisplayInGraph, ReportsPositionsAndTimesUnitsWhileTheSongPlays) {
  // Paused: a seek is reported once, plainly outside any pair.
  ASSERT_TRUE(SUCCEEDED(graph_.control->Pause()));
  Seek(300);
  PumpFor(200);
  std::vector<LPARAM> reports = Posted(kMsgPosition);
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back(), 300);

  // Playing: a press starts the next unit, the release ends it; meanwhile
  // the reports come as complements, since the position lies in the unit.
  ASSERT_TRUE(SUCCEEDED(graph_.control->Run()));
  PumpFor(300);
  MoveMouse(strip_, 400, kBoxY);
  ClearDrain();
  PressLeftButton(true);
  PumpFor(500);
  PressLeftButton(false);
  std::vector<TimestampPair> pairs = PairsOf(display_.get());
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_GT(pairs[0].start, 300);
  EXPECT_LT(pairs[0].start, pairs[0].end);
  EXPECT_EQ(Posted(kMsgPairsChanged), (std::vector<LPARAM>{0}));
  reports = Posted(kMsgPosition);
  ASSERT_GE(reports.size(), 3u);
  int inside = 0;
  for (LPARAM report : reports) inside += report < 0;
  EXPECT_GE(inside, 2);

  // Space held down times the next unit; the reports grow as the song goes.
  ClearDrain();
  PumpFor(200);
  PressKey(VK_SPACE, true);
  PumpFor(400);
  PressKey(VK_SPACE, false);
  pairs = PairsOf(display_.get());
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_GE(pairs[1].start, pairs[0].end);
  reports = Posted(kMsgPosition);
  ASSERT_GE(reports.size(), 3u);
  for (size_t i = 1; i < reports.size(); ++i) {
    int32_t before = int32_t(reports[i - 1] < 0 ? ~reports[i - 1] : reports[i - 1]);
    int32_t now = int32_t(reports[i] < 0 ? ~reports[i] : reports[i]);
    EXPECT_GE(now, before);
  }

  // Rewound into the first unit, a tap re-times from there.
  Seek(pairs[0].start + 1);
  PumpFor(300);
  PressKey(VK_SPACE, true);
  PumpFor(200);
  PressKey(VK_SPACE, false);
  std::vector<TimestampPair> retimed = PairsOf(display_.get());
  ASSERT_EQ(retimed.size(), 1u);
  EXPECT_GT(retimed[0].start, pairs[0].start);
  EXPECT_LT(retimed[0].start, pairs[1].start);

  // Enter pauses.
  ClearDrain();
  PressKey(VK_RETURN, true);
  PressKey(VK_RETURN, false);
  EXPECT_EQ(Posted(kMsgPlayOrPause).size(), 1u);

  // The unit holding the position is the current one.
  ASSERT_TRUE(SUCCEEDED(graph_.control->Pause()));
  Seek(retimed[0].start);
  int32_t index = -1;
  TimestampPair pair{};
  EXPECT_EQ(display_->GetCurrentUnit(&index, &pair), S_OK);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(pair, retimed[0]);
  Seek(retimed[0].end + 10);
  EXPECT_EQ(display_->GetCurrentUnit(&index, &pair), S_OK);
  EXPECT_EQ(index, -1);
}

TEST_F(DisplayInGraph, EveryToolByMouseAndKeyboardOnAPausedGraph) {
  ASSERT_TRUE(SUCCEEDED(graph_.control->Pause()));
  PumpFor(100);
  ClearDrain();
  HWND strip = strip_;
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

// A picture of the strip as the user sees it, for a person to look at:
// written when KM_STRIP_PICTURE names a file.
TEST_F(DisplayInGraph, PictureOfTheStrip) {
  const char* path = std::getenv("KM_STRIP_PICTURE");
  if (!path) GTEST_SKIP() << "KM_STRIP_PICTURE not set";
  int32_t start = 20;
  for (int i = 0; i < 9; ++i) {
    display_->AddTimestamp(start, start + 55 + (i % 3) * 20);
    start += 75 + (i % 3) * 20 + (i % 4 == 3 ? 40 : 0);
  }
  ASSERT_TRUE(SUCCEEDED(graph_.control->Pause()));
  Seek(430);
  PumpFor(300);
  SetFocus(strip_);
  PumpFor(100);
  EXPECT_TRUE(SaveWindowBitmap(strip_, path));
}

}  // namespace
