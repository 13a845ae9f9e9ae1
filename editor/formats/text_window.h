// The editor's text window (RichEdit on Windows) as the file readers need
// it, and the two ways the editor paints the lyrics in it: blanks shown as
// "_" where they would be hard to see, and the units in alternating colours.
//
// Positions count characters, a double-byte character being one, from the
// start of the text (the header included). Every change made through this
// interface is the editor's own: the window raises no change notification
// for it, and the text it holds stays the document's text, except that a
// blank may be shown as "_".
#pragma once

#include <cstdint>

#include "editor/document/lyrics_document.h"
#include "editor/document/timing_units.h"
#include "editor/formats/growable_array.h"

class TextWindow {
 public:
  virtual ~TextWindow() = default;

  // The whole text replaced by the empty document's header, in the
  // header's colours. False when the window could not take it.
  virtual bool ShowEmptyDocument() = 0;
  // Replaces [start, end) by the NUL-terminated multibyte `text`, whose
  // line breaks are single CRs. False when the window could not take it.
  virtual bool ReplaceText(int32_t start, int32_t end, const char* text) = 0;
  // Appends the bytes of [start, end) as the window shows them; end -1
  // reads to the end of the text.
  virtual bool ReadText(int32_t start, int32_t end, ByteBuilder* text) = 0;
  // Shows `shown` ("_", " " or "\t") at p, where the document holds a
  // blank; nothing to do when p shows it already.
  virtual void ShowBlank(int32_t p, char shown) = 0;
  // Gives [start, end) the colour of a unit of that parity (0 even, 1 odd;
  // lyrics before the first unit count as odd).
  virtual void ColourUnit(int32_t start, int32_t end, int parity) = 0;
  // Off while the window is being filled; on again draws it once.
  virtual void SetRedraw(bool on) = 0;
  virtual void SetCaret(int32_t p) = 0;
};

// Keeps the window from redrawing for its lifetime.
class RedrawOff {
 public:
  explicit RedrawOff(TextWindow& window) : window_(window) { window_.SetRedraw(false); }
  ~RedrawOff() { window_.SetRedraw(true); }
  RedrawOff(const RedrawOff&) = delete;
  RedrawOff& operator=(const RedrawOff&) = delete;

 private:
  TextWindow& window_;
};

// How a blank (space or tab) shows: "_" when it carries a syncpoint or is
// the first or the last character of its line, where a blank would be hard
// to see; else itself.
inline char ShownBlank(uint16_t before, uint16_t blank, uint16_t after, bool syncpoint) {
  const bool hidden = syncpoint || IsLineBreak(before) || IsLineBreak(after);
  return hidden ? '_' : static_cast<char>(blank);
}

inline bool IsLyricsBlank(uint16_t code) { return code == ' ' || code == '\t'; }

// Shows every blank of the lyrics in [a - 1, b] as above.
void ShowBlanks(const LyricsDocument& document, TextWindow& window, int32_t a, int32_t b);
// Colours the units from a (at least the lyrics start) to the end of the
// text by their parity.
void RecolourUnits(const LyricsDocument& document, TextWindow& window, int32_t a);

// The same for all of the lyrics at once, held as an array (lyrics start
// 0) whose position 0 is the window's position `offset`: one walk, for the
// readers.
void ShowLyricsBlanks(const LyricsTextView& lyrics, int32_t offset, TextWindow& window);
void ColourLyricsUnits(const LyricsTextView& lyrics, int32_t offset, TextWindow& window);
