#include "editor/formats/fuzz/open_and_check.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "editor/formats/memory_text_window.h"
#include "lyrics/text_encoding.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

struct Editor {
  explicit Editor(LeadBytePredicate isLead)
      : text(isLead), window(isLead), document{text, timestamps, window, isLead, ConvertMarkedTextToAnsi} {
    Require(ResetToTemplate(document), "the template cannot be made");
  }

  // The document's text, syncpoints and pairs (without their ends for a
  // format that keeps start times only).
  std::string State(bool withEnds) const {
    std::string state = DocumentText(text) + '\0' + std::to_string(text.LyricsStart());
    for (int32_t p = 0; p < text.Length(); ++p) {
      if (text.IsSyncpointAt(p)) state += ' ' + std::to_string(p);
    }
    for (int32_t i = 0; i < timestamps.Count(); ++i) {
      TimestampPair pair{};
      timestamps.Get(i, &pair);
      state += ' ' + std::to_string(pair.start);
      if (withEnds) state += '-' + std::to_string(pair.end);
    }
    return state;
  }

  LyricsDocument text;
  TimestampList timestamps;
  MemoryTextWindow window;
  EditorDocument document;
};

bool IsEmptyTemplate(const Editor& editor) {
  return DocumentText(editor.text) == kEmptyDocumentText &&
         editor.text.LyricsStart() == kEmptyDocumentLength && editor.timestamps.Count() == 0 &&
         editor.window.Text() == kEmptyDocumentText;
}

OwnedBuffer Copy(const void* bytes, size_t size) {
  OwnedBuffer buffer;
  Require(buffer.Assign(bytes, size), "no memory for the input");
  return buffer;
}

}  // namespace

void OpenAndCheck(const uint8_t* data, size_t size, Reader open, Writer save, bool mustOpen,
                  bool keepsEnds) {
  // Alternate the code page by the first byte, to reach the double-byte paths.
  const LeadBytePredicate isLead = (size && (data[0] & 1)) ? Cp932LeadByte : NoLeadBytes;
  Editor editor(isLead);
  // A document with lyrics first: a file that fails must clear it.
  Require(OpenTextFile(Copy("la la\r", 6), editor.document), "the text did not open");

  if (!open(Copy(data, size), editor.document)) {
    Require(!mustOpen, "the file did not open");
    Require(IsEmptyTemplate(editor), "a failed file left more than the empty template");
    return;
  }
  Require(FindWindowDifference(editor.window, editor.text).empty(), "the window differs");
  Require(editor.window.Drawn() && editor.window.Caret() == editor.text.LyricsStart(),
          "the window is not drawn, or the caret is not at the lyrics");
  Require(editor.text.UndoCount() == 0, "the reader left edit history");

  OwnedBuffer saved;
  if (!save(editor.text, editor.timestamps, &saved)) return;  // the format cannot hold it
  Editor again(isLead);
  Require(open(std::move(saved), again.document), "the saved file does not open");
  Require(again.State(keepsEnds) == editor.State(keepsEnds), "the saved file opens as another document");
}
