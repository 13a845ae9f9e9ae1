// How soon the editor is ready to play, and how exactly Play X stops, in a
// real main window with kmfilters.dll: for each song, the time from the
// Open dialog's OK to an enabled position bar as a share of the song's
// length (the best of three), then Play X over ten one-second units: how
// far from each unit's end the editor ends up paused, and how late after
// the unit's length in wall time. Prints figures; asserts nothing.
// Usage: editor_ready KMFILTERS.DLL SONG... (Windows build; run under Wine,
// e.g. through bench/editor_ready.sh, which makes the songs)
#include <windows.h>

#include <dshow.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "bench/bench_support.h"
#include "editor/audio_graph.h"
#include "editor/controls/position_bar.h"
#include "editor/editor_ids.h"
#include "editor/main_window.h"
#include "editor/tests/harness/dialog_driver.h"
#include "editor/tests/harness/editor_process.h"
#include "editor/tests/harness/own_dialogs.h"
#include "editor/tests/harness/playback_probe.h"
#include "editor/tests/harness/window_queries.h"

namespace {

constexpr DWORD kTimeoutMs = 120000;
constexpr int kUnits = 10;
constexpr int32_t kUnitLength = 100;  // centiseconds
constexpr int32_t kFirstUnit = 1000;

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
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}

// Opens `path` through the Audio Open dialog; the seconds from the dialog's
// OK to an enabled position bar, or a negative value on failure.
double OpenSeconds(EditorMainWindow& editor, const char* path) {
  std::atomic<double> okAt{0};
  std::thread answer([&] {
    HWND dialog = WaitFor(kTimeoutMs, [&] {
      HWND found = FindOwnFileDialog();
      return found && EnterDialogFileName(found, path) ? found : nullptr;
    });
    if (!dialog) return;
    okAt = NowSeconds();
    ClickDialogButton(dialog, IDOK);
  });
  ILyricsDisplay* before = editor.lyricsDisplay();
  PostMessageA(editor.window(), WM_COMMAND, ID_AUDIO_OPEN, 0);
  auto& bar = *reinterpret_cast<PositionBar*>(
      GetWindowLongPtrA(FindDescendant(editor.window(), IDC_POSITION_BAR), GWLP_USERDATA));
  const bool ready = PumpUntil(kTimeoutMs, [&] {
    return editor.lyricsDisplay() && editor.lyricsDisplay() != before && bar.IsEnabled();
  });
  const double done = NowSeconds();
  answer.join();
  return ready && okAt > 0 ? done - okAt : -1;
}

// Play X over each of the units from its start: the largest distance of
// the paused position from the unit's end, and the largest wall-clock
// lateness beyond the unit's length, in centiseconds.
void MeasurePlayX(EditorMainWindow& editor, int32_t* worstDistance, double* worstLateness) {
  ILyricsDisplay* display = editor.lyricsDisplay();
  PlaybackProbe graph(display);
  display->ClearTimestamps();
  for (int i = 0; i < kUnits; ++i) {
    const int32_t start = kFirstUnit + i * 2 * kUnitLength;
    display->AddTimestamp(start, start + kUnitLength);
  }
  display->Refresh(1, 0);
  *worstDistance = 0;
  *worstLateness = 0;
  for (int i = 0; i < kUnits && graph; ++i) {
    const int32_t start = kFirstUnit + i * 2 * kUnitLength;
    SendMessageA(editor.window(), kMsgSeekRequest, 0, start);
    PumpUntil(2000, [&] { return graph.State() == State_Paused; });
    const double began = NowSeconds();
    SendMessageA(editor.window(), WM_COMMAND, ID_AUDIO_PLAY_X, 0);
    PumpUntil(kTimeoutMs, [&] { return graph.State() == State_Paused; });
    const double lateness = (NowSeconds() - began) * 100 - kUnitLength;
    const int32_t distance = std::abs(graph.Position() - (start + kUnitLength));
    *worstDistance = std::max(*worstDistance, distance);
    *worstLateness = std::max(*worstLateness, lateness);
  }
}

const char* BaseName(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/') name = p + 1;
  }
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: editor_ready KMFILTERS.DLL SONG...\n");
    return 2;
  }
  CoInitialize(nullptr);
  LoadLibraryA("riched20.dll");
  if (!RegisterFilters(argv[1])) {
    std::fprintf(stderr, "editor_ready: cannot register %s\n", argv[1]);
    return 1;
  }
  int failures = 0;
  {
    EditorMainWindow editor;
    if (!editor.Create(GetModuleHandleA(nullptr))) return 1;
    ShowWindow(editor.window(), SW_SHOW);
    std::printf("%-28s %8s %9s %9s %13s %13s\n", "song", "length s", "ready s", "ready/len",
                "Play X off cs", "Play X late cs");
    for (int i = 2; i < argc; ++i) {
      double best = -1;
      // A path as a user types it, with backslashes.
      std::string path = argv[i];
      std::replace(path.begin(), path.end(), '/', '\\');
      for (int run = 0; run < 3; ++run) {
        const double seconds = OpenSeconds(editor, path.c_str());
        if (seconds >= 0 && (best < 0 || seconds < best)) best = seconds;
      }
      if (best < 0 || !editor.lyricsDisplay()) {
        std::printf("%-28s failed\n", BaseName(argv[i]));
        ++failures;
        continue;
      }
      auto& bar = *reinterpret_cast<PositionBar*>(
          GetWindowLongPtrA(FindDescendant(editor.window(), IDC_POSITION_BAR), GWLP_USERDATA));
      const double length = bar.GetRange() / 100.0;
      int32_t distance = 0;
      double lateness = 0;
      MeasurePlayX(editor, &distance, &lateness);
      std::printf("%-28s %8.1f %9.3f %9.4f %13d %13.1f\n", BaseName(argv[i]), length, best,
                  best / length, distance, lateness);
      // The pairs were the benchmark's own: none to save.
      editor.lyricsDisplay()->ClearTimestamps();
    }
    std::thread([] {
      if (HWND box = WaitFor(10000, FindOwnMessageBox)) ClickDialogButton(box, IDNO);
    }).detach();
    SendMessageA(editor.window(), WM_COMMAND, ID_APP_EXIT, 0);
  }
  CoUninitialize();
  return failures ? 1 : 0;
}
