// The editor's plain-text reader: the whole text becomes the lyrics.
#include "editor/formats/document_fill.h"
#include "editor/formats/editor_formats.h"

bool OpenTextFile(OwnedBuffer file, EditorDocument& document) {
  RedrawOff redraw(document.window);
  if (!ResetToTemplate(document)) return false;
  if (file.size() == 0) return true;
  if (document.toAnsi && document.toAnsi(file) != LoadStatus::Loaded) return false;
  ByteBuilder text;
  if (!AppendCleanText(file.data(), file.size(), document.isLead, &text) || !text.Push('\0')) {
    return false;
  }
  // The window's own form of the text goes into the document.
  return FillLyricsFromWindow(document, text.data());
}
