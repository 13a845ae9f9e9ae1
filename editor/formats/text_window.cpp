#include "editor/formats/text_window.h"

void ShowBlanks(const LyricsDocument& document, TextWindow& window, int32_t a, int32_t b) {
  const int32_t first = a - 1 < document.LyricsStart() ? document.LyricsStart() : a - 1;
  const int32_t last = b < document.Length() ? b : document.Length() - 1;
  for (int32_t p = first; p <= last; ++p) {
    const uint16_t code = document.CharacterAt(p);
    if (!IsLyricsBlank(code)) continue;
    window.ShowBlank(p, ShownBlank(document.CharacterAt(p - 1), code, document.CharacterAt(p + 1),
                                   document.IsSyncpointAt(p)));
  }
}

void RecolourUnits(const LyricsDocument& document, TextWindow& window, int32_t a) {
  // The header keeps its own colours.
  for (int32_t p = a < document.LyricsStart() ? document.LyricsStart() : a; p < document.Length();) {
    const UnitParityEnd unit = document.UnitParityAndEnd(p);
    window.ColourUnit(p, unit.end, unit.parity);
    p = unit.end;
  }
}

void ShowLyricsBlanks(const LyricsTextView& lyrics, int32_t offset, TextWindow& window) {
  for (int32_t p = 0; p < lyrics.length; ++p) {
    const uint16_t code = lyrics.chars[p].code;
    if (!IsLyricsBlank(code)) continue;
    const uint16_t before = p > 0 ? lyrics.chars[p - 1].code : kLineBreakCode;
    const uint16_t after = p + 1 < lyrics.length ? lyrics.chars[p + 1].code : kLineBreakCode;
    window.ShowBlank(offset + p, ShownBlank(before, code, after, lyrics.chars[p].syncpoint != 0));
  }
}

void ColourLyricsUnits(const LyricsTextView& lyrics, int32_t offset, TextWindow& window) {
  UnitWalker<ArrayPlace> walk{ArrayPlace{lyrics.chars, lyrics.length, -1}, -1};
  walk.MoveTo(0, 0);
  while (walk.at.Position() < lyrics.length) {
    const int32_t start = walk.at.Position();
    const UnitParityEnd unit = walk.TakeParityAndEnd(0);
    window.ColourUnit(offset + start, offset + unit.end, unit.parity);
  }
}
