// The document and the pairs travel between the editor and the lyrics
// display filter: every new filter receives the pairs of the TimestampList,
// the lyrics text and its syncpoints; before a filter goes, and before a
// file is written, its pairs come back into the list.
#include <string>

#include "editor/document/character_code.h"
#include "editor/main_window.h"

// The lyrics (the text after the header) as the filter counts them: one
// character per position, a double-byte character taking two bytes.
static std::string LyricsBytes(const LyricsDocument& document) {
  std::string bytes;
  const int32_t length = document.Length();
  bytes.reserve(static_cast<size_t>(length - document.LyricsStart()) * 2);
  for (int32_t p = document.LyricsStart(); p < length; ++p) {
    char encoded[2];
    const size_t size = EncodeCharacter(document.CharacterAt(p), encoded);
    bytes.append(encoded, size);
  }
  return bytes;
}

void EditorMainWindow::HandDocumentToDisplay() {
  ILyricsDisplay* display = audio_.lyricsDisplay();
  if (!display) return;
  const int32_t pairCount = timestamps_.Count();
  for (int32_t i = 0; i < pairCount; ++i) {
    TimestampPair pair = {};
    if (timestamps_.Get(i, &pair)) display->AddTimestamp(pair.start, pair.end);
  }
  if (pairCount > 0) display->Refresh(1, 0);
  const int32_t lyricsStart = document_.LyricsStart();
  const int32_t count = document_.Length() - lyricsStart;
  if (count <= 0) return;
  const std::string text = LyricsBytes(document_);
  display->ReplaceText(0, 0, text.c_str(), count);
  for (int32_t p = lyricsStart; p < document_.Length(); ++p) {
    if (document_.IsSyncpointAt(p)) display->SetSyncpoint(p - lyricsStart, 1);
  }
  display->Refresh(0, 1);
}

void EditorMainWindow::TakePairsFromDisplay() {
  ILyricsDisplay* display = audio_.lyricsDisplay();
  int32_t count = 0;
  if (!display || display->GetTimestampCount(&count) != S_OK) return;
  timestamps_.Clear();
  for (int32_t i = 0; i < count; ++i) {
    TimestampPair pair = {};
    if (display->GetTimestamp(i, &pair) == S_OK) timestamps_.Insert(pair.start, pair.end);
  }
}

// From the filter while there is one, else from the list.
int EditorMainWindow::TimestampCount() const {
  ILyricsDisplay* display = audio_.lyricsDisplay();
  if (!display) return timestamps_.Count();
  int32_t count = 0;
  return display->GetTimestampCount(&count) == S_OK ? count : 0;
}
