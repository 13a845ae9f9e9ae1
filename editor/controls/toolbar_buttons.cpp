// The toolbar's buttons: kinds, lookup, states and radio groups.
#include "editor/controls/toolbar.h"
#include "editor/controls/toolbar_state.h"

namespace {

uint32_t DibColour(int sysColour) {
  COLORREF colour = GetSysColor(sysColour);
  return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

ButtonLook LookOf(int buttonState) {
  if (buttonState == kToolbarDisabled) return ButtonLook::kDisabled;
  if (buttonState == kToolbarChecked) return ButtonLook::kChecked;
  return ButtonLook::kPlain;
}

// The radio group of a button: a kToolbarRadioFirst button and the
// kToolbarRadioMember buttons that follow it.
void RadioGroup(const ToolbarState& state, int index, int& first, int& last) {
  auto kindAt = [&](int i) { return NormalizedKind(state.buttons[i]->kind); };
  first = index;
  while (kindAt(first) == kToolbarRadioMember && first > 0 &&
         (kindAt(first - 1) == kToolbarRadioMember || kindAt(first - 1) == kToolbarRadioFirst)) {
    --first;
  }
  last = first;
  int count = static_cast<int>(state.buttons.size());
  while (last + 1 < count && kindAt(last + 1) == kToolbarRadioMember) ++last;
}

}  // namespace

ToolbarButton::ToolbarButton(const RECT& buttonRect)
    : rect(buttonRect),
      face(CreateDib32(nullptr, buttonRect.right - buttonRect.left,
                       buttonRect.bottom - buttonRect.top, reinterpret_cast<void**>(&faceBits))) {}

int NormalizedKind(int kind) {
  switch (kind) {
    case kToolbarCheckButton:
    case kToolbarRadioMember:
    case kToolbarRadioFirst:
    case kToolbarAutoRepeat:
    case kToolbarSeparator:
    case kToolbarSpacer:
      return kind;
    default:
      return kToolbarPushButton;
  }
}

bool IsInert(const ToolbarButton& button) {
  return button.kind == kToolbarSeparator || button.kind == kToolbarSpacer;
}

bool IsCheckable(const ToolbarButton& button) {
  int kind = NormalizedKind(button.kind);
  return kind == kToolbarCheckButton || kind == kToolbarRadioMember || kind == kToolbarRadioFirst;
}

int FindButton(const ToolbarState& state, int commandId) {
  for (size_t i = 0; i < state.buttons.size(); ++i) {
    if (!IsInert(*state.buttons[i]) && state.buttons[i]->commandId == commandId) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int ButtonAt(const ToolbarState& state, POINT point) {
  for (size_t i = 0; i < state.buttons.size(); ++i) {
    if (PtInRect(&state.buttons[i]->rect, point)) return static_cast<int>(i);
  }
  return -1;
}

void RenderFace(ToolbarButton& button) {
  FaceColours colours = {DibColour(COLOR_BTNFACE), DibColour(COLOR_BTNHIGHLIGHT),
                         DibColour(COLOR_BTNSHADOW)};
  button.renderedLook = LookOf(button.state);
  RenderButtonFace(button.faceBits, button.width(), button.height(), button.image,
                   button.renderedLook, colours);
}

void SetButtonState(ToolbarState& state, int index, int buttonState) {
  ToolbarButton& button = *state.buttons[index];
  if (button.state == buttonState) return;
  button.state = buttonState;
  if (LookOf(buttonState) != button.renderedLook) RenderFace(button);
  if (state.hwnd) InvalidateRect(state.hwnd, &button.rect, FALSE);
}

void CheckButton(ToolbarState& state, int index) {
  if (NormalizedKind(state.buttons[index]->kind) != kToolbarCheckButton) {
    int first = 0, last = 0;
    RadioGroup(state, index, first, last);
    for (int i = first; i <= last; ++i) {
      if (i != index && state.buttons[i]->state == kToolbarChecked) {
        SetButtonState(state, i, kToolbarNormal);
      }
    }
  }
  SetButtonState(state, index, kToolbarChecked);
}

void SendToolbarCommand(const ToolbarState& state, int commandId, WORD code) {
  WPARAM wParam = MAKEWPARAM(static_cast<WORD>(commandId), code);
  if (state.parent) SendMessageA(state.parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(state.hwnd));
}
