// The toolbar's data, shared by its public methods, its window procedure and
// its mouse handling.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "display/win32/gdi_holders.h"
#include "editor/controls/toolbar_face.h"

struct ToolbarButton {
  // Makes the face bitmap, the size of `buttonRect`.
  explicit ToolbarButton(const RECT& buttonRect);

  int commandId = 0;
  int kind = 0;
  int state = 0;
  RECT rect = {};       // in the toolbar's client area
  RECT imageRect = {};  // the same, clipped to `rect`; empty without an image
  FaceImage image;      // placed relative to `rect`
  uint32_t* faceBits = nullptr;
  GdiObject<HBITMAP> face;  // null when it could not be made
  ButtonLook renderedLook = ButtonLook::kPlain;

  int width() const { return rect.right - rect.left; }
  int height() const { return rect.bottom - rect.top; }
};

struct ToolbarState {
  HWND hwnd = nullptr;
  HINSTANCE instance = nullptr;
  HWND parent = nullptr;  // receives the commands, wherever the window is placed
  HWND tooltip = nullptr;
  std::vector<std::unique_ptr<ToolbarButton>> buttons;
  int captured = -1;  // the button holding the mouse capture
  bool trackingLeave = false;
  UINT repeatTimer = 0;
  int repeatTicks = 0;
  int repeatCommand = 0;
  bool overRepeatButton = false;
};

// Kind helpers: unknown kinds behave as push buttons.
int NormalizedKind(int kind);
bool IsInert(const ToolbarButton& button);
bool IsCheckable(const ToolbarButton& button);  // check and radio buttons

int FindButton(const ToolbarState& state, int commandId);
int ButtonAt(const ToolbarState& state, POINT point);

// Changes a button's state, renders its face again when its look changes
// and repaints it.
void SetButtonState(ToolbarState& state, int index, int buttonState);
void RenderFace(ToolbarButton& button);
// Checks a check or radio button; a radio button's group loses its checked
// button.
void CheckButton(ToolbarState& state, int index);

void SendToolbarCommand(const ToolbarState& state, int commandId, WORD code);
// Ends a mouse hold without a click: stops auto-repeat (reporting the
// release) and gives up the capture.
void EndHold(ToolbarState& state);

LRESULT HandleToolbarMouse(ToolbarState& state, UINT message, WPARAM wParam, LPARAM lParam);
void PaintToolbar(ToolbarState& state);
