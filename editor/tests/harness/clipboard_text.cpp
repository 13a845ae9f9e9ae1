#include "editor/tests/harness/clipboard_text.h"

#include "editor/tests/harness/editor_process.h"

bool WaitForClipboardChange(DWORD sequence, DWORD timeoutMs) {
  return WaitFor(timeoutMs, [&] { return GetClipboardSequenceNumber() != sequence; });
}
