#include "editor/editor_caption.h"

std::string FormatEditorCaption(const char* audioFileName, const char* lyricsFileName) {
  const bool hasAudio = audioFileName && audioFileName[0];
  const bool hasLyrics = lyricsFileName && lyricsFileName[0];
  std::string caption = "Kamiru Editor ";
  if (!hasAudio && !hasLyrics) return caption;
  caption += "- ";
  if (hasAudio) caption.append("[").append(audioFileName).append("]");
  if (hasLyrics) caption.append("[").append(lyricsFileName).append("]");
  return caption;
}
