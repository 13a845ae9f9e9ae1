// The toolbar's mouse handling: hot tracking, pressing and releasing
// buttons, and the auto-repeat of held buttons.
#include "editor/controls/toolbar.h"

#include <mmsystem.h>
#include "editor/controls/toolbar_state.h"

namespace {

// Ticks that only count before a held button starts repeating (about half a
// second at 33 ms).
constexpr int kRepeatDelayTicks = 15;
constexpr UINT kRepeatPeriodMs = 33;

// Runs on the multimedia timer's thread: only posts to the window.
void CALLBACK RepeatTimerProc(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
  PostMessageA(reinterpret_cast<HWND>(user), kToolbarRepeatTick, 0, 0);
}

bool ShowsPlain(int buttonState) {
  return buttonState == kToolbarNormal || buttonState == kToolbarHot ||
         buttonState == kToolbarPressed;
}

// Shows a normal, hot or pressed button as `buttonState`; checked and
// disabled buttons keep their look.
void ShowAs(ToolbarState& state, int index, int buttonState) {
  if (ShowsPlain(state.buttons[index]->state)) SetButtonState(state, index, buttonState);
}

POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void StartRepeat(ToolbarState& state, int commandId) {
  state.repeatCommand = commandId;
  state.repeatTicks = 0;
  state.overRepeatButton = true;
  state.repeatTimer = timeSetEvent(kRepeatPeriodMs, 1, RepeatTimerProc,
                                   reinterpret_cast<DWORD_PTR>(state.hwnd),
                                   TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
}

void StopRepeat(ToolbarState& state) {
  if (state.repeatTimer) timeKillEvent(state.repeatTimer);
  state.repeatTimer = 0;
  MSG pending;
  while (PeekMessageA(&pending, state.hwnd, kToolbarRepeatTick, kToolbarRepeatTick, PM_REMOVE)) {
  }
}

// Takes the hold away from the captured button; reports the release of an
// auto-repeat button.
void ReleaseHold(ToolbarState& state, int index) {
  state.captured = -1;
  if (GetCapture() == state.hwnd) ReleaseCapture();
  if (state.buttons[index]->kind == kToolbarAutoRepeat) {
    StopRepeat(state);
    SendToolbarCommand(state, state.buttons[index]->commandId, kToolbarReleaseCode);
  }
}

void OnMouseMove(ToolbarState& state, POINT point) {
  if (state.captured >= 0) {
    bool over = PtInRect(&state.buttons[state.captured]->rect, point) != 0;
    ShowAs(state, state.captured, over ? kToolbarPressed : kToolbarNormal);
    state.overRepeatButton = over;
    return;
  }
  if (!state.trackingLeave) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, state.hwnd, 0};
    state.trackingLeave = TrackMouseEvent(&track) != 0;
  }
  int hit = ButtonAt(state, point);
  for (int i = 0; i < static_cast<int>(state.buttons.size()); ++i) {
    int buttonState = state.buttons[i]->state;
    if (i == hit && (buttonState == kToolbarNormal || buttonState == kToolbarPressed)) {
      SetButtonState(state, i, kToolbarHot);
    } else if (i != hit && (buttonState == kToolbarHot || buttonState == kToolbarPressed)) {
      SetButtonState(state, i, kToolbarNormal);
    }
  }
}

void OnMouseLeave(ToolbarState& state) {
  state.trackingLeave = false;
  for (int i = 0; i < static_cast<int>(state.buttons.size()); ++i) {
    if (i != state.captured) ShowAs(state, i, kToolbarNormal);
  }
}

void OnButtonDown(ToolbarState& state, POINT point) {
  int hit = ButtonAt(state, point);
  if (hit < 0 || state.captured >= 0) return;
  ToolbarButton& button = *state.buttons[hit];
  if (button.state == kToolbarDisabled) return;
  ShowAs(state, hit, kToolbarPressed);
  state.captured = hit;
  SetCapture(state.hwnd);
  if (button.kind != kToolbarAutoRepeat) return;
  SendToolbarCommand(state, button.commandId, 0);
  // The command may have disabled the button, which ends the hold.
  if (state.captured == hit) StartRepeat(state, button.commandId);
}

void OnButtonUp(ToolbarState& state, POINT point) {
  int index = state.captured;
  if (index < 0) return;
  ToolbarButton& button = *state.buttons[index];
  bool over = PtInRect(&button.rect, point) != 0;
  ReleaseHold(state, index);
  if (button.kind == kToolbarAutoRepeat) {
    ShowAs(state, index, over ? kToolbarHot : kToolbarNormal);
    return;
  }
  if (!over) {
    ShowAs(state, index, kToolbarNormal);
    return;
  }
  // The new state is set before the command goes out, so that the command
  // may change it (e.g. disable the button it came from).
  if (!IsCheckable(button)) {
    ShowAs(state, index, kToolbarHot);
  } else if (button.state != kToolbarChecked) {
    CheckButton(state, index);
  } else if (button.kind == kToolbarCheckButton) {
    SetButtonState(state, index, kToolbarHot);  // a check button toggles
  } else {
    return;  // a checked radio button stays checked and says nothing
  }
  SendToolbarCommand(state, button.commandId, 0);
}

void OnRepeatTick(ToolbarState& state) {
  if (!state.repeatTimer) return;  // a tick posted just before the timer stopped
  if (++state.repeatTicks > kRepeatDelayTicks && state.overRepeatButton) {
    SendToolbarCommand(state, state.repeatCommand, kToolbarRepeatCode);
  }
}

}  // namespace

void EndHold(ToolbarState& state) {
  int index = state.captured;
  if (index < 0) return;
  ReleaseHold(state, index);
  ShowAs(state, index, kToolbarNormal);
}

LRESULT HandleToolbarMouse(ToolbarState& state, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(state, PointOf(lParam));
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave(state);
      break;
    case WM_LBUTTONDOWN:
      OnButtonDown(state, PointOf(lParam));
      break;
    case WM_LBUTTONUP:
      OnButtonUp(state, PointOf(lParam));
      break;
    case WM_CAPTURECHANGED:
      // Another window took the mouse while a button was held.
      if (reinterpret_cast<HWND>(lParam) != state.hwnd) EndHold(state);
      break;
    case kToolbarRepeatTick:
      OnRepeatTick(state);
      break;
  }
  return 0;
}
