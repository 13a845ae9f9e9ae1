// A text window in memory, for tests, fuzzers and benchmarks: it keeps the
// characters as shown, their colours and the caret, and takes text as a
// RichEdit window does (CR LF and LF become CR; a new character takes the
// colour of the one before it).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/document/lyrics_document.h"
#include "editor/formats/editor_document.h"
#include "editor/formats/text_window.h"
#include "lyrics/lead_byte.h"

// COLORREF values (0x00BBGGRR) as the editor shows them.
constexpr uint32_t kHeaderGrey = 0x00808080;        // the header, and the default
constexpr uint32_t kHeaderBreakGreen = 0x0000C000;  // the breaks of the four header lines
constexpr uint32_t kEvenUnitColour = 0x00FFCC00;
constexpr uint32_t kOddUnitColour = 0x0000CCFF;

class MemoryTextWindow : public TextWindow {
 public:
  explicit MemoryTextWindow(LeadBytePredicate isLead) : isLead_(isLead) {}

  bool ShowEmptyDocument() override;
  bool ReplaceText(int32_t start, int32_t end, const char* text) override;
  bool ReadText(int32_t start, int32_t end, ByteBuilder* text) override;
  void ShowBlank(int32_t p, char shown) override;
  void ColourUnit(int32_t start, int32_t end, int parity) override;
  void SetRedraw(bool on) override;
  void SetCaret(int32_t p) override { caret_ = p; }

  // The whole text as shown.
  std::string Text() const;
  int32_t Length() const { return static_cast<int32_t>(codes_.size()); }
  uint32_t ColourAt(int32_t p) const { return colours_[static_cast<size_t>(p)]; }
  int32_t Caret() const { return caret_; }
  // Whether the window is drawn now, and how often it was drawn again.
  bool Drawn() const { return redrawOff_ == 0; }
  int Redraws() const { return redraws_; }

 private:
  bool InRange(int32_t start, int32_t end) const {
    return start >= 0 && start <= end && end <= Length();
  }

  LeadBytePredicate isLead_;
  std::vector<uint16_t> codes_;
  std::vector<uint32_t> colours_;
  int32_t caret_ = 0;
  int redrawOff_ = 0;
  int redraws_ = 0;
};

// The text of the document as bytes.
std::string DocumentText(const LyricsDocument& document);

// Empty when the window shows the document as the readers leave it: the
// same characters, except that a blank shows as "_" exactly where it
// carries a syncpoint or starts or ends its line; the header grey with
// green line breaks on its four labelled lines; the lyrics in the colours
// of their units' parity. Otherwise what differs first.
std::string FindWindowDifference(const MemoryTextWindow& window, const LyricsDocument& document);
