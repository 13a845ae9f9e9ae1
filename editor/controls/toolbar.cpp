// The toolbar window: its class, creation, window procedure and the public
// operations on its buttons.
#include "editor/controls/toolbar.h"

#include <commctrl.h>

#include "editor/controls/control_window.h"
#include "editor/controls/toolbar_state.h"

namespace {

const char kClassName[] = "KMEditCBWnd";

bool CreateTooltip(ToolbarState& state) {
  state.tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  state.hwnd, nullptr, state.instance, nullptr);
  return state.tooltip != nullptr;
}

// The window is going: stop what runs and drop what belongs to it.
void Teardown(ToolbarState& state) {
  EndHold(state);
  if (state.tooltip) DestroyWindow(state.tooltip);
  state.tooltip = nullptr;
  state.buttons.clear();
  state.trackingLeave = false;
  state.hwnd = nullptr;
}

LRESULT CALLBACK ToolbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = static_cast<ToolbarState*>(BindControlObject(hwnd, message, lParam));
  if (!state) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_NCCREATE:
      state->hwnd = hwnd;
      break;
    case WM_CREATE:
      return CreateTooltip(*state) ? 0 : -1;
    case WM_PAINT:
      PaintToolbar(*state);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SYSCOLORCHANGE:
      for (auto& button : state->buttons) RenderFace(*button);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case kToolbarRepeatTick:
      return HandleToolbarMouse(*state, message, wParam, lParam);
    case WM_NCDESTROY:
      Teardown(*state);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool AddTooltipTool(const ToolbarState& state, int index, const ToolbarButton& button) {
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = state.hwnd;
  tool.uId = static_cast<UINT_PTR>(index);
  tool.rect = button.rect;
  tool.hinst = state.instance;
  tool.lpszText = MAKEINTRESOURCEA(button.commandId);
  return SendMessageA(state.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

// Where the image stands in the button, clipped to it.
void PlaceImage(ToolbarButton& button, const RECT& imageRect, const uint32_t* pixels) {
  if (!pixels || !IntersectRect(&button.imageRect, &imageRect, &button.rect)) {
    SetRectEmpty(&button.imageRect);
    return;
  }
  int stride = imageRect.right - imageRect.left;
  button.image.pixels = pixels + (button.imageRect.top - imageRect.top) * stride +
                        (button.imageRect.left - imageRect.left);
  button.image.stride = stride;
  button.image.width = button.imageRect.right - button.imageRect.left;
  button.image.height = button.imageRect.bottom - button.imageRect.top;
  button.image.left = button.imageRect.left - button.rect.left;
  button.image.top = button.imageRect.top - button.rect.top;
}

}  // namespace

Toolbar::Toolbar() : state_(new ToolbarState) {}

Toolbar::~Toolbar() { DestroyControlWindow(state_->hwnd); }

HWND Toolbar::CreateControl(HWND parent, HINSTANCE instance, const RECT& rect, int childId) {
  if (state_->hwnd) return nullptr;
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterControlClass(instance, kClassName, ToolbarProc)) return nullptr;
  state_->instance = instance;
  state_->parent = parent;
  HWND hwnd = CreateControlWindow(0, kClassName, WS_CHILD | WS_VISIBLE, parent, instance, rect,
                                  childId, state_.get());
  if (!hwnd) state_->hwnd = nullptr;
  return hwnd;
}

HWND Toolbar::hwnd() const { return state_->hwnd; }

int Toolbar::ButtonCount() const { return static_cast<int>(state_->buttons.size()); }

bool Toolbar::AddButton(int kind, const RECT& buttonRect, const RECT& imageRect,
                        const uint32_t* image, int commandId) {
  ToolbarState& state = *state_;
  if (!state.hwnd || state.buttons.size() >= kToolbarMaxButtons) return false;
  if (buttonRect.right <= buttonRect.left || buttonRect.bottom <= buttonRect.top) return false;
  auto button = std::make_unique<ToolbarButton>(buttonRect);
  if (!button->face) return false;
  button->commandId = commandId;
  button->kind = NormalizedKind(kind);
  bool inert = IsInert(*button);
  if (inert) button->state = kToolbarDisabled;
  else PlaceImage(*button, imageRect, image);
  RenderFace(*button);
  int index = static_cast<int>(state.buttons.size());
  if (!inert && !AddTooltipTool(state, index, *button)) return false;
  InvalidateRect(state.hwnd, &button->rect, FALSE);
  state.buttons.push_back(std::move(button));
  return true;
}

bool Toolbar::SetChecked(int commandId, bool checked) {
  ToolbarState& state = *state_;
  int index = FindButton(state, commandId);
  if (index < 0 || !IsCheckable(*state.buttons[index])) return false;
  if (checked) CheckButton(state, index);
  else if (state.buttons[index]->state == kToolbarChecked) SetButtonState(state, index, kToolbarNormal);
  return true;
}

bool Toolbar::EnableButton(int commandId, bool enabled) {
  ToolbarState& state = *state_;
  int index = FindButton(state, commandId);
  if (index < 0) return false;
  int kind = state.buttons[index]->kind;
  if (kind != kToolbarPushButton && kind != kToolbarAutoRepeat) return false;
  int current = state.buttons[index]->state;
  if (enabled) {
    if (current == kToolbarDisabled) SetButtonState(state, index, kToolbarNormal);
    return true;
  }
  SetButtonState(state, index, kToolbarDisabled);
  if (state.captured == index) EndHold(state);
  return true;
}

int Toolbar::GetButtonState(int commandId) const {
  int index = FindButton(*state_, commandId);
  return index < 0 ? -1 : state_->buttons[index]->state;
}

void Toolbar::RelayTooltipEvent(const MSG& message) {
  if (!state_->tooltip) return;
  MSG copy = message;
  SendMessageA(state_->tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}
