#include "editor/tests/harness/window_queries.h"

#include <commctrl.h>
#include <richedit.h>

#include <vector>

namespace {

struct IdQuery {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND hwnd, LPARAM lParam) {
  auto& query = *reinterpret_cast<IdQuery*>(lParam);
  if (GetDlgCtrlID(hwnd) != query.id) return TRUE;
  query.found = hwnd;
  return FALSE;
}

}  // namespace

HWND FindDescendant(HWND root, int id) {
  IdQuery query = {id, nullptr};
  EnumChildWindows(root, MatchId, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

std::string WindowClassName(HWND window) {
  char name[128] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// By message: GetWindowTextA reads only the caption kept by the system for
// windows of other processes, never a control's own text.
std::string WindowTextOf(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return std::string();
  std::vector<char> text(static_cast<size_t>(length) + 1);
  SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

RECT RectInClient(HWND window, HWND ancestor) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, ancestor, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RemoteBuffer::RemoteBuffer(HANDLE process, size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* data, size_t size) {
  SIZE_T written = 0;
  return address_ && WriteProcessMemory(process_, address_, data, size, &written) &&
         written == size;
}

bool RemoteBuffer::Read(void* data, size_t size) const {
  SIZE_T read = 0;
  return address_ && ReadProcessMemory(process_, address_, data, size, &read) && read == size;
}

std::string StatusBarText(HANDLE process, HWND statusBar, int part) {
  char text[256] = {};
  RemoteBuffer buffer(process, sizeof text);
  if (!buffer || !buffer.Write(text, sizeof text)) return std::string();
  const LRESULT length = SendMessageA(statusBar, SB_GETTEXTLENGTHA, part, 0);
  if (LOWORD(length) >= sizeof text) return std::string();
  SendMessageA(statusBar, SB_GETTEXTA, part, buffer.lParam());
  buffer.Read(text, sizeof text);
  text[sizeof text - 1] = '\0';
  return text;
}

CHARRANGE RichEditSelection(HANDLE process, HWND richEdit) {
  CHARRANGE range = {-1, -1};
  RemoteBuffer buffer(process, sizeof range);
  if (!buffer) return range;
  SendMessageA(richEdit, EM_EXGETSEL, 0, buffer.lParam());
  buffer.Read(&range, sizeof range);
  return range;
}
