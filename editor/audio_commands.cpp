// Audio commands: opening an audio file, the transport, the position bar
// and the messages of the decoding and playback graphs. Positions shown to
// the user and exchanged with the lyrics display are in centiseconds; the
// graph works in 100-nanosecond units.
#include "editor/editor_ids.h"
#include "editor/file_dialogs.h"
#include "editor/main_window.h"
#include "editor/program_files.h"

namespace {

constexpr char kAudioFilters[] =
    "Audio Files (*.wav;*.mp3;*.wma)\0*.wav;*.mp3;*.wma\0All Files (*.*)\0*.*\0";
// Steps of Rewind and Fast Forward: on the press, and while held.
constexpr int64_t kScanFirstStep = 1;
constexpr int64_t kScanRepeatStep = 8;
// The phase of a hold button, in bits 8 to 15 of the notification code.
constexpr int kScanPressed = 0;
constexpr int kScanRepeated = 1;
constexpr int kScanReleased = 2;

}  // namespace

void EditorMainWindow::OnAudioOpen(int, int) {
  char path[MAX_PATH];
  if (!ChooseFileToOpen(window_, kAudioFilters, settings_.audioDirectory,
                        sizeof settings_.audioDirectory, path)) {
    return;
  }
  if (audio_.exists()) {
    TakePairsFromDisplay();
    positionBar_.Enable(false, true);
    timeDisplay_.SetTime(0, false);
    TearDownAudio();
    EnableCommand(ID_TIMESTAMP_UNDO, false, &audioToolbar_);
    EnableCommand(ID_TIMESTAMP_REDO, false, &audioToolbar_);
  }
  audioReady_ = false;
  lstrcpynA(audioFileName_, FileNamePart(path), sizeof audioFileName_);
  UpdateTitle();
  if (FAILED(audio_.BuildDecoding(path, previewHost_.hwnd(), window_, kGraphEventMessage))) {
    FailAudio();
    return;
  }
  previewHost_.AttachVideoWindow(audio_.video());
  playState_ = PlayState::kStopped;
  audio_.control()->Run();
}

// Neither graph could be built: say so and forget the file.
void EditorMainWindow::FailAudio() {
  TearDownAudio();
  audioReady_ = false;
  MessageBoxA(window_, "Cannot play the file.", kEditorName, MB_ICONWARNING);
  audioFileName_[0] = '\0';
  UpdateTitle();
}

bool EditorMainWindow::OnDecodingComplete(WPARAM, LPARAM, LRESULT& result) {
  result = 0;
  if (!audio_.exists()) return true;
  audioReady_ = true;
  if (FAILED(audio_.BuildPlayback(previewHost_.hwnd(), window_, kGraphEventMessage))) {
    FailAudio();
    return true;
  }
  previewHost_.AttachVideoWindow(audio_.video());
  ILyricsDisplay* display = audio_.lyricsDisplay();
  display->SetToolMode(toolMode_);
  display->SetLyricsFont(&settings_.lyricsFont, settings_.smoothing);
  HandDocumentToDisplay();
  playState_ = PlayState::kStopped;
  duration_ = 0;
  audio_.seeking()->GetDuration(&duration_);
  position_ = duration_;
  positionBar_.SetRange(Centiseconds(duration_));
  positionBar_.SetPosition(0);
  positionBar_.Enable(true, true);
  timeDisplay_.SetTime(Centiseconds(duration_), false);
  return true;
}

bool EditorMainWindow::OnGraphEvent(WPARAM, LPARAM, LRESULT& result) {
  result = 0;
  IMediaEventEx* events = audio_.events();
  if (!events) return true;
  long code;
  LONG_PTR first;
  LONG_PTR second;
  while (events->GetEvent(&code, &first, &second, 0) == S_OK) {
    events->FreeEventParams(code, first, second);
    if (code == EC_ERRORABORT) {
      audio_.control()->Stop();
      return true;
    }
    if (code != EC_COMPLETE) continue;
    audio_.control()->Stop();
    if (!audioReady_) {
      PostMessageA(window_, kDecodingCompleteMessage, 0, 0);
      return true;
    }
    // A range that ended before the song's end pauses where it ended; the
    // song's end returns to the start.
    int64_t next = 0;
    if (position_ < duration_) {
      next = position_;
      position_ = duration_;
    }
    audio_.seeking()->SetPositions(&next, AM_SEEKING_AbsolutePositioning, &duration_,
                                   AM_SEEKING_AbsolutePositioning);
    if (next > 0) {
      audio_.control()->Pause();
      playState_ = PlayState::kPaused;
      ShowPosition(next);
    } else {
      audio_.control()->StopWhenReady();
      ShowStoppedAtStart();
    }
    return true;
  }
  return true;
}

void EditorMainWindow::OnPlay(int, int) {
  if (!audioReady_ || playState_ == PlayState::kPlaying) return;
  audio_.control()->Run();
  playState_ = PlayState::kPlaying;
}

void EditorMainWindow::OnPause(int, int) {
  if (!audioReady_) return;
  PauseUnlessPaused();
  ShowPosition(CurrentPosition());
}

void EditorMainWindow::OnStop(int, int) {
  if (audio_.exists() && !audioReady_) {
    // Stop while decoding cancels it.
    TearDownAudio();
    audioFileName_[0] = '\0';
    UpdateTitle();
    return;
  }
  if (!audioReady_ || playState_ == PlayState::kStopped) return;
  audio_.control()->Stop();
  SeekTo(0);
  audio_.control()->StopWhenReady();
  ShowStoppedAtStart();
}

void EditorMainWindow::OnScan(int id, int code) {
  if (!audioReady_) return;
  const int phase = (code >> 8) & 0xFF;
  if (phase == kScanReleased) {
    if (playStateBeforeSeek_ == PlayState::kPlaying) OnPlay(0, 0);
    return;
  }
  if (phase != kScanPressed && phase != kScanRepeated) return;
  const int64_t current = CurrentPosition();
  const int64_t step = (phase == kScanPressed ? kScanFirstStep : kScanRepeatStep);
  const int64_t last = (duration_ / kUnitsPerCentisecond - 1) * kUnitsPerCentisecond;
  int64_t next = current + (id == ID_AUDIO_REWIND ? -step : step) * kUnitsPerCentisecond;
  if (next < 0) next = 0;
  if (next > last) next = last;
  if (phase == kScanPressed) playStateBeforeSeek_ = playState_;
  // Already at the limit, holding the button changes nothing.
  if (next == current) return;
  PauseUnlessPaused();
  SeekTo(next);
  ShowPosition(next);
}

void EditorMainWindow::OnPositionBarMoved(int, int) {
  const int32_t value = positionBar_.GetPosition();
  if (positionBar_.IsDragging()) {
    timeDisplay_.SetTime(value, false);
    return;
  }
  if (!audioReady_) return;
  const PlayState before = playState_;
  PauseUnlessPaused();
  SeekTo(value * kUnitsPerCentisecond);
  if (before == PlayState::kPlaying) OnPlay(0, 0);
}

bool EditorMainWindow::OnPositionReport(WPARAM, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (!audio_.lyricsDisplay() || positionBar_.IsDragging()) return true;
  const auto value = static_cast<int32_t>(lParam);
  if (value < 0) {
    // The filter marks a time inside a timed unit by its complement.
    timeDisplay_.SetTime(-value - 1, true);
    return true;
  }
  positionBar_.SetPosition(value);
  const bool stoppedAtStart = value == 0 && playState_ == PlayState::kStopped;
  timeDisplay_.SetTime(stoppedAtStart ? Centiseconds(duration_) : value, false);
  return true;
}

bool EditorMainWindow::OnSeekRequest(WPARAM, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (!audio_.lyricsDisplay()) return true;
  int64_t value = static_cast<int32_t>(lParam);
  const int64_t last = Centiseconds(duration_) - 1;
  if (value > last) value = last;
  if (value < 0) value = 0;
  SeekPausedTo(value * kUnitsPerCentisecond);
  return true;
}

// The unit's line in the text, and its start, paused.
bool EditorMainWindow::OnUnitChosen(WPARAM, LPARAM lParam, LRESULT& result) {
  result = 0;
  TimestampPair pair = {};
  const auto unit = static_cast<int32_t>(lParam);
  ILyricsDisplay* display = audio_.lyricsDisplay();
  if (!display || display->GetTimestamp(unit, &pair) != S_OK) return true;
  ShowUnitLine(unit);
  SeekPausedTo(pair.start * kUnitsPerCentisecond);
  return true;
}

bool EditorMainWindow::OnPairsChanged(WPARAM, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (!audio_.lyricsDisplay()) return true;
  const auto unit = static_cast<int32_t>(lParam);
  if (unit >= 0) ShowUnitLine(unit);
  RefreshTimestampState();
  return true;
}

bool EditorMainWindow::OnPlayOrPause(WPARAM, LPARAM, LRESULT& result) {
  result = 0;
  if (!audio_.lyricsDisplay()) return true;
  if (playState_ == PlayState::kPlaying) {
    OnPause(ID_AUDIO_PAUSE, 0);
  } else {
    OnPlayUnit(ID_AUDIO_PLAY_X, 0);
  }
  return true;
}

void EditorMainWindow::PauseUnlessPaused() {
  if (playState_ == PlayState::kPaused) return;
  audio_.control()->Pause();
  playState_ = PlayState::kPaused;
}

// A new position with the song's end as the stop position.
void EditorMainWindow::SeekTo(int64_t time) {
  audio_.seeking()->SetPositions(&time, AM_SEEKING_AbsolutePositioning, &duration_,
                                 AM_SEEKING_AbsolutePositioning);
  position_ = duration_;
}

// Pauses, then seeks and shows the new position.
void EditorMainWindow::SeekPausedTo(int64_t time) {
  PauseUnlessPaused();
  SeekTo(time);
  ShowPosition(time);
}

int64_t EditorMainWindow::CurrentPosition() const {
  int64_t current = 0;
  if (audio_.seeking()) audio_.seeking()->GetCurrentPosition(&current);
  return current;
}

void EditorMainWindow::ShowPosition(int64_t time) {
  positionBar_.SetPosition(Centiseconds(time));
  timeDisplay_.SetTime(Centiseconds(time), false);
}

// Stopped at the start, the time display shows the song's length.
void EditorMainWindow::ShowStoppedAtStart() {
  playState_ = PlayState::kStopped;
  positionBar_.SetPosition(0);
  timeDisplay_.SetTime(Centiseconds(duration_), false);
}

void EditorMainWindow::TearDownAudio() {
  previewHost_.AttachVideoWindow(nullptr);
  audio_.TearDown();
}

void EditorMainWindow::DeleteWorkFile() {
  char path[MAX_PATH];
  if (WorkFilePath(path)) DeleteFileA(path);
}
