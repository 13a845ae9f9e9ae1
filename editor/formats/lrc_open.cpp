// The editor's LRC reader: every time-tagged line becomes a lyric line,
// placed by its time, with the pair (t, t + 1), or with a syncpoint before
// each timed word and one pair per word when it holds word tags; the
// information tags fill the header values.
#include <cstring>

#include "editor/formats/document_fill.h"
#include "editor/formats/editor_formats.h"
#include "lyrics/lrc_tag.h"
#include "lyrics/lrc_word_tags.h"

namespace {

// What one accepted pair brings: the start of a line, or a syncpoint
// within the line of the pair before it.
struct PairLine {
  size_t offset;       // line start: its text in the reader's text store
  size_t length;
  int32_t characters;  // line start: its characters
  int32_t syncpoint;   // 0 for a line start, else the character it stands on
};

// The pairs of one showing of a line, and the places of its syncpoints.
struct LineTiming {
  GrowableArray<TimestampPair> pairs;
  GrowableArray<int32_t> syncpoints;  // one per pair after the first
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
  // Cuts the word tags out of the group's text and finds its pieces.
  bool TakeWordPieces();
  // The group's pairs for the time tag `time`; false when they cannot all
  // be placed.
  bool MakeTiming(int32_t time, LineTiming* timing) const;
  bool CanPlace(const LineTiming& timing) const;

  EditorDocument& document_;
  LoadedLyrics& loaded_;
  ByteBuilder store_;                  // the texts of the groups
  GrowableArray<PairLine> linesByTime_; // one per accepted pair, in the order of the pairs
  size_t lyricsBytes_ = 0;
  bool offsetSeen_ = false;
  int32_t offset_ = 0;
  // The pending group: time tags that share the text after the last of them.
  bool groupOpen_ = false;
  ByteBuilder groupText_;
  GrowableArray<int32_t> groupTimes_;
  // The timed words of the group's text: pieces and their first characters.
  GrowableArray<LrcWordPiece> words_;
  GrowableArray<int32_t> wordCharacters_;
  size_t wordCount_ = 0;
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

bool LrcReader::TakeWordPieces() {
  wordCount_ = 0;
  wordCharacters_.Clear();
  size_t length = groupText_.size();
  if (length == 0 || !std::memchr(groupText_.data(), '<', length)) return true;
  words_.Clear();
  if (!words_.Reserve(MostLrcWordTags(length))) return false;
  size_t timed = 0;
  if (!CutLrcWordTags(groupText_.data(), length, document_.isLead, words_.data(), timed)) return false;
  groupText_.Truncate(length);
  wordCount_ = MakeLrcWordPieces(groupText_.data(), length, words_.data(), timed);
  if (!wordCharacters_.Reserve(wordCount_)) return false;
  // Pieces start between characters, as the tags were found.
  int32_t characters = 0;
  size_t byte = 0;
  for (size_t w = 0; w < wordCount_; ++w) {
    for (; byte < words_[w].startByte; ++characters) {
      byte += CharacterSize(groupText_.data(), byte, length, document_.isLead);
    }
    wordCharacters_.Push(characters);
  }
  return true;
}

bool LrcReader::MakeTiming(int32_t time, LineTiming* timing) const {
  timing->pairs.Clear();
  timing->syncpoints.Clear();
  if (wordCount_ == 0) {
    if (time < 0 || time >= kLastTimestampEnd) return false;
    return timing->pairs.Push(TimestampPair{time, time + 1});
  }
  // The words move with the line: by the time tag's distance from the first.
  const int64_t shift = int64_t{time} - groupTimes_[0];
  for (size_t w = 0; w < wordCount_; ++w) {
    const LrcWordPiece& word = words_[w];
    const int64_t start = word.startTime + shift;
    const int64_t end = word.ended ? word.endTime + shift : start + 1;
    if (start < 0 || end > kLastTimestampEnd) return false;
    if (!timing->pairs.Push(TimestampPair{static_cast<int32_t>(start), static_cast<int32_t>(end)})) {
      return false;
    }
    if (w > 0 && !timing->syncpoints.Push(wordCharacters_[w])) return false;
  }
  return true;
}

// The pairs go in only together, with no stored pair between or across
// them, and not into the gap between two words of a line placed before.
bool LrcReader::CanPlace(const LineTiming& timing) const {
  const TimestampList& list = document_.timestamps;
  const int32_t first = timing.pairs[0].start;
  const int32_t last = timing.pairs[timing.pairs.size() - 1].end;
  int32_t low = 0, high = list.Count();  // pairs starting before `first`
  while (low < high) {
    const int32_t middle = low + (high - low) / 2;
    TimestampPair pair{};
    list.Get(middle, &pair);
    if (pair.start < first) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  TimestampPair pair{};
  if (list.Get(low - 1, &pair) && pair.end > first) return false;
  if (list.Get(low, &pair) && pair.start < last) return false;
  return low == list.Count() || linesByTime_[static_cast<size_t>(low)].syncpoint == 0;
}

// Each time of the group whose pairs the list accepts places one line with
// the group's text (a single blank when it has none) where its first pair
// landed, followed by the syncpoints of its words.
bool LrcReader::CloseGroup() {
  groupOpen_ = false;
  if (!TakeWordPieces()) return false;
  const size_t offset = store_.size();
  const bool stored = groupText_.size() == 0
                          ? store_.Push(' ')
                          : AppendCleanLine(groupText_.data(), groupText_.size(), document_.isLead, &store_);
  if (!stored || !store_.Push('\0')) return false;
  const int32_t characters = CountCharacters(store_.data() + offset, document_.isLead);
  store_.Truncate(store_.size() - 1);
  const PairLine text{offset, store_.size() - offset, characters, 0};
  LineTiming timing;
  for (size_t i = 0; i < groupTimes_.size(); ++i) {
    if (!MakeTiming(groupTimes_[i], &timing) || !CanPlace(timing)) continue;
    if (lyricsBytes_ + text.length + 1 > kMostRebuiltLyricsBytes) break;
    for (size_t k = 0; k < timing.pairs.size(); ++k) {
      const int32_t index = document_.timestamps.Insert(timing.pairs[k].start, timing.pairs[k].end);
      if (index < 0) return false;  // checked above: only no memory is left
      PairLine line = text;
      if (k > 0) line.syncpoint = timing.syncpoints[k - 1];
      if (!linesByTime_.Insert(static_cast<size_t>(index), line)) return false;
    }
    lyricsBytes_ += text.length + 1;
  }
  return true;
}

bool LrcReader::JoinLines() {
  ByteBuilder& lyrics = loaded_.lyrics;
  if (!lyrics.Reserve(lyricsBytes_)) return false;
  int32_t lineStart = 0;  // in characters from the lyrics start
  int32_t characters = 0;
  for (size_t i = 0; i < linesByTime_.size(); ++i) {
    const PairLine& line = linesByTime_[i];
    if (line.syncpoint > 0) {
      if (!loaded_.syncpoints.Push(lineStart + line.syncpoint)) return false;
      continue;
    }
    if (i > 0) {
      lyrics.Push('\r');
      ++characters;
    }
    lineStart = characters;
    lyrics.Append(store_.data() + line.offset, line.length);
    characters += line.characters;
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
