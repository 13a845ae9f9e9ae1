// Timestamp commands: the mouse tool of the lyrics display, playing the
// current timing unit (Play X) or up to the end of its line (Play XX), the
// undo history of the timestamps, and keeping the text and the playback
// position on the same unit. The timestamps live in the lyrics display
// filter of the playback graph; without one these commands do nothing.
#include "editor/editor_ids.h"
#include "editor/lyrics_text_access.h"
#include "editor/main_window.h"

namespace {

constexpr int kFirstToolCommand = ID_TIMESTAMP_SET;
constexpr int kLastToolCommand = ID_TIMESTAMP_MOVE_ALL;

// Line breaks of the document, and what stands outside it.
constexpr uint16_t kLineBreak = 13;

// The position of the first character of the line that holds p.
int32_t LineStartOf(const LyricsDocument& document, int32_t p) {
  while (p > 0 && document.CharacterAt(p - 1) != kLineBreak) --p;
  return p;
}

// The start of the line after the one that holds p (the text's length when
// there is none).
int32_t NextLineStart(const LyricsDocument& document, int32_t p) {
  const int32_t end = document.LineEndFrom(p);
  return end < document.Length() ? end + 1 : end;
}

}  // namespace

// One tool at a time: its menu item checked, its button pressed, and the
// lyrics display's mouse doing what it does.
void EditorMainWindow::OnChooseTool(int id, int) {
  for (int tool = kFirstToolCommand; tool <= kLastToolCommand; ++tool) {
    menuBar_.CheckItem(tool, tool == id);
  }
  audioToolbar_.SetChecked(id, true);
  toolMode_ = static_cast<LyricsTool>(1 << (id - kFirstToolCommand));
  if (ILyricsDisplay* display = audio_.lyricsDisplay()) display->SetToolMode(toolMode_);
}

bool EditorMainWindow::CanUndoTimestamp() const {
  ILyricsDisplay* display = audio_.lyricsDisplay();
  return display && display->PeekUndoTimestamp(nullptr) == S_OK;
}

bool EditorMainWindow::CanRedoTimestamp() const {
  ILyricsDisplay* display = audio_.lyricsDisplay();
  return display && display->PeekRedoTimestamp(nullptr) == S_OK;
}

void EditorMainWindow::OnUndoTimestamp(int, int) { StepTimestampHistory(true); }
void EditorMainWindow::OnRedoTimestamp(int, int) { StepTimestampHistory(false); }

// The user first hears and sees the place the step concerns: the position
// moves there, paused, before the pairs change.
void EditorMainWindow::StepTimestampHistory(bool undo) {
  ILyricsDisplay* display = audio_.lyricsDisplay();
  if (!display) return;
  int32_t time = 0;
  const HRESULT peek = undo ? display->PeekUndoTimestamp(&time) : display->PeekRedoTimestamp(&time);
  if (peek != S_OK) return;
  PauseUnlessPaused();
  const int32_t last = Centiseconds(duration_) - 1;
  if (time > last) time = last;
  if (time < 0) time = 0;
  if (Centiseconds(CurrentPosition()) != time) SeekPausedTo(time * kUnitsPerCentisecond);
  if (undo) {
    display->UndoTimestamp();
  } else {
    display->RedoTimestamp();
  }
  RefreshTimestampState();
}

// The unit whose pair ends a Play XX started in `unit`: the last timed
// unit of its line, or `unit` itself when it is that one.
int32_t EditorMainWindow::LastTimedUnitOfLine(int32_t unit, int32_t pairCount) const {
  const int32_t position = document_.UnitPosition(unit);
  if (position < 0) return unit;
  const int32_t last = document_.UnitIndexAt(document_.LineEndFrom(position));
  if (unit >= last) return unit;
  if (last < pairCount) return last;
  return unit < pairCount - 1 ? pairCount - 1 : unit;
}

// Plays from the position to the end of the current unit (Play X) or of the
// last timed unit of its line (Play XX); with no current unit, to the end of
// the song. The graph event of the range's end pauses there.
void EditorMainWindow::OnPlayUnit(int id, int) {
  ILyricsDisplay* display = audio_.lyricsDisplay();
  if (!audioReady_ || !display || playState_ == PlayState::kPlaying) return;
  int32_t unit = -1;
  TimestampPair pair = {};
  if (display->GetCurrentUnit(&unit, &pair) != S_OK) unit = -1;
  if (unit >= 0 && id == ID_AUDIO_PLAY_XX) {
    int32_t count = 0;
    display->GetTimestampCount(&count);
    const int32_t last = LastTimedUnitOfLine(unit, count);
    if (last != unit && display->GetTimestamp(last, &pair) != S_OK) return;
  }
  int64_t stop = unit < 0 ? duration_ : pair.end * kUnitsPerCentisecond;
  if (stop > duration_) stop = duration_;
  int64_t current = CurrentPosition();
  audio_.seeking()->SetPositions(&current, AM_SEEKING_AbsolutePositioning, &stop,
                                 AM_SEEKING_AbsolutePositioning);
  position_ = stop;
  audio_.control()->Run();
  playState_ = PlayState::kPlaying;
}

// A left click in the text, already handled by the text window: with audio
// and not playing, the position goes to the start of the clicked unit's
// pair. The header and units without a pair leave it where it is.
void EditorMainWindow::FollowClickedUnit() {
  ILyricsDisplay* display = audio_.lyricsDisplay();
  if (!display || playState_ == PlayState::kPlaying) return;
  const int32_t unit = document_.UnitIndexAt(TextSelection(text_).cpMax);
  int32_t count = 0;
  if (unit < 0 || display->GetTimestampCount(&count) != S_OK || unit >= count) return;
  TimestampPair pair = {};
  if (display->GetTimestamp(unit, &pair) != S_OK) return;
  if (pair.start == Centiseconds(CurrentPosition())) return;
  SeekPausedTo(pair.start * kUnitsPerCentisecond);
}

// Brings the unit's line into view with two lines below it, then puts the
// caret at the line's start. The first caret move is not announced, so the
// editor only reacts to the final one.
void EditorMainWindow::ShowUnitLine(int32_t unit) {
  const int32_t position = document_.UnitPosition(unit);
  if (position < 0) return;
  const int32_t lineStart = LineStartOf(document_, position);
  const int32_t twoBelow = NextLineStart(document_, NextLineStart(document_, lineStart));
  const LRESULT mask = SendMessageA(text_, EM_SETEVENTMASK, 0, 0);
  SelectText(text_, twoBelow, twoBelow);
  SendMessageA(text_, EM_SCROLLCARET, 0, 0);
  SendMessageA(text_, EM_SETEVENTMASK, 0, mask);
  SelectText(text_, lineStart, lineStart);
  SendMessageA(text_, EM_SCROLLCARET, 0, 0);
}
