// The playback graph as the editor builds it, on Wine's DirectShow with a
// null audio sink: the tee feeds the audio renderer and a second branch,
// the graph seeks through the tee, reports positions and stops at a stop
// position with EC_COMPLETE; a stuck branch never stalls the audio.
#include <windows.h>

#include <dshow.h>
#include <evcode.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filters/tests/branch_sink.h"
#include "filters/tests/graph_support.h"
#include "filters/tests/registered_filters.h"

namespace {

constexpr LONGLONG kSecond = 10000000;
// Generous: Wine's audio may start slowly on a loaded machine.
constexpr DWORD kPlayTimeoutMs = 60000;

class PlaybackGraph : public RegisteredFilters {
 protected:
  // Plays from `from` to `to` and returns the event that ended it; the
  // positions seen on the way go to `positions`.
  static long Play(EditorGraph& graph, LONGLONG from, LONGLONG to,
                   std::vector<LONGLONG>* positions) {
    EXPECT_EQ(graph.seeking->SetPositions(&from, AM_SEEKING_AbsolutePositioning, &to,
                                          AM_SEEKING_AbsolutePositioning),
              S_OK);
    EXPECT_TRUE(SUCCEEDED(graph.control->Run()));
    const long code = WaitForEvent(graph, {EC_COMPLETE, EC_ERRORABORT}, kPlayTimeoutMs, positions);
    EXPECT_EQ(graph.control->Stop(), S_OK);
    return code;
  }
};

TEST_F(PlaybackGraph, PlaysThroughTheTeeSeeksAndStopsAtTheStopPosition) {
  auto* branch = new BranchSink(false);
  branch->AddRef();
  EditorGraph graph;
  ASSERT_EQ(BuildPlaybackGraph(Widen(SAMPLE_WAV), branch, &graph), S_OK);

  // Output 0 reached a renderer of the graph's choice, output 1 the branch.
  ComRef<IPin> audio, second;
  ASSERT_EQ(FindPin(graph.tee.get(), PINDIR_OUTPUT, 0, audio.out()), S_OK);
  ASSERT_EQ(FindPin(graph.tee.get(), PINDIR_OUTPUT, 1, second.out()), S_OK);
  const std::wstring renderer = ConnectedFilterName(audio.get());
  EXPECT_FALSE(renderer.empty());
  EXPECT_NE(renderer, L"KMWLD");
  EXPECT_EQ(ConnectedFilterName(second.get()), L"KMWLD");
  // Only output 0 seeks; the duration comes through it.
  ComRef<IMediaSeeking> seeking;
  EXPECT_EQ(audio->QueryInterface(IID_IMediaSeeking, seeking.outVoid()), S_OK);
  EXPECT_EQ(second->QueryInterface(IID_IMediaSeeking, seeking.outVoid()), E_NOINTERFACE);
  LONGLONG duration = 0;
  ASSERT_EQ(graph.seeking->GetDuration(&duration), S_OK);
  EXPECT_NEAR(static_cast<double>(duration), 22.4 * kSecond, 0.05 * kSecond);

  // From the start to a stop position.
  std::vector<LONGLONG> positions;
  ASSERT_EQ(Play(graph, 0, 2 * kSecond, &positions), EC_COMPLETE);
  ASSERT_FALSE(positions.empty());
  for (size_t i = 1; i < positions.size(); ++i) EXPECT_GE(positions[i], positions[i - 1]);
  EXPECT_GT(positions.back(), kSecond);
  EXPECT_LE(positions.back(), 2 * kSecond + kSecond / 10);
  // The branch heard the same two seconds (16 kHz, 16-bit mono) and the end.
  EXPECT_GE(branch->bytes, 2 * 32000 * 9 / 10);
  EXPECT_LE(branch->bytes, 2 * 32000 * 11 / 10);
  EXPECT_EQ(branch->endsOfStream, 1);

  // A later range after a seek while stopped: the branch gets the segment
  // again from its start.
  positions.clear();
  ASSERT_EQ(Play(graph, 10 * kSecond, 11 * kSecond, &positions), EC_COMPLETE);
  ASSERT_FALSE(positions.empty());
  EXPECT_GE(positions.front(), 10 * kSecond - kSecond / 10);
  EXPECT_LE(positions.back(), 11 * kSecond + kSecond / 10);
  EXPECT_EQ(branch->endsOfStream, 2);
  branch->Release();
}

TEST_F(PlaybackGraph, SeeksWhilePlayingAndAStuckBranchNeverStallsTheAudio) {
  auto* branch = new BranchSink(true);
  branch->AddRef();
  EditorGraph graph;
  ASSERT_EQ(BuildPlaybackGraph(Widen(SAMPLE_WAV), branch, &graph), S_OK);
  LONGLONG from = 15 * kSecond;
  LONGLONG to = 22 * kSecond;
  ASSERT_EQ(graph.seeking->SetPositions(&from, AM_SEEKING_AbsolutePositioning, &to,
                                        AM_SEEKING_AbsolutePositioning),
            S_OK);
  ASSERT_TRUE(SUCCEEDED(graph.control->Run()));
  // Once it plays, seek back while the streaming thread delivers: the
  // flush must pass the tee without a deadlock.
  std::vector<LONGLONG> positions;
  for (int i = 0; i < 400 && (positions.empty() || positions.back() < from + kSecond / 4); ++i) {
    LONGLONG position = 0;
    graph.seeking->GetCurrentPosition(&position);
    positions.push_back(position);
    Sleep(25);
  }
  ASSERT_GE(positions.back(), from + kSecond / 4);
  from = 3 * kSecond;
  to = 4 * kSecond;
  ASSERT_EQ(graph.seeking->SetPositions(&from, AM_SEEKING_AbsolutePositioning, &to,
                                        AM_SEEKING_AbsolutePositioning),
            S_OK);
  positions.clear();
  ASSERT_EQ(WaitForEvent(graph, {EC_COMPLETE, EC_ERRORABORT}, kPlayTimeoutMs, &positions),
            EC_COMPLETE);
  ASSERT_FALSE(positions.empty());
  EXPECT_GE(positions.back(), 3 * kSecond);
  EXPECT_LE(positions.back(), 4 * kSecond + kSecond / 10);
  EXPECT_EQ(graph.control->Stop(), S_OK);
  branch->Release();
}

}  // namespace
