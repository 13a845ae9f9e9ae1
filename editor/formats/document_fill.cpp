#include "editor/formats/document_fill.h"

#include "editor/document/character_code.h"

namespace {

bool IsBreakOrNul(char c) { return c == '\r' || c == '\n' || c == '\0'; }

// Puts a NUL after the bytes without counting it as one of them.
bool Terminate(ByteBuilder* text) {
  if (!text->Push('\0')) return false;
  text->Truncate(text->size() - 1);
  return true;
}

// Inserts the NUL-terminated `text` at p in the document and the window.
bool InsertText(EditorDocument& document, int32_t p, const char* text) {
  const int32_t count = CountCharacters(text, document.isLead);
  if (count == 0) return true;
  return document.text.ReplaceRange(p, p, text, count, EditLog::kNone) &&
         document.window.ReplaceText(p, p, text);
}

// Shows the blanks and colours the units of the lyrics just filled in, as
// the NUL-terminated `lyrics` with syncpoints at `syncpoints`, and puts the
// caret at their start.
bool PaintLyrics(EditorDocument& document, const char* lyrics, const GrowableArray<int32_t>* syncpoints) {
  GrowableArray<LyricsChar> chars;
  if (!chars.Reserve(static_cast<size_t>(document.text.Length() - document.text.LyricsStart()))) {
    return false;
  }
  for (size_t pos = 0, bytes = 0; lyrics[pos]; pos += bytes) {
    chars.Push(LyricsChar{DecodeCharacter(lyrics, pos, document.isLead, &bytes), 0});
  }
  for (size_t i = 0; syncpoints && i < syncpoints->size(); ++i) {
    const size_t p = static_cast<size_t>((*syncpoints)[i]);
    if (p < chars.size()) chars[p].syncpoint = 1;
  }
  const LyricsTextView view{chars.data(), static_cast<int32_t>(chars.size()), 0};
  const int32_t lyricsStart = document.text.LyricsStart();
  ShowLyricsBlanks(view, lyricsStart, document.window);
  ColourLyricsUnits(view, lyricsStart, document.window);
  document.text.ClearHistory();
  document.window.SetCaret(lyricsStart);
  return true;
}

bool Fail(EditorDocument& document) {
  ResetToTemplate(document);
  return false;
}

}  // namespace

bool AppendCleanText(const char* bytes, size_t size, LeadBytePredicate isLead, ByteBuilder* out) {
  if (!out->Reserve(size)) return false;
  for (size_t i = 0; i < size; ++i) {
    const char c = bytes[i];
    if (c == '\0') continue;
    if (c == '\n' || c == '\r') {
      out->Push('\r');
      if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') ++i;
    } else if (!isLead(static_cast<unsigned char>(c))) {
      out->Push(c);
    } else if (i + 1 < size && !IsBreakOrNul(bytes[i + 1])) {
      out->Append(bytes + i, 2);
      ++i;
    } else {
      out->Push('?');
    }
  }
  return true;
}

bool AppendCleanLine(const char* bytes, size_t size, LeadBytePredicate isLead, ByteBuilder* out) {
  if (!out->Reserve(size)) return false;
  for (size_t i = 0; i < size;) {
    const size_t bytesOfCharacter = CharacterSize(bytes, i, size, isLead);
    const char last = bytes[i + bytesOfCharacter - 1];
    const bool broken = IsBreakOrNul(last) ||
                        (bytesOfCharacter == 1 && isLead(static_cast<unsigned char>(last)));
    if (broken) {
      out->Push('?');
    } else {
      out->Append(bytes + i, bytesOfCharacter);
    }
    i += bytesOfCharacter;
  }
  return true;
}

int32_t CountCharacters(const char* text, LeadBytePredicate isLead) {
  int32_t count = 0;
  for (size_t pos = 0; text[pos]; ++count) pos += CharacterSize(text, pos, SIZE_MAX, isLead);
  return count;
}

bool FillDocument(EditorDocument& document, LoadedLyrics& loaded) {
  for (ByteBuilder& value : loaded.header) {
    if (!Terminate(&value)) return Fail(document);
  }
  if (!Terminate(&loaded.lyrics)) return Fail(document);
  // From the last header line up, so that the positions found stay true.
  const HeaderLines header = FindHeaderLines(document.text);
  for (int field = kHeaderFieldCount - 1; field >= 0; --field) {
    if (!InsertText(document, header.valueEnd[field], loaded.header[field].data())) {
      return Fail(document);
    }
  }
  const int32_t lyricsStart = document.text.LyricsStart();
  if (!InsertText(document, lyricsStart, loaded.lyrics.data())) return Fail(document);
  for (size_t i = 0; i < loaded.syncpoints.size(); ++i) {
    if (!document.text.SetSyncpoint(lyricsStart + loaded.syncpoints[i], false)) {
      return Fail(document);
    }
  }
  return PaintLyrics(document, loaded.lyrics.data(), &loaded.syncpoints) || Fail(document);
}

bool FillLyricsFromWindow(EditorDocument& document, const char* text) {
  LyricsDocument& lyrics = document.text;
  const int32_t start = lyrics.LyricsStart();
  ByteBuilder shown;
  if (!document.window.ReplaceText(start, lyrics.Length(), text) ||
      !document.window.ReadText(start, -1, &shown) ||
      !Terminate(&shown)) {
    return Fail(document);
  }
  const int32_t count = CountCharacters(shown.data(), document.isLead);
  if (!lyrics.ReplaceRange(start, lyrics.Length(), shown.data(), count, EditLog::kNone)) {
    return Fail(document);
  }
  return PaintLyrics(document, shown.data(), nullptr) || Fail(document);
}
