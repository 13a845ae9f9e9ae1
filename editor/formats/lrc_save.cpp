// The editor's LRC writer: one line per distinct timed text with the times
// of all its lines, after the information tags.
#include "editor/formats/document_lines.h"
#include "editor/formats/editor_formats.h"
#include "editor/formats/lrc_writing.h"

namespace {

// Each distinct text once, after the times of its lines (the last line's
// first) that have a pair; a text without any is left out.
bool AppendTimedTexts(const LyricsLines& lines, const TimestampList& timestamps, ByteBuilder* out) {
  for (size_t text = 0; text < lines.textStart.size(); ++text) {
    bool timed = false;
    for (int32_t line = lines.lastLine[text]; line >= 0; line = lines.lines[line].previousSame) {
      TimestampPair pair{};
      if (!timestamps.Get(lines.lines[line].unit, &pair)) continue;
      if (!AppendTimeTag(pair.start, '[', ']', out)) return false;
      timed = true;
    }
    if (timed && !(out->AppendString(lines.texts.data() + lines.textStart[text]) &&
                   out->AppendString("\r\n"))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool CanSaveAsLrc(const LyricsDocument& document, const TimestampList& timestamps) {
  return timestamps.Count() > 0 && !document.HasAnySyncpoint();
}

bool SaveLrcFile(const LyricsDocument& document, const TimestampList& timestamps,
                 OwnedBuffer* file) {
  *file = OwnedBuffer();
  const int32_t units = document.UnitCount();
  if (units == 0 && timestamps.Count() == 0 && document.LyricsStart() == kEmptyDocumentLength) {
    return true;
  }
  // A piece after a syncpoint has a time of its own, which LRC cannot hold.
  if (document.HasAnySyncpoint()) return false;

  DocumentSnapshot snapshot;
  LyricsLines lines;
  ByteBuilder out;
  if (!snapshot.Take(document) || !CollectLyricsLines(snapshot, &lines)) return false;
  // Room for everything: the header, each text with its line break, a tag
  // of at most 15 bytes per line.
  const size_t lineCount = lines.lines.size();
  if (!out.Reserve(static_cast<size_t>(snapshot.lyricsStart()) * 2 + 32 + lines.texts.size() +
                   lineCount * 17) ||
      !AppendHeaderTags(snapshot, &out) || !AppendTimedTexts(lines, timestamps, &out)) {
    return false;
  }
  // Unstamped lines at the end leave one empty line.
  if (units > timestamps.Count() && !out.AppendString("\r\n")) return false;
  return out.CopyTo(file);
}
