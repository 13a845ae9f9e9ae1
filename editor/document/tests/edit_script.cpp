#include "editor/document/tests/edit_script.h"

#include "editor/document/tests/document_checker.h"

namespace {

// Pieces of inserted text; with code page 932 the two-byte ones are single
// characters, and a lone lead byte takes the next piece's first byte.
const char* const kPieces[] = {"a", "b", " ", "\r", "\r", "c", "\t", "\x82\xA0",
                               "\x88\x9F", "_", "\x81", "\xE0\x40"};
constexpr int32_t kMaxLength = 3000;

class ScriptReader {
 public:
  ScriptReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool AtEnd() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // A position from -1 to length + 1 (the text, its ends and just beyond),
  // half of the time near the previous one, as edits mostly are.
  int32_t Position(int32_t length) {
    const uint8_t high = Byte(), low = Byte();
    const int32_t p = high & 0x80 ? last_ + low % 7 - 3
                                  : static_cast<int32_t>((high * 256u + low) % (length + 3u)) - 1;
    last_ = p < -1 ? -1 : (p > length + 1 ? length + 1 : p);
    return last_;
  }
  std::string Text() {
    const uint8_t size = Byte();
    const int pieces = size < 240 ? size % 6 : size % 40;
    std::string text;
    for (int i = 0; i < pieces; ++i) text += kPieces[Byte() % (sizeof kPieces / sizeof *kPieces)];
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  int32_t last_ = 0;
};

bool RunStep(DocumentChecker& checker, ScriptReader& script) {
  const uint8_t op = script.Byte();
  const bool rare = (op >> 3) == 31;  // 1 in 32
  const int32_t length = checker.Length();
  switch (op & 7) {
    case 0: case 1: case 2: case 3: {
      const int32_t start = script.Position(length);
      const uint8_t removal = script.Byte();
      const int32_t end = removal == 255 ? start - 1 : start + (removal < 224 ? removal % 4 : removal % 64);
      const std::string text = script.Text();
      const uint8_t countByte = script.Byte();
      // Mostly the text's own count; now and then one less, or one more
      // than it holds.
      const int32_t count = checker.CountCharacters(text) + (countByte == 255 ? 1 : 0) -
                            (countByte >= 248 && !text.empty() ? 1 : 0);
      if (length + count > kMaxLength) return true;
      const EditLog log = rare ? EditLog::kNone
                               : ((op & 8) ? EditLog::kRecordRecolour : EditLog::kRecord);
      return checker.Replace(start, end, text, count, log);
    }
    case 4: case 5:
      return checker.Toggle(script.Position(length), (op & 7) == 4, !rare);
    case 6:
      return checker.Undo();
    default:
      return rare ? checker.ClearHistory() : checker.Redo();
  }
}

}  // namespace

std::string RunEditScript(const uint8_t* data, size_t size) {
  ScriptReader script(data, size);
  const uint8_t options = script.Byte();
  const LeadBytePredicate isLead = (options & 1) ? Cp932LeadByte : NoLeadBytes;
  // The header template, or no header at all.
  DocumentChecker checker(isLead, (options & 2) ? "" : "Title: \rArtist: \rAlbum: \rEditor: \r\r");
  bool agreed = checker.Check(options, true);
  uint32_t step = 0;
  while (agreed && !script.AtEnd()) {
    ++step;
    // Every query at every position now and then and at the end; near the
    // step and at a few places after every step.
    agreed = RunStep(checker, script) && checker.Check(step, step % 8 == 0 || script.AtEnd());
  }
  if (agreed) return std::string();
  return "step " + std::to_string(step) + ": " + checker.Failure();
}
