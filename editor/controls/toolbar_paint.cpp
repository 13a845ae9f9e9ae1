// Painting the toolbar: button faces and their borders, double-buffered.
#include "editor/controls/buffered_drawing.h"
#include "editor/controls/toolbar.h"
#include "editor/controls/toolbar_state.h"

namespace {

void FillLine(HDC dc, int left, int top, int right, int bottom, int sysColour) {
  RECT line = {left, top, right, bottom};
  FillRect(dc, &line, GetSysColorBrush(sysColour));
}

// A 1-pixel frame: `topLeft` along the top and left edges, `bottomRight`
// along the bottom and right ones.
void DrawFrame(HDC dc, const RECT& r, int topLeft, int bottomRight) {
  FillLine(dc, r.left, r.top, r.right - 1, r.top + 1, topLeft);
  FillLine(dc, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
  FillLine(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
  FillLine(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
}

void DrawBorder(HDC dc, const ToolbarButton& button) {
  const RECT& r = button.rect;
  if (button.kind == kToolbarSeparator) {
    int x = (r.left + r.right) / 2 - 1;
    FillLine(dc, x, r.top + 2, x + 1, r.bottom - 2, COLOR_BTNSHADOW);
    FillLine(dc, x + 1, r.top + 2, x + 2, r.bottom - 2, COLOR_BTNHIGHLIGHT);
    return;
  }
  switch (button.state) {
    case kToolbarHot:
      DrawFrame(dc, r, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
      break;
    case kToolbarPressed:
      DrawFrame(dc, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
      break;
    case kToolbarChecked: {
      DrawFrame(dc, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
      RECT inner = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
      FrameRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
      break;
    }
  }
}

}  // namespace

void PaintToolbar(ToolbarState& state) {
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(state.hwnd, &paint);
  RECT client;
  GetClientRect(state.hwnd, &client);
  MemoryDc faces(screen);
  DrawBuffered(screen, 0, 0, client.right, client.bottom, [&](HDC buffer) {
    if (!faces) return false;
    for (const auto& button : state.buttons) {
      Selection face(faces.get(), button->face.get());
      BitBlt(buffer, button->rect.left, button->rect.top, button->width(), button->height(),
             faces.get(), 0, 0, SRCCOPY);
      DrawBorder(buffer, *button);
    }
    return true;
  });
  EndPaint(state.hwnd, &paint);
}
