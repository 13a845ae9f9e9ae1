// The editor's LRC reader: every time-tagged line becomes a lyric line,
// placed by its time, with the pair (t, t + 1); the information tags fill
// the header values.
#include "editor/formats/document_fill.h"
#include "editor/formats/editor_formats.h"
#include "lyrics/lrc_tag.h"

namespace {

struct TextRef {
  size_t offset;  // in the reader's text store
  size_t length;
};

class LrcReader {
 public:
  LrcReader(EditorDocument& document, LoadedLyrics& loaded) : document_(document), loaded_(loaded) {}

  // One line, NUL-terminated at `length`. False when no memory can be had.
  bool ReadLine(char* line, size_t length);
  // The lines by time, each ended by a CR but the last.
  bool JoinLines();
  void ApplyOffset() {
    if (offsetSeen_) document_.timestamps.MoveAll(offset_);
  }

 private:
  bool TakeTag(LrcTagKind kind, const char* tag, int32_t close, int32_t value);
  bool CloseGroup();

  EditorDocument& document_;
  LoadedLyrics& loaded_;
  ByteBuilder store_;                  // the texts of the groups
  GrowableArray<TextRef> linesByTime_; // one per accepted pair, in the order of the pairs
  size_t lyricsBytes_ = 0;
  bool offsetSeen_ = false;
  int32_t offset_ = 0;
  // The pending group: time tags that share the text after the last of them.
  bool groupOpen_ = false;
  ByteBuilder groupText_;
  GrowableArray<int32_t> groupTimes_;
};

bool LrcReader::ReadLine(char* line, size_t length) {
  groupOpen_ = false;
  size_t pos = 0;  // the text since the previous tag starts here
  for (;;) {
    int32_t open = 0, close = 0, value = 0;
    const LrcTagKind kind = ParseLrcTag(line + pos, document_.isLead, open, close, value);
    if (kind == kLrcNoTag) break;
    const size_t tagStart = pos + static_cast<size_t>(open);
    // Text before a tag belongs to the pending group; a tag within the text
    // is cut out of it. Without a group, both are dropped.
    if (groupOpen_ && !groupText_.Append(line + pos, tagStart - pos)) return false;
    if (kind == kLrcTimeTag) {
      if (groupOpen_ && groupText_.size() > 0 && !CloseGroup()) return false;
      if (!groupOpen_) {
        groupOpen_ = true;
        groupText_.Clear();
        groupTimes_.Clear();
      }
      if (!groupTimes_.Push(value)) return false;
    } else if (!TakeTag(kind, line + tagStart, close - open, value)) {
      return false;
    }
    pos += static_cast<size_t>(close) + 1;
  }
  if (!groupOpen_) return true;
  return groupText_.Append(line + pos, length - pos) && CloseGroup();
}

// An information tag at `tag`, its "]" `close` bytes further.
bool LrcReader::TakeTag(LrcTagKind kind, const char* tag, int32_t close, int32_t value) {
  if (kind == kLrcOffsetTag) {
    offsetSeen_ = true;
    offset_ = value;
    return true;
  }
  if (kind < kLrcTitleTag || kind > kLrcByTag) return true;
  // The key has two letters: the value follows "[ti:".
  ByteBuilder& field = loaded_.header[kind - kLrcTitleTag];
  const int32_t valueStart = 4;
  if (field.size() > 0 || close <= valueStart) return true;
  return AppendCleanLine(tag + valueStart, static_cast<size_t>(close - valueStart), document_.isLead,
                         &field);
}

// Each time of the group whose pair the list accepts places one line with
// the group's text (a single blank when it has none) where its pair landed.
bool LrcReader::CloseGroup() {
  groupOpen_ = false;
  const size_t offset = store_.size();
  const bool stored = groupText_.size() == 0
                          ? store_.Push(' ')
                          : AppendCleanLine(groupText_.data(), groupText_.size(), document_.isLead, &store_);
  if (!stored) return false;
  const TextRef text{offset, store_.size() - offset};
  for (size_t i = 0; i < groupTimes_.size(); ++i) {
    const int32_t time = groupTimes_[i];
    if (time >= kLastTimestampEnd) continue;
    if (lyricsBytes_ + text.length + 1 > kMostRebuiltLyricsBytes) break;
    const int32_t index = document_.timestamps.Insert(time, time + 1);
    if (index < 0) continue;
    if (!linesByTime_.Insert(static_cast<size_t>(index), text)) return false;
    lyricsBytes_ += text.length + 1;
  }
  return true;
}

bool LrcReader::JoinLines() {
  ByteBuilder& lyrics = loaded_.lyrics;
  if (!lyrics.Reserve(lyricsBytes_)) return false;
  for (size_t i = 0; i < linesByTime_.size(); ++i) {
    if (i > 0) lyrics.Push('\r');
    lyrics.Append(store_.data() + linesByTime_[i].offset, linesByTime_[i].length);
  }
  return true;
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n' || c == '\0'; }

}  // namespace

bool OpenLrcFile(OwnedBuffer file, EditorDocument& document) {
  RedrawOff redraw(document.window);
  if (!ResetToTemplate(document)) return false;
  if (file.size() == 0) return true;
  if (document.toAnsi && document.toAnsi(file) != LoadStatus::Loaded) return false;
  const size_t size = file.size();
  if (!file.AppendZeros(1)) return false;

  LoadedLyrics loaded;
  LrcReader reader(document, loaded);
  char* bytes = file.data();
  bool read = true;
  for (size_t start = 0; read && start < size;) {
    size_t end = start;
    while (end < size && !IsLineEnd(bytes[end])) ++end;
    bytes[end] = '\0';
    read = end == start || reader.ReadLine(bytes + start, end - start);
    start = end + 1;
  }
  if (read) {
    reader.ApplyOffset();
    if (reader.JoinLines()) return FillDocument(document, loaded);
  }
  // No memory: the pairs taken so far go too.
  ResetToTemplate(document);
  return false;
}
