#include "editor/formats/editor_document.h"

#include <cstring>

const char* const kHeaderLabels[kHeaderFieldCount] = {"Title: ", "Artist: ", "Album: ",
                                                      "Editor: "};

namespace {

bool HasLabelAt(const LyricsDocument& document, int32_t p, const char* label) {
  for (int32_t i = 0; label[i]; ++i) {
    if (document.CharacterAt(p + i) != static_cast<unsigned char>(label[i])) return false;
  }
  return true;
}

// Replaces the whole text by the empty header.
bool ReplaceAllByTemplate(EditorDocument& document) {
  const int32_t length = document.text.Length();
  const bool replaced = length == 0 ? document.text.Initialise(kEmptyDocumentText)
                                    : document.text.ReplaceRange(0, length, kEmptyDocumentText,
                                                                 kEmptyDocumentLength,
                                                                 EditLog::kNone);
  return replaced && document.window.ShowEmptyDocument();
}

}  // namespace

HeaderLines FindHeaderLines(const LyricsDocument& document) {
  const int32_t lyricsStart = document.LyricsStart();
  HeaderLines header{};
  header.intact = true;
  int32_t p = 0;
  for (int field = 0; field < kHeaderFieldCount; ++field) {
    const int32_t lineEnd = p < lyricsStart ? document.LineEndFrom(p) : lyricsStart;
    if (lineEnd >= lyricsStart) {
      // Fewer header lines than fields: the rest are empty.
      header.intact = false;
      header.valueStart[field] = header.valueEnd[field] = lyricsStart;
      p = lyricsStart;
      continue;
    }
    const char* label = kHeaderLabels[field];
    const int32_t labelLength = static_cast<int32_t>(std::strlen(label));
    const bool labelled = lineEnd - p >= labelLength && HasLabelAt(document, p, label);
    header.intact = header.intact && labelled;
    header.valueStart[field] = labelled ? p + labelLength : p;
    header.valueEnd[field] = lineEnd;
    p = lineEnd + 1;
  }
  header.intact = header.intact && p + 1 == lyricsStart && IsLineBreak(document.CharacterAt(p));
  return header;
}

bool ResetToTemplate(EditorDocument& document) {
  LyricsDocument& text = document.text;
  const HeaderLines header = FindHeaderLines(text);
  if (header.intact && text.Length() > 0) {
    // Deletions only: they need no memory, so the reset cannot fail.
    const int32_t length = text.Length();
    text.ReplaceRange(text.LyricsStart(), length, nullptr, 0, EditLog::kNone);
    document.window.ReplaceText(text.LyricsStart(), length, "");
    for (int field = kHeaderFieldCount - 1; field >= 0; --field) {
      const int32_t start = header.valueStart[field], end = header.valueEnd[field];
      if (start == end) continue;
      text.ReplaceRange(start, end, nullptr, 0, EditLog::kNone);
      document.window.ReplaceText(start, end, "");
    }
  } else if (!ReplaceAllByTemplate(document)) {
    return false;
  }
  text.ClearHistory();
  document.timestamps.Clear();
  document.window.SetCaret(text.LyricsStart());
  return true;
}
