#include "editor/formats/tests/editor_fixture.h"

#include <gtest/gtest.h>

#include "editor/document/character_code.h"
#include "editor/formats/document_fill.h"
#include "lyrics/text_encoding.h"

namespace {

std::string ToString(bool saved, const OwnedBuffer& file) {
  return saved ? std::string(file.data() ? file.data() : "", file.size()) : "failed";
}

}  // namespace

EditorFixture::EditorFixture(LeadBytePredicate lead)
    : isLead(lead),
      text(lead),
      window(lead),
      document{text, timestamps, window, lead, ConvertMarkedTextToAnsi} {
  // An empty document and window take the template as at start.
  EXPECT_TRUE(ResetToTemplate(document));
}

void EditorFixture::SetHeader(int field, const std::string& value) {
  const int32_t p = FindHeaderLines(text).valueEnd[field];
  const int32_t count = CountCharacters(value.c_str(), isLead);
  ASSERT_TRUE(text.ReplaceRange(p, p, value.c_str(), count, EditLog::kNone));
  ASSERT_TRUE(window.ReplaceText(p, p, value.c_str()));
}

void EditorFixture::SetLyrics(const std::string& lyrics) {
  const int32_t start = text.LyricsStart();
  ASSERT_TRUE(window.ReplaceText(start, text.Length(), lyrics.c_str()));
  const int32_t count = CountCharacters(lyrics.c_str(), isLead);
  ASSERT_TRUE(text.ReplaceRange(start, text.Length(), lyrics.c_str(), count, EditLog::kNone));
}

void EditorFixture::SetSyncpoint(int32_t lyricsPosition) {
  ASSERT_TRUE(text.SetSyncpoint(text.LyricsStart() + lyricsPosition, false)) << lyricsPosition;
}

void EditorFixture::Stamp(int32_t start, int32_t end) {
  ASSERT_GE(timestamps.Insert(start, end), 0) << start;
}

std::string EditorFixture::SaveKm() const {
  OwnedBuffer file;
  const bool saved = SaveKmFile(text, timestamps, &file);
  return ToString(saved, file);
}

std::string EditorFixture::SaveLrc() const {
  OwnedBuffer file;
  const bool saved = SaveLrcFile(text, timestamps, &file);
  return ToString(saved, file);
}

std::string EditorFixture::SaveWordLrc() const {
  OwnedBuffer file;
  const bool saved = SaveWordLrcFile(text, timestamps, &file);
  return ToString(saved, file);
}

std::string EditorFixture::Characters(int32_t start, int32_t end) const {
  std::string bytes;
  char code[2];
  for (int32_t p = start; p < end; ++p) bytes.append(code, EncodeCharacter(text.CharacterAt(p), code));
  return bytes;
}

std::string EditorFixture::Lyrics() const { return Characters(text.LyricsStart(), text.Length()); }

std::string EditorFixture::Header(int field) const {
  const HeaderLines header = FindHeaderLines(text);
  return Characters(header.valueStart[field], header.valueEnd[field]);
}

std::vector<int32_t> EditorFixture::Syncpoints() const {
  std::vector<int32_t> positions;
  for (int32_t p = text.LyricsStart(); p < text.Length(); ++p) {
    if (text.IsSyncpointAt(p)) positions.push_back(p - text.LyricsStart());
  }
  return positions;
}

std::vector<TimestampPair> EditorFixture::Pairs() const {
  std::vector<TimestampPair> pairs(static_cast<size_t>(timestamps.Count()));
  for (size_t i = 0; i < pairs.size(); ++i) timestamps.Get(static_cast<int32_t>(i), &pairs[i]);
  return pairs;
}

bool EditorFixture::IsEmptyTemplate() const {
  return DocumentText(text) == kEmptyDocumentText && text.LyricsStart() == kEmptyDocumentLength &&
         timestamps.Count() == 0 && text.UndoCount() == 0 && window.Text() == kEmptyDocumentText &&
         window.Caret() == kEmptyDocumentLength && window.Drawn() &&
         FindWindowDifference(window, text).empty();
}

OwnedBuffer EditorFixture::Buffer(const std::string& bytes) {
  OwnedBuffer buffer;
  buffer.Assign(bytes.data(), bytes.size());
  return buffer;
}

bool operator==(const TimestampPair& a, const TimestampPair& b) {
  return a.start == b.start && a.end == b.end;
}
