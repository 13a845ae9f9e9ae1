// Reading another process's windows: children by id, classes, texts and
// places, and memory for the messages that fill a structure.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <cstddef>
#include <string>

// The descendant of `root` (at any depth) with child id `id`, or null.
HWND FindDescendant(HWND root, int id);
std::string WindowClassName(HWND window);
// The window's text (WM_GETTEXT), also of a control in another process.
std::string WindowTextOf(HWND window);
// `window`'s rectangle in the client coordinates of `ancestor`.
RECT RectInClient(HWND window, HWND ancestor);

// A block of memory inside another process, for messages whose lParam
// points at a structure or buffer that the target fills or reads.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  explicit operator bool() const { return address_ != nullptr; }
  LPARAM lParam() const { return reinterpret_cast<LPARAM>(address_); }
  bool Write(const void* data, size_t size);
  bool Read(void* data, size_t size) const;

 private:
  HANDLE process_;
  void* address_;
};

// The text of part `part` of a status bar in process `process`.
std::string StatusBarText(HANDLE process, HWND statusBar, int part);
// The selection of a RichEdit window in process `process`.
CHARRANGE RichEditSelection(HANDLE process, HWND richEdit);
