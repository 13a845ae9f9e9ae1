// The lyrics window following the host's playback: lookups, seeks, the
// MP3 correction, the layout commands and the spreading of untimed lyrics.
#include <cstdio>

#include "lyrics/tests/km_builder.h"
#include "lyrics/tests/temp_file.h"
#include "winamp/lyrics_window.h"
#include "winamp/tests/plugin_test_host.h"

namespace {

// One line whose first piece is sung from 100.2 s.
std::string LateLineKm() {
  return KmBuilder().Line("la la la la la").Piece(0, 0, kKmNoOffset, 10020, 10300).Bytes();
}

int SungPixels(HWND window) {
  Picture picture;
  EXPECT_TRUE(CaptureWindowPicture(window, picture));
  return CountSungPixels(picture);
}

TEST(DisplayTime, CorrectsMp3OutputSinceTheLastSeek) {
  EXPECT_EQ(DisplayTime(100000, true, 0), 10050);
  EXPECT_EQ(DisplayTime(100000, false, 0), 10000);
  EXPECT_EQ(DisplayTime(120000, true, 20000), 12050);
  EXPECT_EQ(DisplayTime(-1, true, 0), 0);
  EXPECT_EQ(DisplayTime(19, false, 0), 1);
  // Before the seek base the correction runs the other way.
  EXPECT_EQ(DisplayTime(10000, true, 30000), 990);
}

TEST_F(PluginInHost, Mp3IsDrawnHalfASecondLaterPerHundredSecondsThanWma) {
  std::string mp3Lyrics = WriteTempFile("late_mp3.km", LateLineKm());
  std::string wmaLyrics = WriteTempFile("late_wma.km", LateLineKm());
  Start();
  PlayAt(TempPath("late_mp3.mp3"), 300, 100000);
  ASSERT_TRUE(Plugin().lyricsWindow.lyricsLoaded);
  EXPECT_TRUE(Plugin().lyricsWindow.isMp3);
  EXPECT_GT(SungPixels(LyricsHwnd()), 0) << "drawn at 100.5 s";

  PlayAt(TempPath("late_wma.WMA"), 300, 100000);
  ASSERT_TRUE(Plugin().lyricsWindow.lyricsLoaded);
  EXPECT_FALSE(Plugin().lyricsWindow.isMp3);
  EXPECT_EQ(SungPixels(LyricsHwnd()), 0) << "drawn at 100 s";
  std::remove(mp3Lyrics.c_str());
  std::remove(wmaLyrics.c_str());
}

TEST_F(PluginInHost, SeekMessageAndSliderReleaseBothSetTheSeekBase) {
  std::string lyrics = WriteTempFile("seek.km", LateLineKm());
  Start();
  PlayAt(TempPath("seek.mp3"), 200, 50000);
  EXPECT_EQ(Plugin().lyricsWindow.seekBase, 0);
  SendMessageA(host_.mainWindow, WM_WA_IPC, 42000, IPC_JUMPTOTIME);
  EXPECT_EQ(HostOutputTime(host_), 42000);
  Pump(50);
  EXPECT_EQ(Plugin().lyricsWindow.seekBase, 42000);

  // Drag the slider to its middle and let go.
  const LPARAM down = MAKELPARAM(30, 77), up = MAKELPARAM(140, 77);
  PostMessageA(host_.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, down);
  PostMessageA(host_.mainWindow, WM_MOUSEMOVE, MK_LBUTTON, up);
  PostMessageA(host_.mainWindow, WM_LBUTTONUP, 0, up);
  Pump(50);
  const int32_t released = HostOutputTime(host_);
  EXPECT_NE(released, 42000);
  EXPECT_EQ(Plugin().lyricsWindow.seekBase, released);

  // A button released elsewhere is no seek.
  SetClockPosition(host_, 60000);
  PostMessageA(host_.mainWindow, WM_LBUTTONUP, 0, MAKELPARAM(140, 90));
  Pump(50);
  EXPECT_EQ(Plugin().lyricsWindow.seekBase, released);

  // A new track starts from a seek base of 0.
  PlayAt(TempPath("seek.mp3x"), 200, 1000);
  EXPECT_EQ(Plugin().lyricsWindow.seekBase, 0);
  std::remove(lyrics.c_str());
}

TEST_F(PluginInHost, PickingTheCurrentLayoutDoesNotRedraw) {
  std::string lyrics = WriteTempFile("layout.km", LateLineKm());
  Start();
  PlayAt(TempPath("layout.wma"), 300, 100000);
  StopPlayback(host_);
  Pump(150);
  ASSERT_TRUE(Plugin().lyricsWindow.lyricsLoaded);
  RECT client;
  GetClientRect(LyricsHwnd(), &client);
  const int x = client.right / 2, y = client.bottom / 2;
  auto mark = [&] {
    HDC dc = GetDC(LyricsHwnd());
    RECT spot = {x - 2, y - 2, x + 3, y + 3};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &spot, red);
    DeleteObject(red);
    ReleaseDC(LyricsHwnd(), dc);
  };
  auto marked = [&] {
    Picture picture;
    EXPECT_TRUE(CaptureWindowPicture(LyricsHwnd(), picture));
    return picture.pixels[size_t(y) * picture.width + x] == 0xFF0000;
  };
  mark();
  ASSERT_TRUE(marked());
  SendMessageA(LyricsHwnd(), WM_COMMAND, 40002, 0);
  Pump(100);
  EXPECT_TRUE(marked()) << "One Line again: not redrawn";
  SendMessageA(LyricsHwnd(), WM_COMMAND, 40003, 0);
  Pump(100);
  EXPECT_FALSE(marked()) << "Two Lines: redrawn";
  EXPECT_EQ(Plugin().lyricsWindow.display.layout, KaraokeLayout::TwoLines);
  std::remove(lyrics.c_str());
}

TEST_F(PluginInHost, UntimedLyricsAreSpreadAgainOnceTheLengthIsKnown) {
  std::string text = WriteTempFile("untimed.txt", "one\ntwo\nthree\nfour");
  Start();
  PlayAt(TempPath("untimed.mp3"), -1, 0);
  ASSERT_TRUE(Plugin().lyricsWindow.lyricsLoaded);
  const TimedLyrics& lyrics = Plugin().lyricsWindow.display.lyrics;
  ASSERT_EQ(lyrics.syncpointCount, 4);
  EXPECT_EQ(lyrics.syncpoints[1].startTime, 4500);
  EXPECT_EQ(lyrics.syncpoints[3].endTime, INT32_MAX);

  // Still unknown: nothing changes.
  SendMessageA(host_.mainWindow, WM_WA_IPC, 0, 636);
  Pump(50);
  EXPECT_EQ(lyrics.syncpoints[1].startTime, 4500);
  host_.playlist[0].lengthSeconds = 200;
  // "Only when idle" while playing is ignored.
  SendMessageA(host_.mainWindow, WM_WA_IPC, 0, 3002);
  Pump(50);
  EXPECT_EQ(lyrics.syncpoints[1].startTime, 4500);
  SendMessageA(host_.mainWindow, WM_WA_IPC, 0, 637);
  Pump(50);
  const int32_t starts[4] = {0, 5000, 10000, 15000};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(lyrics.syncpoints[i].startTime, starts[i]) << i;
    EXPECT_EQ(lyrics.syncpoints[i].endTime, starts[i] + 1) << i;
  }
  // Spread once: a later length does not move the lines again.
  host_.playlist[0].lengthSeconds = 100;
  SendMessageA(host_.mainWindow, WM_WA_IPC, 0, 636);
  Pump(50);
  EXPECT_EQ(lyrics.syncpoints[1].startTime, 5000);
  std::remove(text.c_str());
}

TEST(SpreadSyncpoints, LongSongsDoNotOverflow) {
  TimedLyrics lyrics;
  Syncpoint pieces[3] = {};
  lyrics.syncpoints = pieces;
  lyrics.syncpointCount = 3;
  SpreadSyncpoints(lyrics, 20000000);  // 231 days
  EXPECT_EQ(pieces[2].startTime, 1333333333);
  lyrics.syncpoints = nullptr;
  lyrics.syncpointCount = 0;
}

TEST_F(PluginInHost, LyricsAreDroppedWhenThePlaylistEmpties) {
  std::string lyrics = WriteTempFile("empty.km", LateLineKm());
  Start();
  PlayAt(TempPath("empty.wma"), 300, 0);
  ASSERT_TRUE(Plugin().lyricsWindow.lyricsLoaded);
  host_.playlist.clear();
  SendMessageA(host_.mainWindow, WM_WA_IPC, 0, 636);
  Pump(50);
  EXPECT_FALSE(Plugin().lyricsWindow.lyricsLoaded);
  EXPECT_STREQ(Plugin().lyricsWindow.fileName, "");
  EXPECT_EQ(Plugin().lyricsWindow.display.lyrics.syncpointCount, 0);
  std::remove(lyrics.c_str());
}

}  // namespace
