// The editor's word-timed LRC writer: each stamped line once per document
// line, its line tag the time of its first unit, every unit after a word
// tag of its start, and a closing tag of the last unit's end.
#include "editor/document/character_code.h"
#include "editor/formats/document_lines.h"
#include "editor/formats/editor_formats.h"
#include "editor/formats/lrc_writing.h"

namespace {

bool AppendWordTag(int32_t time, ByteBuilder* out) { return AppendTimeTag(time, '<', '>', out); }

// One document line whose first unit has a pair. A unit without a pair
// (only at the end of the stamped part) keeps its text after the last
// stamped unit, untagged; then the line has no closing tag.
bool AppendWordTimedLine(const DocumentSnapshot& snapshot, const LyricsLine& line,
                         const TimestampList& timestamps, ByteBuilder* out) {
  TimestampPair pair{};
  if (!timestamps.Get(line.unit, &pair)) return true;
  if (!AppendTimeTag(pair.start, '[', ']', out)) return false;
  const LyricsChar* chars = snapshot.chars();
  int32_t unit = line.unit;
  bool stamped = true;
  int32_t lastEnd = -1;
  for (int32_t from = line.start; from < line.end;) {
    int32_t to = from + 1;
    while (to < line.end && !chars[to].syncpoint) ++to;
    stamped = stamped && timestamps.Get(unit, &pair);
    if (stamped) {
      // A gap before the unit: the end of the one before closes it.
      if (lastEnd >= 0 && lastEnd != pair.start && !AppendWordTag(lastEnd, out)) return false;
      if (!AppendWordTag(pair.start, out)) return false;
      lastEnd = pair.end;
    }
    if (!snapshot.AppendBytes(from, to, out)) return false;
    ++unit;
    from = to;
  }
  if (stamped && !AppendWordTag(lastEnd, out)) return false;
  return out->AppendString("\r\n");
}

}  // namespace

bool CanSaveAsWordLrc(const LyricsDocument& document, const TimestampList& timestamps) {
  return timestamps.Count() > 0 && document.HasAnySyncpoint();
}

bool SaveWordLrcFile(const LyricsDocument& document, const TimestampList& timestamps,
                     OwnedBuffer* file) {
  *file = OwnedBuffer();
  const int32_t units = document.UnitCount();
  if (units == 0 && timestamps.Count() == 0 && document.LyricsStart() == kEmptyDocumentLength) {
    return true;
  }
  DocumentSnapshot snapshot;
  LyricsLines lines;
  ByteBuilder out;
  if (!snapshot.Take(document) || !CollectLyricsLines(snapshot, &lines)) return false;
  // Room for the header, the text and two tags of at most 15 bytes per unit.
  const size_t lyricsLength = static_cast<size_t>(snapshot.length() - snapshot.lyricsStart());
  if (!out.Reserve(static_cast<size_t>(snapshot.lyricsStart()) * 2 + 32 + lyricsLength * 2 +
                   (static_cast<size_t>(units) + lines.lines.size()) * 32) ||
      !AppendHeaderTags(snapshot, &out)) {
    return false;
  }
  for (size_t i = 0; i < lines.lines.size(); ++i) {
    const LyricsLine& line = lines.lines[i];
    if (line.end > line.start && !AppendWordTimedLine(snapshot, line, timestamps, &out)) return false;
  }
  // Unstamped lines at the end leave one empty line, as in plain LRC.
  if (units > timestamps.Count() && !out.AppendString("\r\n")) return false;
  return out.CopyTo(file);
}
