#include "editor/document/timing_units.h"

namespace {

int32_t Clamp(int32_t p, int32_t low, int32_t high) { return p < low ? low : (p > high ? high : p); }

UnitWalker<ArrayPlace> WalkerAtStart(const LyricsTextView& text) {
  return UnitWalker<ArrayPlace>{ArrayPlace{text.chars, text.length, -1}, -1};
}

}  // namespace

int32_t CountUnits(const LyricsTextView& text) {
  UnitWalker<ArrayPlace> walk = WalkerAtStart(text);
  walk.MoveTo(text.length, text.lyricsStart);
  return walk.unit + 1;
}

int32_t UnitIndexAt(const LyricsTextView& text, int32_t p) {
  p = Clamp(p, -1, text.length);
  UnitWalker<ArrayPlace> walk = WalkerAtStart(text);
  walk.MoveTo(p, text.lyricsStart);
  return ReportedUnitIndex(walk.unit, p, text.lyricsStart);
}

int32_t UnitPosition(const LyricsTextView& text, int32_t unit) {
  if (unit < 0 || unit >= CountUnits(text)) return -1;
  UnitWalker<ArrayPlace> walk = WalkerAtStart(text);
  walk.MoveToUnit(unit, text.lyricsStart);
  return walk.at.Position();
}

UnitParityEnd UnitParityAndEnd(const LyricsTextView& text, int32_t p) {
  UnitWalker<ArrayPlace> walk = WalkerAtStart(text);
  walk.MoveTo(Clamp(p, -1, text.length), text.lyricsStart);
  return walk.TakeParityAndEnd(text.lyricsStart);
}

int32_t LineEndFrom(const LyricsTextView& text, int32_t p) {
  ArrayPlace at{text.chars, text.length, Clamp(p, 0, text.length)};
  MoveToLineEnd(at);
  return at.Position();
}
