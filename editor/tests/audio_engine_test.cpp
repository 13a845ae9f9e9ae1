// The audio engine inside the test program with the real main window and
// kmfilters.dll: Audio Open of the sample song through the file dialog
// decodes it and readies the position bar; Play moves the time display and
// the bar; Pause holds the position; a click on the bar and a seek request
// from the lyrics display move it while paused; Stop returns to the start
// showing the song's length; the graph goes with the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "editor/controls/position_bar.h"
#include "editor/controls/time_display.h"
#include "editor/editor_ids.h"
#include "editor/main_window.h"
#include "editor/tests/harness/dialog_driver.h"
#include "editor/tests/harness/editor_process.h"
#include "editor/tests/harness/screen_picture.h"
#include "editor/tests/harness/user_input.h"
#include "editor/tests/harness/window_queries.h"
#include "filters/tests/registered_filters.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;

// Dispatches this thread's messages until `probe` holds or time is up.
template <typename Probe>
bool PumpUntil(DWORD timeoutMs, Probe probe) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (probe()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil(ms, [] { return false; });
}

// A Windows path with backslashes only, as a user types it.
std::string WindowsPath(const char* path) {
  std::string result = path;
  for (char& c : result) {
    if (c == '/') c = '\\';
  }
  return result;
}

// Answers the Open dialog of this process with `path` from another thread,
// while the window thread runs the dialog; a message box that follows is
// closed, so that a failure cannot hold the test.
void AnswerOpenDialog(const std::string& path) {
  std::thread([path] {
    HWND dialog =
        WaitFor(kTimeoutMs, [] { return FindProcessWindow(GetCurrentProcessId(), "#32770"); });
    if (!dialog || !EnterDialogFileName(dialog, path.c_str())) return;
    ClickDialogButton(dialog, IDOK);
    HWND box = WaitFor(kTimeoutMs / 2, [&] {
      return FindProcessWindow(GetCurrentProcessId(), "#32770", dialog);
    });
    if (box) {
      fprintf(stderr, "message: %s\n", DialogStaticText(box).c_str());
      ClickDialogButton(box, IDOK);
    }
  }).detach();
}

template <typename Control>
Control& ControlOf(HWND main, int id) {
  return *reinterpret_cast<Control*>(GetWindowLongPtrA(FindDescendant(main, id), GWLP_USERDATA));
}

int32_t ShownCentiseconds(const TimeDisplay& display) {
  const ReadoutTime& t = display.shownTime();
  return ((t.hours * 60 + t.minutes) * 60 + t.seconds) * 100 + t.hundredths;
}

class AudioEngineTest : public RegisteredFilters {};

TEST_F(AudioEngineTest, OpenPlayPauseSeekAndStopTheSampleSong) {
  ASSERT_NE(LoadLibraryA("riched20.dll"), nullptr);
  EditorMainWindow editor;
  ASSERT_TRUE(editor.Create(GetModuleHandleA(nullptr)));
  HWND main = editor.window();
  ShowWindow(main, SW_SHOW);
  PositionBar& bar = ControlOf<PositionBar>(main, IDC_POSITION_BAR);
  TimeDisplay& time = ControlOf<TimeDisplay>(main, IDC_TIME_DISPLAY);
  EXPECT_FALSE(bar.IsEnabled());

  AnswerOpenDialog(WindowsPath(SAMPLE_WAV));
  PostMessageA(main, WM_COMMAND, ID_AUDIO_OPEN, 0);
  ASSERT_TRUE(PumpUntil(kTimeoutMs, [&] { return bar.IsEnabled(); }));
  EXPECT_NE(WindowTextOf(main).find("[twinkle.wav]"), std::string::npos) << WindowTextOf(main);
  const int32_t length = bar.GetRange();
  ASSERT_GT(length, 200);  // the sample is several seconds long
  EXPECT_EQ(bar.GetPosition(), 0);
  EXPECT_EQ(ShownCentiseconds(time), length);

  // Playing, the display filter's reports move the bar and the display.
  SendMessageA(main, WM_COMMAND, ID_AUDIO_PLAY, 0);
  ASSERT_TRUE(PumpUntil(kTimeoutMs, [&] { return bar.GetPosition() > 50; }));
  EXPECT_LT(bar.GetPosition(), length);
  EXPECT_NEAR(ShownCentiseconds(time), bar.GetPosition(), 1);
  if (const char* shot = std::getenv("KM_AUDIO_SHOT")) SaveScreenWindow(main, shot);

  // Paused, the position holds.
  SendMessageA(main, WM_COMMAND, ID_AUDIO_PAUSE, 0);
  PumpFor(300);
  const int32_t paused = bar.GetPosition();
  PumpFor(500);
  EXPECT_EQ(bar.GetPosition(), paused);
  EXPECT_EQ(ShownCentiseconds(time), paused);

  // A click in the bar's middle seeks there and stays paused.
  RECT barRect = {};
  GetWindowRect(bar.hwnd(), &barRect);
  BringToForeground(main);
  ASSERT_TRUE(ClickAt({(barRect.left + barRect.right) / 2, (barRect.top + barRect.bottom) / 2}));
  ASSERT_TRUE(PumpUntil(kTimeoutMs, [&] { return bar.GetPosition() > length / 3; }));
  const int32_t sought = bar.GetPosition();
  EXPECT_LT(sought, length * 2 / 3);
  PumpFor(500);
  EXPECT_EQ(bar.GetPosition(), sought);

  // Playing again goes on from there.
  SendMessageA(main, WM_COMMAND, ID_AUDIO_PLAY, 0);
  ASSERT_TRUE(PumpUntil(kTimeoutMs, [&] { return bar.GetPosition() > sought + 20; }));

  // A seek request from the lyrics display pauses at that time, clamped to
  // the song.
  SendMessageA(main, kMsgSeekRequest, 0, 150);
  EXPECT_EQ(bar.GetPosition(), 150);
  EXPECT_EQ(ShownCentiseconds(time), 150);
  PumpFor(500);
  EXPECT_EQ(bar.GetPosition(), 150);
  SendMessageA(main, kMsgSeekRequest, 0, length + 500);
  EXPECT_EQ(bar.GetPosition(), length - 1);

  // Stop returns to the start and shows the length.
  SendMessageA(main, WM_COMMAND, ID_AUDIO_STOP, 0);
  PumpFor(300);
  EXPECT_EQ(bar.GetPosition(), 0);
  EXPECT_EQ(ShownCentiseconds(time), length);

  SendMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  EXPECT_FALSE(IsWindow(main));
}

}  // namespace
