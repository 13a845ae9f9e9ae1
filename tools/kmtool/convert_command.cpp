#include "tools/kmtool/convert_command.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "editor/formats/editor_formats.h"
#include "editor/formats/memory_text_window.h"
#include "lyrics/read_whole_file.h"
#include "lyrics/text_encoding.h"
#include "tools/kmtool/lyrics_loading.h"

namespace {

enum class Target { Km, Lrc, WordLrc };

// The editor's document over a text window in memory.
struct Editor {
  Editor()
      : text(SystemLeadByte),
        window(SystemLeadByte),
        document{text, timestamps, window, SystemLeadByte, ConvertMarkedTextToAnsi} {}

  LyricsDocument text;
  TimestampList timestamps;
  MemoryTextWindow window;
  EditorDocument document;
};

// The editor picks its reader by the end of the name, in any case.
bool EndsWith(const char* path, const char* ending) {
  const size_t length = std::strlen(path), size = std::strlen(ending);
  if (length < size) return false;
  for (size_t i = 0; i < size; ++i) {
    char c = path[length - size + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != ending[i]) return false;
  }
  return true;
}

bool Open(const char* path, Editor& editor) {
  OwnedBuffer file;
  if (!ResetToTemplate(editor.document) || ReadWholeFile(path, file) != LoadStatus::Loaded) {
    return false;
  }
  if (EndsWith(path, "km")) return OpenKmFile(static_cast<OwnedBuffer&&>(file), editor.document);
  if (EndsWith(path, "lrc")) return OpenLrcFile(static_cast<OwnedBuffer&&>(file), editor.document);
  return OpenTextFile(static_cast<OwnedBuffer&&>(file), editor.document);
}

// Why the target cannot hold the document, or null when it can.
const char* Refusal(Target target, const Editor& editor) {
  const bool hasPairs = editor.timestamps.Count() > 0;
  const bool hasSyncpoints = editor.text.HasAnySyncpoint();
  if (target == Target::Km) return nullptr;
  if (!hasPairs) return "LRC holds timed lines only, and the lyrics have no timestamps";
  if (target == Target::Lrc && hasSyncpoints) {
    return "plain LRC cannot hold syncpoints (timed pieces of lines); use --word-lrc or a .km file";
  }
  if (target == Target::WordLrc && !hasSyncpoints) {
    return "the lyrics are timed line by line (no syncpoints); write plain LRC without --word-lrc";
  }
  return nullptr;
}

bool Save(Target target, const Editor& editor, OwnedBuffer* file) {
  switch (target) {
    case Target::Km:
      return SaveKmFile(editor.text, editor.timestamps, file);
    case Target::Lrc:
      return SaveLrcFile(editor.text, editor.timestamps, file);
    case Target::WordLrc:
      return SaveWordLrcFile(editor.text, editor.timestamps, file);
  }
  return false;
}

bool WriteFile(const char* path, const OwnedBuffer& contents) {
  std::FILE* out = std::fopen(path, "wb");
  if (!out) return false;
  const bool written = std::fwrite(contents.data(), 1, contents.size(), out) == contents.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace

int RunConvert(const ConvertRequest& request) {
  const std::string extension = LowerExtension(request.output);
  if (extension != "km" && extension != "lrc") {
    std::fprintf(stderr, "kmtool: %s: the output must end in .km or .lrc\n", request.output);
    return 2;
  }
  if (request.wordLrc && extension != "lrc") {
    std::fprintf(stderr, "kmtool: --word-lrc writes .lrc files, not %s\n", request.output);
    return 2;
  }
  const Target target = extension == "km" ? Target::Km : request.wordLrc ? Target::WordLrc : Target::Lrc;

  Editor editor;
  if (!Open(request.input, editor)) {
    std::fprintf(stderr, "kmtool: cannot open %s\n", request.input);
    return 1;
  }
  if (const char* refusal = Refusal(target, editor)) {
    std::fprintf(stderr, "kmtool: cannot write %s: %s\n", request.output, refusal);
    return 1;
  }
  OwnedBuffer file;
  if (!Save(target, editor, &file)) {
    std::fprintf(stderr, "kmtool: cannot write %s: the format cannot hold these lyrics\n", request.output);
    return 1;
  }
  if (file.size() == 0) {
    std::fprintf(stderr, "kmtool: %s holds nothing to write\n", request.input);
    return 1;
  }
  if (!WriteFile(request.output, file)) {
    std::fprintf(stderr, "kmtool: cannot write %s\n", request.output);
    return 1;
  }
  return 0;
}
