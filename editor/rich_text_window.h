// The lyrics RichEdit window as the file readers see it (TextWindow): the
// readers fill it through this object while the document is loaded. Every
// change runs with the window's notifications off, so the editor never
// takes its own changes for the user's.
//
// RichEdit pays for every selection and format change with a walk over its
// text, so colouring thousands of units one by one takes seconds. While
// the window does not redraw, the blanks and unit colours are therefore
// only collected, and when drawing resumes the coloured range is written
// in one piece as rich text; a lyrics text inserted meanwhile is held back
// and goes in only then, in that rich text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "editor/formats/text_window.h"

class RichTextWindow : public TextWindow {
 public:
  // `evenColour` and `oddColour` are the colours of the units by parity.
  RichTextWindow(HWND text, COLORREF evenColour, COLORREF oddColour)
      : text_(text), evenColour_(evenColour), oddColour_(oddColour) {}
  ~RichTextWindow() override { ApplyPainting(); }
  RichTextWindow(const RichTextWindow&) = delete;
  RichTextWindow& operator=(const RichTextWindow&) = delete;

  bool ShowEmptyDocument() override;
  bool ReplaceText(int32_t start, int32_t end, const char* text) override;
  bool ReadText(int32_t start, int32_t end, ByteBuilder* text) override;
  void ShowBlank(int32_t p, char shown) override;
  void ColourUnit(int32_t start, int32_t end, int parity) override;
  void SetRedraw(bool on) override;
  void SetCaret(int32_t p) override;

 private:
  struct Blank {
    int32_t position;
    char shown;
  };
  struct Run {
    int32_t start;
    int32_t end;
    int parity;
  };

  bool ReplaceNow(int32_t start, int32_t end, const char* text);
  // Puts a held insertion into the window as plain text.
  bool InsertHeldText();
  void ShowBlankNow(int32_t p, char shown);
  void ColourUnitNow(int32_t start, int32_t end, int parity);
  // Carries out what was collected: in one piece when the runs cover their
  // range without a gap, else one by one.
  void ApplyPainting();
  bool RewriteRange(int32_t start, int32_t end);
  bool StreamIn(int32_t start, int32_t end, const std::string& rtf);

  HWND text_;
  COLORREF evenColour_;
  COLORREF oddColour_;
  int redrawOff_ = 0;
  std::vector<Blank> blanks_;
  std::vector<Run> runs_;
  // An insertion made while the window does not redraw, held back so that
  // the rich text with its colours can go in instead of it: its place, its
  // text and its length in characters.
  int32_t heldAt_ = -1;
  std::string heldText_;
  int32_t heldLength_ = 0;
};
