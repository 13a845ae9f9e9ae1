// The editor's time display, window class "KMEditCTWnd": the playback
// position as a seven-segment readout HH:MM:SS.hh in green, or orange while
// highlighted. Changes that only touch the hundredths redraw those two
// digits alone.
#pragma once

#include <windows.h>

#include <cstdint>

#include "editor/controls/control_window.h"
#include "editor/controls/seven_segment.h"

class TimeDisplay : public ControlWindow {
 public:
  static const char kClassName[];
  static constexpr COLORREF kNormalColor = 0x0000A000;
  static constexpr COLORREF kHighlightColor = 0x000080FF;

  TimeDisplay() = default;
  ~TimeDisplay();

  // Registers the class once and creates the control (child, visible,
  // static edge) over `rect`. Null on failure.
  HWND CreateControl(HWND parent, HINSTANCE instance, const RECT& rect, int id);

  // Shows `centiseconds` (negative times are ignored), in the highlight
  // colour when `highlight` is set.
  void SetTime(int32_t centiseconds, bool highlight);

  const ReadoutTime& shownTime() const { return shown_; }
  bool highlighted() const { return highlighted_; }

  // For the window procedure only.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  COLORREF CurrentColor() const { return highlighted_ ? highlightColor_ : normalColor_; }
  int DigitTop() const;
  void Paint();
  void DrawHundredths();

  COLORREF normalColor_ = kNormalColor;
  COLORREF highlightColor_ = kHighlightColor;
  ReadoutTime shown_;
  bool highlighted_ = false;
};
