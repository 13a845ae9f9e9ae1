#include "editor/file_dialogs.h"

#include <commdlg.h>

#include <cstring>

#include "editor/program_files.h"

namespace {

constexpr DWORD kDialogFlags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

OPENFILENAMEA DialogRecord(HWND owner, const char* filters, const char* directory,
                           char (&path)[MAX_PATH]) {
  path[0] = '\0';
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

// The directory of `path` without its final backslash, except for the
// root of a drive ("C:\\").
void RememberDirectory(const char* path, char* directory, size_t directorySize) {
  size_t length = static_cast<size_t>(FileNamePart(path) - path);
  if (length == 0 || length > directorySize) return;
  if (!(length == 3 && path[1] == ':')) --length;
  std::memcpy(directory, path, length);
  directory[length] = '\0';
}

}  // namespace

bool ChooseFileToOpen(HWND owner, const char* filters, char* directory, size_t directorySize,
                      char (&path)[MAX_PATH]) {
  OPENFILENAMEA record = DialogRecord(owner, filters, directory, path);
  if (!GetOpenFileNameA(&record)) return false;
  RememberDirectory(path, directory, directorySize);
  return true;
}

bool ChooseFileToSave(HWND owner, const char* filters, char* directory, size_t directorySize,
                      char (&path)[MAX_PATH]) {
  OPENFILENAMEA record = DialogRecord(owner, filters, directory, path);
  if (!GetSaveFileNameA(&record)) return false;
  RememberDirectory(path, directory, directorySize);
  return true;
}
