// The timing-unit rules of the lyrics text, shared by the editor's
// LyricsDocument and by the lyrics display filter's copy of the lyrics.
//
// A timing point is a lyrics character that is not a line break and either
// starts its line or carries a syncpoint. A timing unit runs from one timing
// point up to the next one (or to the end of its line); units are numbered
// from 0 in text order. Outside the text stand line breaks: the character
// before position 0 and the one at position `length` count as code 13.
//
// The rules are written once, as walks over a "place" in a text, so that the
// document's linked characters and a plain array of LyricsChar use the very
// same code. A Place type provides:
//   int32_t Position() const;   -1 (before the text) to length (after it)
//   uint16_t Code() const;      13 outside the text
//   bool Syncpoint() const;     false outside the text
//   uint16_t CodeBefore() const;  code at Position() - 1 (13 outside)
//   bool AtEnd() const;         Position() == length
//   void Forward(); void Back();  one character; never past -1 or length
// Positions below `lyricsStart` are the header: they hold no timing point.
#pragma once

#include <cstdint>

constexpr uint16_t kLineBreakCode = 13;

// One character of the lyrics: its 16-bit code (the byte of a single-byte
// character; lead byte low, trail byte high for a double-byte one) and its
// syncpoint flag (0 none, 1 syncpoint).
struct LyricsChar {
  uint16_t code;
  uint16_t syncpoint;
};

inline bool IsLineBreak(uint16_t code) { return code == kLineBreakCode; }

// Whether `code`, preceded by `before`, is a timing point (in the lyrics).
inline bool IsTimingPoint(uint16_t before, uint16_t code, bool syncpoint) {
  return !IsLineBreak(code) && (IsLineBreak(before) || syncpoint);
}

// Whether a syncpoint may stand on `code` preceded by `before`: neither is a
// line break. A syncpoint whose character comes to start a line is dropped,
// since the start of a line is a timing point anyway.
inline bool CanCarrySyncpoint(uint16_t before, uint16_t code) {
  return !IsLineBreak(before) && !IsLineBreak(code);
}

// The unit index reported for position p, given the running unit count of a
// walk standing at p: -1 in the header, 0 before the first unit of the
// lyrics.
inline int32_t ReportedUnitIndex(int32_t runningUnit, int32_t p, int32_t lyricsStart) {
  if (p < lyricsStart) return -1;
  return runningUnit < 0 ? 0 : runningUnit;
}

// Parity of the unit with the running index `runningUnit`: 0 even, 1 odd.
// The header and a stretch before the first unit count as odd.
inline int UnitParity(int32_t runningUnit) { return runningUnit < 0 ? 1 : (runningUnit & 1); }

// The parity of the unit holding a position and where that unit ends: the
// position of the next timing point, or the length of the text.
struct UnitParityEnd {
  int parity;
  int32_t end;
};

template <class Place>
bool AtTimingPoint(const Place& at, int32_t lyricsStart) {
  return at.Position() >= lyricsStart &&
         IsTimingPoint(at.CodeBefore(), at.Code(), at.Syncpoint());
}

// A walk over the text that keeps the index of the unit holding its
// position: -1 before the first unit (and in the header). Standing at -1
// with unit -1, or at the end with unit (unit count - 1), is always valid.
template <class Place>
struct UnitWalker {
  Place at;
  int32_t unit;

  void Forward(int32_t lyricsStart) {
    at.Forward();
    if (AtTimingPoint(at, lyricsStart)) ++unit;
  }
  void Back(int32_t lyricsStart) {
    if (AtTimingPoint(at, lyricsStart)) --unit;
    at.Back();
  }
  // To position p, which must lie within [-1, length].
  void MoveTo(int32_t p, int32_t lyricsStart) {
    while (at.Position() < p) Forward(lyricsStart);
    while (at.Position() > p) Back(lyricsStart);
  }
  // To the timing point that starts unit `target`, which must exist.
  void MoveToUnit(int32_t target, int32_t lyricsStart) {
    while (unit < target) Forward(lyricsStart);
    while (unit != target || !AtTimingPoint(at, lyricsStart)) Back(lyricsStart);
  }
  // Forward to the next timing point after the position, or to the end.
  void MoveToNextTimingPoint(int32_t lyricsStart) {
    if (at.AtEnd()) return;
    do Forward(lyricsStart);
    while (!at.AtEnd() && !AtTimingPoint(at, lyricsStart));
  }
  // The parity of the unit holding the position; the walk then goes on to
  // where that unit ends.
  UnitParityEnd TakeParityAndEnd(int32_t lyricsStart) {
    const int parity = UnitParity(unit);
    MoveToNextTimingPoint(lyricsStart);
    return UnitParityEnd{parity, at.Position()};
  }
};

// Forward to the first line break at or after the place (the end of the
// text counts as one).
template <class Place>
void MoveToLineEnd(Place& at) {
  while (!IsLineBreak(at.Code())) at.Forward();
}

// ---- The rules over a plain array of characters ----

// A text held as an array; `lyricsStart` is 0 for a copy of the lyrics alone
// (the display filter's), whose position 0 follows the header's last line
// break.
struct LyricsTextView {
  const LyricsChar* chars;
  int32_t length;
  int32_t lyricsStart;
};

struct ArrayPlace {
  const LyricsChar* chars;
  int32_t length;
  int32_t position;

  int32_t Position() const { return position; }
  uint16_t Code() const { return CodeAt(position); }
  bool Syncpoint() const { return position >= 0 && position < length && chars[position].syncpoint; }
  uint16_t CodeBefore() const { return CodeAt(position - 1); }
  bool AtEnd() const { return position >= length; }
  void Forward() { ++position; }
  void Back() { --position; }

 private:
  uint16_t CodeAt(int32_t p) const {
    return p >= 0 && p < length ? chars[p].code : kLineBreakCode;
  }
};

// Each walks from the start of the array (the filter may keep a
// UnitWalker<ArrayPlace> of its own for sequential queries). Positions
// outside the text are clamped to it.
int32_t CountUnits(const LyricsTextView& text);
// The index of the unit holding p: -1 in the header, 0 before the first unit.
int32_t UnitIndexAt(const LyricsTextView& text, int32_t p);
// The position of the timing point that starts unit i, or -1 when there are
// fewer units.
int32_t UnitPosition(const LyricsTextView& text, int32_t unit);
UnitParityEnd UnitParityAndEnd(const LyricsTextView& text, int32_t p);
// The position of the first line break at or after p (the length when none).
int32_t LineEndFrom(const LyricsTextView& text, int32_t p);
