#include "editor/controls/time_display.h"

#include "display/win32/gdi_holders.h"
#include "editor/controls/buffered_drawing.h"

const char TimeDisplay::kClassName[] = "KMEditCTWnd";

namespace {

void DrawDigit(HDC dc, int left, int top, int digit) {
  const int segments = DigitSegments(digit);
  for (int segment = 0; segment < kSegmentCount; ++segment) {
    if (!(segments & (1 << segment))) continue;
    for (const SegmentLine& line : kSegmentLines[segment]) {
      MoveToEx(dc, left + line.x0, top + line.y0, nullptr);
      LineTo(dc, left + line.x1, top + line.y1);
    }
  }
}

void DrawDot(HDC dc, int left, int top, COLORREF color) {
  for (int y = top; y < top + 2; ++y) {
    for (int x = left; x < left + 2; ++x) SetPixelV(dc, x, y, color);
  }
}

// Draws digits and dots with a one-pixel pen of `color` into a buffered
// button-face area of width x height, copied to `target` at (x, y).
template <typename DrawGlyphs>
void DrawReadoutPart(HDC target, int x, int y, int width, int height, COLORREF color,
                     DrawGlyphs drawGlyphs) {
  DrawBuffered(target, x, y, width, height, [&](HDC memory) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    if (!pen) return false;
    Selection selected(memory, pen.get());
    drawGlyphs(memory);
    return true;
  });
}

}  // namespace

TimeDisplay::~TimeDisplay() { DestroyControlWindow(hwnd_); }

HWND TimeDisplay::CreateControl(HWND parent, HINSTANCE instance, const RECT& rect, int id) {
  static const ControlClass kClass = {kClassName, ControlWindowProc<TimeDisplay>,
                                      WS_CHILD | WS_VISIBLE, WS_EX_STATICEDGE};
  return hwnd_ ? nullptr : CreateControlWindow(kClass, parent, instance, rect, id, this);
}

void TimeDisplay::SetTime(int32_t centiseconds, bool highlight) {
  if (centiseconds < 0) return;
  const ReadoutTime time = SplitCentiseconds(centiseconds);
  const bool onlyHundredths = time.hours == shown_.hours && time.minutes == shown_.minutes &&
                              time.seconds == shown_.seconds;
  const bool colorChanged = highlight != highlighted_;
  shown_ = time;
  highlighted_ = highlight;
  if (!hwnd_) return;
  if (onlyHundredths && !colorChanged) {
    DrawHundredths();
  } else {
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
  }
}

int TimeDisplay::DigitTop() const {
  RECT client = {};
  GetClientRect(hwnd_, &client);
  return (client.bottom - kDigitHeight) / 2 + 1;
}

void TimeDisplay::Paint() {
  const int top = DigitTop();
  const COLORREF color = CurrentColor();
  ReadoutGlyph glyphs[kReadoutGlyphCount];
  LayoutReadout(shown_, glyphs);
  PaintWindow(hwnd_, [&](HDC dc, const RECT& client) {
    DrawReadoutPart(dc, 0, 0, client.right, client.bottom, color, [&](HDC memory) {
      for (const ReadoutGlyph& glyph : glyphs) {
        if (glyph.isDot) {
          DrawDot(memory, glyph.x, top + glyph.y, color);
        } else {
          DrawDigit(memory, glyph.x, top + glyph.y, glyph.digit);
        }
      }
    });
  });
}

void TimeDisplay::DrawHundredths() {
  HDC dc = GetDC(hwnd_);
  if (!dc) return;
  DrawReadoutPart(dc, kHundredthsX, DigitTop(), kHundredthsWidth, kDigitHeight, CurrentColor(),
                  [&](HDC memory) {
                    DrawDigit(memory, 0, 0, shown_.hundredths / 10);
                    DrawDigit(memory, kHundredthsUnitsOffset, 0, shown_.hundredths % 10);
                  });
  ReleaseDC(hwnd_, dc);
}

LRESULT TimeDisplay::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
