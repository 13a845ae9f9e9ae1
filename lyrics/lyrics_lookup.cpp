#include "lyrics/lyrics_lookup.h"

#include <cstring>
#include <initializer_list>

#include "lyrics/km_file.h"
#include "lyrics/lrc_file.h"
#include "lyrics/midi_file.h"
#include "lyrics/text_file.h"

namespace {

struct MediaPathParts {
  size_t nameStart;  // the last backslash, or 0
  size_t baseEnd;    // the first "." after nameStart, or the end
};

MediaPathParts SplitMediaPath(const char* path, LeadBytePredicate isLead) {
  const size_t length = std::strlen(path);
  MediaPathParts parts{0, length};
  // A trail byte of a double-byte character may be 0x5C: skip them whole.
  for (size_t pos = 0; pos < length; pos += CharacterSize(path, pos, length, isLead)) {
    if (path[pos] == '\\') parts.nameStart = pos;
  }
  for (size_t pos = parts.nameStart; pos < length;
       pos += CharacterSize(path, pos, length, isLead)) {
    if (path[pos] == '.') {
      parts.baseEnd = pos;
      break;
    }
  }
  return parts;
}

bool EqualsIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    char x = *a >= 'A' && *a <= 'Z' ? char(*a - 'A' + 'a') : *a;
    if (x != *b) return false;
  }
  return *a == *b;
}

bool IsMidiExtension(const char* extension) {
  for (const char* midi : {"rmi", "kar", "mid", "midi"}) {
    if (EqualsIgnoringCase(extension, midi)) return true;
  }
  return false;
}

// Adds `a` (first `aLength` bytes) + `b` (first `bLength` bytes) + `c`.
void AddCandidate(LyricsCandidates& list, LyricsFormat format, const char* a, size_t aLength,
                  const char* b, size_t bLength, const char* c) {
  LyricsCandidate& item = list.items[list.count++];
  item.format = format;
  const size_t cLength = std::strlen(c);
  item.fits = aLength + bLength + cLength <= kMaxPathLength;
  item.path[0] = '\0';
  if (!item.fits) return;
  std::memcpy(item.path, a, aLength);
  std::memcpy(item.path + aLength, b, bLength);
  std::memcpy(item.path + aLength + bLength, c, cLength + 1);
}

}  // namespace

void ListLyricsCandidates(const char* mediaPath, const char* lyricsDirectory,
                          LeadBytePredicate isLead, LyricsCandidates& list) {
  list.count = 0;
  const MediaPathParts parts = SplitMediaPath(mediaPath, isLead);
  const char* name = mediaPath + parts.nameStart;
  const size_t nameLength = parts.baseEnd - parts.nameStart;
  const size_t directoryLength = lyricsDirectory ? std::strlen(lyricsDirectory) : 0;
  const size_t pathLength = std::strlen(mediaPath);
  const bool midi = parts.baseEnd < pathLength && IsMidiExtension(mediaPath + parts.baseEnd + 1);

  const struct {
    const char* extension;
    LyricsFormat format;
  } kinds[] = {{".km", LyricsFormat::Km}, {".lrc", LyricsFormat::Lrc}, {".txt", LyricsFormat::Text}};
  for (const auto& kind : kinds) {
    if (directoryLength) {
      AddCandidate(list, kind.format, lyricsDirectory, directoryLength, name, nameLength,
                   kind.extension);
      if (!list.items[list.count - 1].fits) return;
    }
    AddCandidate(list, kind.format, mediaPath, parts.baseEnd, "", 0, kind.extension);
    if (!list.items[list.count - 1].fits) return;
    if (kind.format == LyricsFormat::Km && midi) {
      AddCandidate(list, LyricsFormat::Midi, mediaPath, pathLength, "", 0, "");
      if (!list.items[list.count - 1].fits) return;
    }
  }
}

LoadStatus FindLyrics(const char* mediaPath, const char* lyricsDirectory,
                      const PlainTextTiming& textTiming, TimedLyrics& lyrics,
                      CandidateObserver observer, void* context) {
  ClearTimedLyrics(lyrics);
  if (!mediaPath) return LoadStatus::Invalid;
  LyricsCandidates list;
  ListLyricsCandidates(mediaPath, lyricsDirectory, SystemLeadByte, list);
  LoadStatus status = LoadStatus::Invalid;
  for (int i = 0; i < list.count; ++i) {
    const LyricsCandidate& candidate = list.items[i];
    if (!candidate.fits) return LoadStatus::Invalid;
    if (observer) observer(context, candidate.path);
    switch (candidate.format) {
      case LyricsFormat::Km:
        status = ReadKmFile(candidate.path, lyrics);
        break;
      case LyricsFormat::Midi:
        status = ReadMidiFile(candidate.path, lyrics);
        break;
      case LyricsFormat::Lrc:
        status = ReadLrcFile(candidate.path, lyrics);
        break;
      case LyricsFormat::Text:
        status = ReadTextFile(candidate.path, textTiming, lyrics);
        break;
    }
    if (status == LoadStatus::Loaded) return status;
  }
  return status;
}
