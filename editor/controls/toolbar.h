// KMEditCBWnd: the editor's flat, owner-drawn toolbar. A row of up to 25
// buttons with alpha-blended 32-bit images, hot tracking, check and radio
// buttons, auto-repeating buttons and tooltips taken from the string table
// (the string whose id is the button's command id). Buttons report to the
// parent with WM_COMMAND, lParam = the toolbar window:
//   click of a push, check or radio button     wParam = command id
//   auto-repeat button pressed                 wParam = command id
//   every repeat while it is held              wParam = id | kToolbarRepeatCode << 16
//   auto-repeat button released                wParam = id | kToolbarReleaseCode << 16
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

// Button kinds. A radio group is a kToolbarRadioFirst button followed by
// kToolbarRadioMember buttons. Any other kind is taken as a push button.
enum : int {
  kToolbarPushButton = 0,
  kToolbarCheckButton = 1,
  kToolbarRadioMember = 2,
  kToolbarRadioFirst = 4,
  kToolbarAutoRepeat = 8,
  kToolbarSeparator = 16,  // inert: always disabled, no image, no tooltip; an etched line
  kToolbarSpacer = 32,     // inert and blank
};

// Button states, as GetButtonState reports them.
enum : int {
  kToolbarNormal = 0,
  kToolbarHot = 1,
  kToolbarPressed = 2,
  kToolbarChecked = 4,
  kToolbarDisabled = 8,
};

constexpr int kToolbarMaxButtons = 25;
constexpr WORD kToolbarRepeatCode = 0x0100;
constexpr WORD kToolbarReleaseCode = 0x0200;
// Posted by the auto-repeat timer to the toolbar, 33 ms apart.
constexpr UINT kToolbarRepeatTick = WM_USER + 5;

struct ToolbarState;

class Toolbar {
 public:
  Toolbar();
  ~Toolbar();
  Toolbar(const Toolbar&) = delete;
  Toolbar& operator=(const Toolbar&) = delete;

  // Creates the window (class KMEditCBWnd, registered once) and its tooltip
  // window. Returns the window, or null.
  HWND CreateControl(HWND parent, HINSTANCE instance, const RECT& rect, int childId);
  HWND hwnd() const;

  // Adds a button. `buttonRect` and `imageRect` are in toolbar client
  // coordinates; the image rectangle is clipped to the button. `image` holds
  // width x height of imageRect pixels, top-down, each blue, green, red,
  // alpha from the lowest byte (not premultiplied); it is not copied and must
  // outlive the toolbar; null for none. Fails without a window or when the
  // toolbar already holds kToolbarMaxButtons buttons.
  bool AddButton(int kind, const RECT& buttonRect, const RECT& imageRect, const uint32_t* image,
                 int commandId);

  // Checks or unchecks a check or radio button; checking a radio button
  // unchecks the checked button of its group. False for an unknown id or
  // another kind.
  bool SetChecked(int commandId, bool checked);
  // Disables (state kToolbarDisabled) or enables (kToolbarNormal) a push or
  // auto-repeat button. Disabling a held button ends the hold (a held
  // auto-repeat button reports its release). False for an unknown id or
  // another kind.
  bool EnableButton(int commandId, bool enabled);
  // The button's state, or -1 for an unknown id.
  int GetButtonState(int commandId) const;
  int ButtonCount() const;

  // Passes a mouse message meant for the toolbar to its tooltip window.
  void RelayTooltipEvent(const MSG& message);

 private:
  std::unique_ptr<ToolbarState> state_;
};
