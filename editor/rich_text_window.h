// The lyrics RichEdit window as the file readers see it (TextWindow): the
// readers fill it through this object while the document is loaded. Every
// change runs with the window's notifications off, so the editor never
// takes its own changes for the user's.
#pragma once

#include <windows.h>

#include "editor/formats/text_window.h"

class RichTextWindow : public TextWindow {
 public:
  // `evenColour` and `oddColour` are the colours of the units by parity.
  RichTextWindow(HWND text, COLORREF evenColour, COLORREF oddColour)
      : text_(text), evenColour_(evenColour), oddColour_(oddColour) {}

  bool ShowEmptyDocument() override;
  bool ReplaceText(int32_t start, int32_t end, const char* text) override;
  bool ReadText(int32_t start, int32_t end, ByteBuilder* text) override;
  void ShowBlank(int32_t p, char shown) override;
  void ColourUnit(int32_t start, int32_t end, int parity) override;
  void SetRedraw(bool on) override;
  void SetCaret(int32_t p) override;

 private:
  HWND text_;
  COLORREF evenColour_;
  COLORREF oddColour_;
  int redrawOff_ = 0;
};
