// The audio engine inside the test program with the real main window and
// kmfilters.dll: Audio Open of the sample song through the file dialog
// decodes it and readies the position bar; Play moves the time display and
// the bar; Pause holds the position; a click on the bar and a seek request
// from the lyrics display move it while paused; Stop returns to the start
// showing the song's length; the graph goes with the window. A timing
// session times every unit of the sample's lyrics with the mouse and then
// replays units (Play X, Play XX), undoes, clicks in the text, rewinds at
// the start and opens the song again; files that cannot be played and a
// decoding stopped midway end without a graph.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "editor/audio_graph.h"
#include "editor/controls/menu_bar.h"
#include "editor/controls/position_bar.h"
#include "editor/controls/time_display.h"
#include "editor/controls/toolbar_state.h"
#include "editor/editor_ids.h"
#include "editor/lyrics_text_access.h"
#include "editor/main_window.h"
#include "editor/tests/harness/clipboard_text.h"
#include "editor/tests/harness/dialog_driver.h"
#include "editor/tests/harness/editor_process.h"
#include "editor/tests/harness/own_dialogs.h"
#include "editor/tests/harness/playback_probe.h"
#include "editor/tests/harness/screen_picture.h"
#include "editor/tests/harness/user_input.h"
#include "editor/tests/harness/window_queries.h"
#include "filters/tests/registered_filters.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;

// The editor whose message loop the pump stands in for: its accelerators
// and its handling after dispatch (the click in the text) take part.
EditorMainWindow* loopEditor = nullptr;

struct EditorLoop {
  explicit EditorLoop(EditorMainWindow& editor) { loopEditor = &editor; }
  ~EditorLoop() { loopEditor = nullptr; }
};

// Dispatches this thread's messages until `probe` holds or time is up,
// looking every `stepMs`.
template <typename Probe>
bool PumpUntil(DWORD timeoutMs, Probe probe, DWORD stepMs = 10) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (loopEditor && loopEditor->PreTranslateMessage(message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
      if (loopEditor) loopEditor->AfterDispatch(message);
    }
    if (probe()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, stepMs, QS_ALLINPUT);
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
// closed, so that a failure cannot hold the test. The future gets the
// message box's text, or "" when none came.
std::future<std::string> AnswerOpenDialog(const std::string& path, DWORD boxWaitMs = kTimeoutMs / 2) {
  std::promise<std::string> message;
  std::future<std::string> result = message.get_future();
  std::thread([path, boxWaitMs](std::promise<std::string> told) {
    std::string text;
    HWND dialog = WaitFor(kTimeoutMs, [&] {
      HWND found = FindOwnFileDialog();
      return found && EnterDialogFileName(found, path.c_str()) ? found : nullptr;
    });
    if (dialog) {
      ClickDialogButton(dialog, IDOK);
      WaitFor(kTimeoutMs, [&] { return !IsWindow(dialog); });
      HWND box = WaitFor(boxWaitMs, FindOwnMessageBox);
      if (box) {
        text = DialogStaticText(box);
        fprintf(stderr, "message: %s\n", text.c_str());
        ClickDialogButton(box, IDOK);
      }
    }
    told.set_value(text);
  }, std::move(message)).detach();
  return result;
}

template <typename Control>
Control& ControlOf(HWND main, int id) {
  return *reinterpret_cast<Control*>(GetWindowLongPtrA(FindDescendant(main, id), GWLP_USERDATA));
}

int32_t ShownCentiseconds(const TimeDisplay& display) {
  const ReadoutTime& t = display.shownTime();
  return ((t.hours * 60 + t.minutes) * 60 + t.seconds) * 100 + t.hundredths;
}

struct UnitTime {
  int32_t start;
  int32_t end;
};

// A file beside the sample song.
std::string SampleFile(const char* name) {
  std::string path = SAMPLE_WAV;
  return path.substr(0, path.rfind('/') + 1) + name;
}

// The sample's timing table: every word is a unit sung from its slot's
// start to its end, the last of a line ending 10 centiseconds early.
std::vector<UnitTime> SampleTiming() {
  std::vector<UnitTime> units;
  std::ifstream table(SampleFile("twinkle-timing.txt"));
  std::string line;
  while (std::getline(table, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int blanks = 0, start = 0, slot = 0;
    fields >> blanks >> start >> slot;
    std::string word;
    while (fields >> word) {
      units.push_back({start, start + slot});
      start += slot;
    }
    if (!units.empty()) units.back().end -= 10;
  }
  return units;
}

// The sample's lyrics as the clipboard holds text.
std::string SampleLyrics() {
  std::ifstream file(SampleFile("twinkle.txt"));
  std::string text, line;
  while (std::getline(file, line)) text += line + "\r\n";
  return text;
}

// A short AVI file with PCM audio and, when `video`, an uncompressed video
// stream before it.
bool WriteAviFile(const std::string& path, bool video) {
  auto u32 = [](std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
  };
  auto u16 = [](std::string& out, uint16_t v) { out += char(v & 0xFF), out += char(v >> 8); };
  auto chunk = [&](const char* id, const std::string& body) {
    std::string out(id, 4);
    u32(out, uint32_t(body.size()));
    return out + body + (body.size() % 2 ? std::string(1, '\0') : std::string());
  };
  auto list = [&](const char* type, const std::string& body) {
    return chunk("LIST", std::string(type, 4) + body);
  };
  constexpr uint32_t kFrames = 20, kSide = 32, kFrameBytes = kSide * kSide * 3;
  constexpr uint32_t kRate = 8000, kChunkBytes = kRate * 2 / 10;
  std::string avih;
  const uint32_t streams = video ? 2 : 1;
  for (uint32_t v : {100000u, 0u, 0u, 0x10u, kFrames, 0u, streams, 0u, kSide, kSide, 0u, 0u, 0u, 0u}) {
    u32(avih, v);
  }
  auto streamHeader = [&](const char* type, uint32_t scale, uint32_t rate, uint32_t length,
                          uint32_t buffer, uint32_t sampleSize, uint16_t side) {
    std::string h(type, 4);
    u32(h, 0), u32(h, 0), u32(h, 0), u32(h, 0);  // handler, flags, priority+language, initial
    for (uint32_t v : {scale, rate, 0u, length, buffer, 0xFFFFFFFFu, sampleSize}) u32(h, v);
    u16(h, 0), u16(h, 0), u16(h, side), u16(h, side);
    return h;
  };
  std::string bitmap;
  u32(bitmap, 40), u32(bitmap, kSide), u32(bitmap, kSide), u16(bitmap, 1), u16(bitmap, 24);
  for (uint32_t v : {0u, kFrameBytes, 0u, 0u, 0u, 0u}) u32(bitmap, v);
  std::string wave;
  u16(wave, 1), u16(wave, 1), u32(wave, kRate), u32(wave, kRate * 2), u16(wave, 2), u16(wave, 16);
  const std::string videoList =
      list("strl", chunk("strh", streamHeader("vids", 1, 10, kFrames, kFrameBytes, 0, kSide)) +
                       chunk("strf", bitmap));
  const std::string audioList =
      list("strl", chunk("strh", streamHeader("auds", 2, kRate * 2, kRate * kFrames / 10,
                                              kChunkBytes, 2, 0)) +
                       chunk("strf", wave));
  const std::string header =
      list("hdrl", chunk("avih", avih) + (video ? videoList : std::string()) + audioList);
  std::string movi = "movi", index;
  for (uint32_t f = 0; f < kFrames; ++f) {
    std::string pixels(kFrameBytes, char(f * 12));
    std::string sound;
    for (uint32_t i = 0; i < kChunkBytes / 2; ++i) u16(sound, uint16_t((i % 20) * 1000));
    std::vector<std::pair<const char*, std::string>> chunks;
    if (video) chunks.push_back({"00db", pixels});
    chunks.push_back({video ? "01wb" : "00wb", sound});
    for (const auto& [id, body] : chunks) {
      index += id;
      u32(index, 0x10), u32(index, uint32_t(movi.size())), u32(index, uint32_t(body.size()));
      movi += chunk(id, body);
    }
  }
  const std::string body = "AVI " + header + chunk("LIST", movi) + chunk("idx1", index);
  std::ofstream out(path, std::ios::binary);
  out << chunk("RIFF", body);
  return bool(out);
}

// Presses or releases the left button where the pointer is.
void PressButton(bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

// A point on the screen inside character p of the text, scrolled into view.
POINT CharacterPoint(HWND text, int p) {
  SelectText(text, p, p);
  SendMessageA(text, EM_SCROLLCARET, 0, 0);
  POINTL at = {};
  SendMessageA(text, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), p);
  POINT point = {at.x + 3, at.y + 5};
  ClientToScreen(text, &point);
  return point;
}

bool MenuChecked(HWND main, int id) {
  return GetMenuState(ControlOf<MenuBar>(main, IDC_MENU_BAR).menu(), id, MF_BYCOMMAND) &
         MF_CHECKED;
}

bool MenuEnabled(HWND main, int id) {
  return !(GetMenuState(ControlOf<MenuBar>(main, IDC_MENU_BAR).menu(), id, MF_BYCOMMAND) &
           (MF_GRAYED | MF_DISABLED));
}

int AudioButtonState(HWND main, int id) {
  auto* state = reinterpret_cast<ToolbarState*>(
      GetWindowLongPtrA(FindDescendant(main, IDC_AUDIO_TOOLBAR), GWLP_USERDATA));
  const int index = FindButton(*state, id);
  return index < 0 ? -1 : state->buttons[size_t(index)]->state;
}

std::vector<TimestampPair> PairsOf(ILyricsDisplay* display) {
  std::vector<TimestampPair> pairs;
  int32_t count = 0;
  if (!display || display->GetTimestampCount(&count) != S_OK) return pairs;
  pairs.resize(size_t(count));
  for (int32_t i = 0; i < count; ++i) display->GetTimestamp(i, &pairs[size_t(i)]);
  return pairs;
}

class AudioEngineTest : public RegisteredFilters {
 protected:
  // The editor of an earlier test quit with WM_QUIT, which would end the
  // next modal dialog at once.
  void SetUp() override {
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
};

TEST_F(AudioEngineTest, OpenPlayPauseSeekAndStopTheSampleSong) {
  ASSERT_NE(LoadLibraryA("riched20.dll"), nullptr);
  EditorMainWindow editor;
  ASSERT_TRUE(editor.Create(GetModuleHandleA(nullptr)));
  HWND main = editor.window();
  ShowWindow(main, SW_SHOW);
  PositionBar& bar = ControlOf<PositionBar>(main, IDC_POSITION_BAR);
  TimeDisplay& time = ControlOf<TimeDisplay>(main, IDC_TIME_DISPLAY);
  EXPECT_FALSE(bar.IsEnabled());

  std::future<std::string> message = AnswerOpenDialog(WindowsPath(SAMPLE_WAV), 1000);
  PostMessageA(main, WM_COMMAND, ID_AUDIO_OPEN, 0);
  ASSERT_TRUE(PumpUntil(kTimeoutMs, [&] { return bar.IsEnabled(); }));
  EXPECT_EQ(message.get(), "");
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

// Opens `path` through the Audio Open dialog and waits for a new lyrics
// display filter with the position bar enabled.
bool OpenSong(EditorMainWindow& editor, const std::string& path) {
  std::future<std::string> message = AnswerOpenDialog(path, 1000);
  PostMessageA(editor.window(), WM_COMMAND, ID_AUDIO_OPEN, 0);
  PositionBar& bar = ControlOf<PositionBar>(editor.window(), IDC_POSITION_BAR);
  bool decoding = false;
  const bool ready = PumpUntil(kTimeoutMs, [&] {
    decoding = decoding || !bar.IsEnabled();
    return decoding && bar.IsEnabled() && editor.lyricsDisplay();
  });
  return message.get().empty() && ready;
}

// Waits until a run ends paused and returns where.
int32_t WaitUntilPaused(const PlaybackProbe& graph) {
  PumpUntil(kTimeoutMs, [&] { return graph.State() == State_Paused; });
  PumpFor(200);
  return graph.Position();
}

TEST_F(AudioEngineTest, TimingSessionWithTheMouseThenReplayUndoClickAndReopen) {
  ASSERT_TRUE(LoadLibraryA("riched20.dll"));
  EditorMainWindow editor;
  ASSERT_TRUE(editor.Create(GetModuleHandleA(nullptr)));
  EditorLoop loop(editor);
  HWND main = editor.window();
  HWND text = editor.lyricsText();
  ShowWindow(main, SW_SHOW);
  BringToForeground(main);
  PositionBar& bar = ControlOf<PositionBar>(main, IDC_POSITION_BAR);
  TimeDisplay& time = ControlOf<TimeDisplay>(main, IDC_TIME_DISPLAY);
  const LyricsDocument& document = editor.document();
  const std::vector<UnitTime> table = SampleTiming();
  ASSERT_EQ(table.size(), 32u);

  // The lyrics pasted after the header, a syncpoint on every word that does
  // not start its line: one unit per word.
  ASSERT_TRUE(PutClipboardText(main, SampleLyrics()));
  SelectText(text, document.Length(), document.Length());
  SendMessageA(main, WM_COMMAND, ID_EDIT_PASTE, 0);
  for (int32_t p = document.LyricsStart() + 1; p < document.Length(); ++p) {
    if (document.CharacterAt(p - 1) == ' ' && document.CharacterAt(p) != ' ') {
      SelectText(text, p, p);
      SendMessageA(main, WM_COMMAND, ID_SET_SYNCPOINT, 0);
    }
  }
  ASSERT_EQ(document.UnitCount(), int32_t(table.size()));

  ASSERT_TRUE(OpenSong(editor, WindowsPath(SAMPLE_WAV)));
  const int32_t length = bar.GetRange();
  EXPECT_FALSE(MenuEnabled(main, ID_TIMESTAMP_UNDO));
  EXPECT_FALSE(MenuEnabled(main, ID_TIMESTAMP_REDO));

  // Every unit timed with the Set tool: the button held in the strip from
  // the word's start to its end while the song plays.
  {
    PlaybackProbe graph(editor.lyricsDisplay());
    ASSERT_TRUE(graph);
    HWND strip = GetWindow(FindDescendant(main, IDC_PREVIEW_HOST), GW_CHILD);
    ASSERT_TRUE(strip);
    RECT stripRect = {};
    GetWindowRect(strip, &stripRect);
    ASSERT_TRUE(MoveMouseTo({(stripRect.left + stripRect.right) / 2,
                             (stripRect.top + 3 * stripRect.bottom) / 4}));
    SendMessageA(main, WM_COMMAND, ID_AUDIO_PLAY, 0);
    for (const UnitTime& unit : table) {
      for (const bool down : {true, false}) {
        const int32_t at = down ? unit.start : unit.end;
        ASSERT_TRUE(PumpUntil(kTimeoutMs, [&] { return graph.Position() >= at; }, 1));
        PressButton(down);
        PumpFor(5);
      }
    }
    // The song plays on to its end: back at the start, stopped, showing
    // the length.
    ASSERT_TRUE(PumpUntil(kTimeoutMs, [&] { return graph.State() == State_Stopped; }));
    PumpFor(300);
    EXPECT_EQ(graph.Position(), 0);
    EXPECT_EQ(bar.GetPosition(), 0);
    EXPECT_EQ(ShownCentiseconds(time), length);
  }
  std::vector<TimestampPair> pairs = PairsOf(editor.lyricsDisplay());
  ASSERT_EQ(pairs.size(), table.size());
  int32_t worst = 0;
  for (size_t i = 0; i < pairs.size(); ++i) {
    worst = std::max({worst, std::abs(pairs[i].start - table[i].start),
                      std::abs(pairs[i].end - table[i].end)});
  }
  printf("timing session: pairs at most %d cs from the table\n", worst);
  EXPECT_LE(worst, 8);
  EXPECT_TRUE(MenuEnabled(main, ID_TIMESTAMP_UNDO));

  {
    PlaybackProbe graph(editor.lyricsDisplay());
    // Play X from inside a unit pauses at its end; Play goes on from there.
    SendMessageA(main, kMsgSeekRequest, 0, (pairs[5].start + pairs[5].end) / 2);
    SendMessageA(main, WM_COMMAND, ID_AUDIO_PLAY_X, 0);
    int32_t at = WaitUntilPaused(graph);
    printf("Play X: paused %d cs after the unit's end\n", at - pairs[5].end);
    EXPECT_NEAR(at, pairs[5].end, 2);
    EXPECT_NEAR(bar.GetPosition(), pairs[5].end, 2);
    SendMessageA(main, WM_COMMAND, ID_AUDIO_PLAY, 0);
    EXPECT_TRUE(PumpUntil(kTimeoutMs, [&] { return graph.Position() > pairs[7].end; }));
    if (const char* shot = std::getenv("KM_TIMING_SHOT")) SaveScreenWindow(main, shot);
    EXPECT_EQ(graph.State(), State_Running);

    // Play XX on the last timed unit of a line is Play X; from the line's
    // first unit it plays to the end of that same last unit.
    SendMessageA(main, kMsgSeekRequest, 0, pairs[3].start + 5);
    SendMessageA(main, WM_COMMAND, ID_AUDIO_PLAY_XX, 0);
    EXPECT_NEAR(WaitUntilPaused(graph), pairs[3].end, 2);
    SendMessageA(main, kMsgSeekRequest, 0, pairs[0].start + 5);
    SendMessageA(main, WM_COMMAND, ID_AUDIO_PLAY_XX, 0);
    EXPECT_NEAR(WaitUntilPaused(graph), pairs[3].end, 2);

    // Undo Timestamp while playing: first paused at the time it concerns,
    // then the last unit loses its pair; Redo brings it back.
    int32_t concerned = -1;
    ASSERT_EQ(editor.lyricsDisplay()->PeekUndoTimestamp(&concerned), S_OK);
    SendMessageA(main, WM_COMMAND, ID_AUDIO_PLAY, 0);
    PumpFor(300);
    SendMessageA(main, WM_COMMAND, ID_TIMESTAMP_UNDO, 0);
    EXPECT_EQ(WaitUntilPaused(graph), concerned);
    EXPECT_EQ(bar.GetPosition(), concerned);
    EXPECT_EQ(PairsOf(editor.lyricsDisplay()).size(), pairs.size() - 1);
    EXPECT_TRUE(MenuEnabled(main, ID_TIMESTAMP_REDO));
    EXPECT_EQ(AudioButtonState(main, ID_TIMESTAMP_REDO), kToolbarNormal);
    SendMessageA(main, WM_COMMAND, ID_TIMESTAMP_REDO, 0);
    EXPECT_EQ(PairsOf(editor.lyricsDisplay()).size(), pairs.size());
    EXPECT_FALSE(MenuEnabled(main, ID_TIMESTAMP_REDO));
    SendMessageA(main, WM_COMMAND, ID_TIMESTAMP_UNDO, 0);
    ASSERT_EQ(PairsOf(editor.lyricsDisplay()).size(), pairs.size() - 1);

    // A click in a timed unit moves to its start; in the header, in the
    // unit without a pair, or while playing, the position stays.
    SendMessageA(main, kMsgSeekRequest, 0, 50);
    const int32_t unit10 = document.UnitPosition(10) + 1;
    const int32_t lastUnit = document.UnitPosition(int32_t(pairs.size()) - 1) + 1;
    ASSERT_TRUE(ClickAt(CharacterPoint(text, unit10)));
    EXPECT_TRUE(PumpUntil(2000, [&] { return graph.Position() == pairs[10].start; }));
    for (int32_t p : {2, lastUnit}) {
      ASSERT_TRUE(ClickAt(CharacterPoint(text, p)));
      PumpFor(300);
      EXPECT_EQ(graph.Position(), pairs[10].start) << "click at " << p;
      EXPECT_EQ(graph.State(), State_Paused);
    }
    SendMessageA(main, kMsgSeekRequest, 0, pairs[20].start);
    const POINT inUnit10 = CharacterPoint(text, unit10);
    SendMessageA(main, WM_COMMAND, ID_AUDIO_PLAY, 0);
    ASSERT_TRUE(ClickAt(inUnit10));
    PumpFor(300);
    EXPECT_GT(graph.Position(), pairs[20].start);
    EXPECT_EQ(graph.State(), State_Running);

    // Holding Rewind at the start changes nothing: still stopped there,
    // showing the length.
    SendMessageA(main, WM_COMMAND, ID_AUDIO_STOP, 0);
    PumpUntil(kTimeoutMs, [&] { return graph.State() == State_Stopped; });
    for (int code : {0, int(kToolbarRepeatCode), int(kToolbarRepeatCode), int(kToolbarReleaseCode)}) {
      SendMessageA(main, WM_COMMAND, MAKEWPARAM(ID_AUDIO_REWIND, code), 0);
    }
    PumpFor(300);
    EXPECT_EQ(graph.Position(), 0);
    EXPECT_EQ(graph.State(), State_Stopped);
    EXPECT_EQ(ShownCentiseconds(time), length);
  }

  // The song opened again: every pair comes along, the history does not.
  pairs = PairsOf(editor.lyricsDisplay());
  ASSERT_TRUE(OpenSong(editor, WindowsPath(SAMPLE_WAV)));
  const std::vector<TimestampPair> reopened = PairsOf(editor.lyricsDisplay());
  ASSERT_EQ(reopened.size(), pairs.size());
  for (size_t i = 0; i < pairs.size(); ++i) {
    EXPECT_EQ(reopened[i].start, pairs[i].start);
    EXPECT_EQ(reopened[i].end, pairs[i].end);
  }
  EXPECT_EQ(editor.lyricsDisplay()->PeekUndoTimestamp(nullptr), S_FALSE);
  EXPECT_FALSE(MenuEnabled(main, ID_TIMESTAMP_UNDO));
  EXPECT_EQ(AudioButtonState(main, ID_TIMESTAMP_UNDO), kToolbarDisabled);

  // Move All leaves one tool checked in the menu and one button pressed.
  SendMessageA(main, WM_COMMAND, ID_TIMESTAMP_MOVE_ALL, 0);
  int checkedItems = 0, checkedButtons = 0;
  for (int id = ID_TIMESTAMP_SET; id <= ID_TIMESTAMP_MOVE_ALL; ++id) {
    checkedItems += MenuChecked(main, id);
    checkedButtons += AudioButtonState(main, id) == kToolbarChecked;
  }
  EXPECT_EQ(checkedItems, 1);
  EXPECT_EQ(checkedButtons, 1);
  EXPECT_TRUE(MenuChecked(main, ID_TIMESTAMP_MOVE_ALL));
  EXPECT_EQ(AudioButtonState(main, ID_TIMESTAMP_MOVE_ALL), kToolbarChecked);

  // The editor asks to save the timed lyrics: not this time.
  std::thread([] {
    if (HWND box = WaitFor(kTimeoutMs, FindOwnMessageBox)) ClickDialogButton(box, IDNO);
  }).detach();
  SendMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  EXPECT_FALSE(IsWindow(main));
}

// Files the decoding graph refuses, and a decoding stopped midway: the
// message, no graph and no name in the caption.
TEST_F(AudioEngineTest, UnplayableFilesAndStopWhileDecoding) {
  ASSERT_TRUE(LoadLibraryA("riched20.dll"));
  EditorMainWindow editor;
  ASSERT_TRUE(editor.Create(GetModuleHandleA(nullptr)));
  HWND main = editor.window();
  ShowWindow(main, SW_SHOW);
  PositionBar& bar = ControlOf<PositionBar>(main, IDC_POSITION_BAR);

  char workFile[MAX_PATH];
  ASSERT_TRUE(WorkFilePath(workFile));
  CloseHandle(CreateFileA(workFile, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr));
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string video = std::string(temp) + "km-video.avi";
  ASSERT_TRUE(WriteAviFile(video, true));
  for (const std::string& path : {std::string(workFile), video}) {
    std::future<std::string> message = AnswerOpenDialog(path);
    SendMessageA(main, WM_COMMAND, ID_AUDIO_OPEN, 0);
    PumpFor(500);
    EXPECT_EQ(message.get(), "Cannot play the file.") << path;
    EXPECT_EQ(WindowTextOf(main), "Kamiru Editor ") << path;
    EXPECT_FALSE(bar.IsEnabled());
    EXPECT_EQ(editor.lyricsDisplay(), nullptr);
  }
  // The same file without its video stream plays.
  ASSERT_TRUE(WriteAviFile(video, false));
  std::future<std::string> none = AnswerOpenDialog(video, 1000);
  PostMessageA(main, WM_COMMAND, ID_AUDIO_OPEN, 0);
  EXPECT_TRUE(PumpUntil(kTimeoutMs, [&] { return bar.IsEnabled(); }));
  EXPECT_EQ(none.get(), "");
  EXPECT_NE(WindowTextOf(main).find("[km-video.avi]"), std::string::npos);
  SendMessageA(main, WM_COMMAND, ID_AUDIO_STOP, 0);
  DeleteFileA(video.c_str());

  // Audio Open returns with the decoding running; Stop cancels it before
  // its end is seen.
  std::future<std::string> message = AnswerOpenDialog(WindowsPath(SAMPLE_WAV), 1000);
  SendMessageA(main, WM_COMMAND, ID_AUDIO_OPEN, 0);
  EXPECT_NE(WindowTextOf(main).find("[twinkle.wav]"), std::string::npos);
  SendMessageA(main, WM_COMMAND, ID_AUDIO_STOP, 0);
  EXPECT_EQ(WindowTextOf(main), "Kamiru Editor ");
  PumpFor(1500);
  EXPECT_EQ(message.get(), "");
  EXPECT_FALSE(bar.IsEnabled());
  EXPECT_EQ(editor.lyricsDisplay(), nullptr);

  SendMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
  EXPECT_FALSE(IsWindow(main));
}

}  // namespace
