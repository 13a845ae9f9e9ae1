#include "editor/file_dialogs.h"

#include <commdlg.h>
#include <dlgs.h>

#include <cstring>

#include "editor/program_files.h"

namespace {

constexpr DWORD kDialogFlags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

// The types a Save As dialog offers, in order (its filter index less one).
struct SaveTypes {
  LyricsFileType types[3];
  DWORD count;
  char filters[96];
};

SaveTypes OfferedTypes(bool offerLrc, bool offerWordLrc) {
  SaveTypes offered = {};
  size_t used = 0;
  const auto add = [&](LyricsFileType type, const char* text, size_t size) {
    offered.types[offered.count++] = type;
    std::memcpy(offered.filters + used, text, size);
    used += size;
  };
  add(LyricsFileType::kKm, "*.km\0*.km", sizeof "*.km\0*.km");
  if (offerLrc) add(LyricsFileType::kLrc, "*.lrc\0*.lrc", sizeof "*.lrc\0*.lrc");
  if (offerWordLrc) {
    add(LyricsFileType::kWordLrc, "Word-timed LRC (*.lrc)\0*.lrc",
        sizeof "Word-timed LRC (*.lrc)\0*.lrc");
  }
  offered.filters[used] = '\0';  // the empty pair that ends the list
  return offered;
}

LyricsFileType ChosenType(const OPENFILENAMEA& record) {
  const auto* offered = reinterpret_cast<const SaveTypes*>(record.lCustData);
  const DWORD index = record.nFilterIndex;
  return index >= 1 && index <= offered->count ? offered->types[index - 1] : LyricsFileType::kKm;
}

const char* TypeExtension(const OPENFILENAMEA& record) {
  return ChosenType(record) == LyricsFileType::kKm ? ".km" : ".lrc";
}

OPENFILENAMEA DialogRecord(HWND owner, const char* filters, const char* directory,
                           char (&path)[MAX_PATH]) {
  OPENFILENAMEA record = {};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.lpstrFilter = filters;
  record.nFilterIndex = 1;
  record.lpstrFile = path;
  record.nMaxFile = MAX_PATH;
  record.lpstrInitialDir = directory[0] ? directory : nullptr;
  record.Flags = kDialogFlags;
  return record;
}

// The name box of an Explorer-style file dialog has id edt1 in older
// layouts and cmb13 in newer ones; the one that exists takes the text.
void SetDialogFileName(HWND dialog, const char* name) {
  SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(name));
  SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(name));
}

// The text of the name box; false when it does not fit `name`.
bool DialogFileName(HWND dialog, char (&name)[MAX_PATH]) {
  name[0] = '\0';
  const LRESULT length =
      SendMessageA(dialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(name));
  return length > 0 && length <= MAX_PATH;
}

// Switching the type: an extension already in the name becomes the type's.
void FollowTypeChange(HWND dialog, const OPENFILENAMEA& record) {
  char name[MAX_PATH];
  if (!DialogFileName(dialog, name)) return;
  char* dot = std::strrchr(name, '.');
  if (!dot || std::strpbrk(dot, "\\/")) return;
  const char* extension = TypeExtension(record);
  if (static_cast<size_t>(dot - name) + std::strlen(extension) >= MAX_PATH) return;
  std::strcpy(dot, extension);
  SetDialogFileName(dialog, name);
}

// OK: a name without the type's extension gets it, and the dialog takes
// the longer name as if the user had typed it (so it asks again before a
// file is replaced). True when OK was held back for that.
bool AppendTypeExtension(HWND dialog, const OPENFILENAMEA& record) {
  const char* extension = TypeExtension(record);
  if (EndsWithNoCase(record.lpstrFile, extension)) return false;
  char name[MAX_PATH];
  if (!DialogFileName(dialog, name)) return false;
  const size_t extensionLength = std::strlen(extension);
  // A name that would no longer fit is left as typed.
  if (std::strlen(record.lpstrFile) + extensionLength >= record.nMaxFile ||
      std::strlen(name) + extensionLength >= MAX_PATH) {
    return false;
  }
  std::strcat(name, extension);
  SetDialogFileName(dialog, name);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  return true;
}

UINT_PTR CALLBACK SaveAsHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return 0;
  const auto* notice = reinterpret_cast<const OFNOTIFYA*>(lParam);
  HWND dialog = GetParent(hook);
  switch (notice->hdr.code) {
    case CDN_TYPECHANGE:
      FollowTypeChange(dialog, *notice->lpOFN);
      return 0;
    case CDN_FILEOK:
      if (!AppendTypeExtension(dialog, *notice->lpOFN)) return 0;
      SetWindowLongPtrA(hook, DWLP_MSGRESULT, 1);
      return 1;
    default:
      return 0;
  }
}

}  // namespace

void RememberDirectory(const char* path, char* directory, size_t directorySize) {
  size_t length = static_cast<size_t>(FileNamePart(path) - path);
  if (length == 0 || length > directorySize) return;
  if (!(length == 3 && path[1] == ':')) --length;
  std::memcpy(directory, path, length);
  directory[length] = '\0';
}

bool EndsWithNoCase(const char* name, const char* ending) {
  const size_t nameLength = std::strlen(name);
  const size_t endingLength = std::strlen(ending);
  return nameLength >= endingLength &&
         lstrcmpiA(name + nameLength - endingLength, ending) == 0;
}

bool ChooseFileToOpen(HWND owner, const char* filters, char* directory, size_t directorySize,
                      char (&path)[MAX_PATH]) {
  path[0] = '\0';
  OPENFILENAMEA record = DialogRecord(owner, filters, directory, path);
  if (!GetOpenFileNameA(&record)) return false;
  RememberDirectory(path, directory, directorySize);
  return true;
}

bool ChooseLyricsFileToSave(HWND owner, bool offerLrc, bool offerWordLrc, const char* directory,
                            char (&path)[MAX_PATH], LyricsFileType* type) {
  const SaveTypes offered = OfferedTypes(offerLrc, offerWordLrc);
  OPENFILENAMEA record = DialogRecord(owner, offered.filters, directory, path);
  record.Flags |= OFN_ENABLEHOOK;
  record.lpfnHook = SaveAsHook;
  record.lCustData = reinterpret_cast<LPARAM>(&offered);
  if (!GetSaveFileNameA(&record)) return false;
  *type = ChosenType(record);
  return true;
}
