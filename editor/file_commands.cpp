// File commands: New and Close, Open, Save and Save As. The readers and
// writers of ".km", LRC and text work on the document, the pairs and the
// text window together; the lyrics display filter, when there is one, is
// given what a reader left and gives back its pairs before a writer runs.
#include <cstring>
#include <utility>

#include "editor/file_dialogs.h"
#include "editor/formats/editor_formats.h"
#include "editor/lyrics_text.h"
#include "editor/main_window.h"
#include "editor/program_files.h"
#include "editor/rich_text_window.h"
#include "editor/safe_file_save.h"
#include "lyrics/read_whole_file.h"
#include "lyrics/text_encoding.h"

namespace {

constexpr char kLyricsFilters[] =
    "Lyrics Files (*.km;*.lrc;*.txt)\0*.km;*.lrc;*.txt\0"
    "TXT Files (*.txt)\0*.txt\0"
    "KM  Files (*.km)\0*.km\0"
    "LRC Files (*.lrc)\0*.lrc\0"
    "All Files (*.*)\0*.*\0";

// The extension of a path's file name (after its last "."), or null.
const char* FileExtension(const char* path) {
  const char* dot = std::strrchr(FileNamePart(path), '.');
  return dot ? dot + 1 : nullptr;
}

// The reader for a path, chosen by how it ends (without regard to case).
bool ReadLyrics(const char* path, OwnedBuffer file, EditorDocument& target) {
  if (EndsWithNoCase(path, "km")) return OpenKmFile(std::move(file), target);
  if (EndsWithNoCase(path, "lrc")) return OpenLrcFile(std::move(file), target);
  return OpenTextFile(std::move(file), target);
}

}  // namespace

void EditorMainWindow::ResetDocument() {
  ShowHeaderTemplate(text_);
  document_.ReplaceRange(0, document_.Length(), kHeaderTemplate, kHeaderTemplateLength,
                         EditLog::kNone);
  document_.ClearHistory();
  timestamps_.Clear();
  if (ILyricsDisplay* display = audio_.lyricsDisplay()) {
    display->ClearTimestamps();
    display->ClearText();
  }
  UpdateCaretStatus();
  RefreshEditState();
}

void EditorMainWindow::SetLyricsFile(const char* path) {
  lyricsWordTimed_ = false;
  lstrcpynA(lyricsPath_, path, MAX_PATH);
  lstrcpynA(lyricsFileName_, FileNamePart(lyricsPath_), MAX_PATH);
}

// New and Close.
void EditorMainWindow::OnNew(int, int) {
  if (!AskToSaveChanges()) return;
  ResetDocument();
  SetLyricsFile("");
  UpdateTitle();
}

void EditorMainWindow::OnOpen(int, int) {
  if (!AskToSaveChanges()) return;
  char path[MAX_PATH];
  if (!ChooseFileToOpen(window_, kLyricsFilters, settings_.lyricsDirectory,
                        sizeof settings_.lyricsDirectory, path)) {
    return;
  }
  ResetDocument();
  SetLyricsFile(path);
  const bool opened = OpenLyricsFile(path);
  if (!opened) {
    ResetDocument();
    SetLyricsFile("");
  }
  modified_ = false;
  RefreshFileCommands();
  UpdateTitle();
  if (!opened) MessageBoxA(window_, "File open failed.", kEditorName, MB_ICONWARNING);
}

// Reads the file into the document, which holds the empty template, and
// hands the result to the lyrics display filter when there is one.
bool EditorMainWindow::OpenLyricsFile(const char* path) {
  OwnedBuffer file;
  if (ReadWholeFile(path, file) != LoadStatus::Loaded) return false;
  RichTextWindow window(text_, evenUnitColour_, oddUnitColour_);
  EditorDocument target{document_, timestamps_, window, IsLyricsLeadByte,
                        ConvertUnicodeTextToAnsi};
  if (!ReadLyrics(path, std::move(file), target)) return false;
  // An LRC file that gave syncpoints had word tags: Save keeps them.
  lyricsWordTimed_ = EndsWithNoCase(path, "lrc") && document_.HasAnySyncpoint();
  if (ILyricsDisplay* display = audio_.lyricsDisplay()) {
    display->ClearTimestamps();
    display->ClearText();
    HandDocumentToDisplay();
    display->Refresh(1, 1);
  }
  UpdateCaretStatus();
  RefreshEditState();
  // The opened file shows from its top, where the caret is, below the
  // header.
  POINT top = {0, 0};
  SendMessageA(text_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&top));
  return true;
}

void EditorMainWindow::OnSave(int, int) { SaveLyrics(); }

void EditorMainWindow::OnSaveAs(int, int) { SaveLyricsAs(true); }

// The bare header without any pair holds nothing worth a file.
bool EditorMainWindow::NothingToSave() const {
  return TextLength() <= kHeaderTemplateLength && TimestampCount() == 0;
}

// True when the lyrics were written, or there was nothing to write.
bool EditorMainWindow::SaveLyrics() {
  if (NothingToSave()) return true;
  const char* extension = lyricsPath_[0] ? FileExtension(lyricsPath_) : nullptr;
  if (!extension) return SaveLyricsAs(true);
  const bool lrc = lstrcmpiA(extension, "lrc") == 0;
  if (!lrc && lstrcmpiA(extension, "km") != 0) return SaveLyricsAs(true);
  LyricsFileType type = LyricsFileType::kKm;
  TakePairsFromDisplay();
  if (lrc) {
    if (lyricsWordTimed_ && CanSaveAsWordLrc(document_, timestamps_)) {
      type = LyricsFileType::kWordLrc;
    } else if (CanSaveAsLrc(document_, timestamps_)) {
      type = LyricsFileType::kLrc;
    } else {
      return SaveLyricsAs(false);
    }
  }
  if (!WriteLyricsFile(lyricsPath_, type)) {
    MessageBoxA(window_, "File save failed.", kEditorName, MB_ICONWARNING);
    return false;
  }
  modified_ = false;
  RefreshFileCommands();
  return true;
}

bool EditorMainWindow::SaveLyricsAs(bool lrcAllowed) {
  if (NothingToSave()) return true;
  TakePairsFromDisplay();
  const bool offerLrc = lrcAllowed && CanSaveAsLrc(document_, timestamps_);
  const bool offerWordLrc = CanSaveAsWordLrc(document_, timestamps_);
  char path[MAX_PATH];
  ProposeSaveName(path);
  LyricsFileType type = LyricsFileType::kKm;
  if (!ChooseLyricsFileToSave(window_, offerLrc, offerWordLrc, settings_.saveDirectory, path,
                              &type)) {
    return false;
  }
  if (!WriteLyricsFile(path, type)) {
    MessageBoxA(window_, "File save failed.", kEditorName, MB_ICONWARNING);
    return false;
  }
  SetLyricsFile(path);
  lyricsWordTimed_ = type == LyricsFileType::kWordLrc;
  RememberDirectory(path, settings_.saveDirectory, sizeof settings_.saveDirectory);
  modified_ = false;
  RefreshFileCommands();
  UpdateTitle();
  return true;
}

// The audio file's name, else the lyrics file's, with ".km" in place of
// its extension; empty when there is neither.
void EditorMainWindow::ProposeSaveName(char (&name)[MAX_PATH]) const {
  name[0] = '\0';
  const char* source = audioFileName_[0] ? audioFileName_ : lyricsFileName_;
  if (!source[0]) return;
  lstrcpynA(name, source, MAX_PATH);
  char* dot = std::strrchr(name, '.');
  const size_t stem = dot ? static_cast<size_t>(dot - name) : std::strlen(name);
  if (stem + 3 >= MAX_PATH) return;
  std::strcpy(name + stem, ".km");
}

// The document in the chosen format, written so that a failure leaves the
// file that was there as it was. True also when there was nothing to write.
// The filter's pairs are in the list already (Save and Save As take them
// before choosing the type).
bool EditorMainWindow::WriteLyricsFile(const char* path, LyricsFileType type) {
  OwnedBuffer bytes;
  const bool made = type == LyricsFileType::kLrc       ? SaveLrcFile(document_, timestamps_, &bytes)
                    : type == LyricsFileType::kWordLrc ? SaveWordLrcFile(document_, timestamps_, &bytes)
                                                       : SaveKmFile(document_, timestamps_, &bytes);
  if (!made) return false;
  if (bytes.size() == 0) return true;
  return SaveFileSafely(path, bytes.data(), bytes.size());
}
