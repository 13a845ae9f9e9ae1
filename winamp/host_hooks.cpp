// The three hooks on the thread of Winamp's main window: its playback
// notices and menus, the release of its position slider, the offset keys.
#include "winamp/plugin_state.h"
#include "winamp/resource.h"
#include "winamp/winamp_ipc.h"

namespace {

void PostToLyricsWindow(UINT message, WPARAM wParam) {
  if (HWND window = Plugin().lyricsWindow.window) PostMessageA(window, message, wParam, 0);
}

UINT MenuItemId(HMENU menu, int position) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID;
  if (!GetMenuItemInfoA(menu, position, TRUE, &info)) return 0;
  return info.wID;
}

// Offers "Kamiru" before the menu's third separator while the frame is
// hidden, and takes it away again once the frame is shown.
void OnHostMenuPopup(HMENU menu) {
  PluginState& plugin = Plugin();
  if (plugin.liveState.visible && plugin.hostMenuItemInserted) {
    if (DeleteMenu(menu, ID_HOST_MENU_ITEM, MF_BYCOMMAND)) plugin.hostMenuItemInserted = false;
    return;
  }
  if (plugin.liveState.visible || plugin.hostMenuItemInserted) return;
  const int count = GetMenuItemCount(menu);
  int separators = 0;
  for (int position = 0; position < count; ++position) {
    if (MenuItemId(menu, position) != 0 || ++separators < 3) continue;
    char text[] = "Kamiru";
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.wID = ID_HOST_MENU_ITEM;
    item.dwTypeData = text;
    if (InsertMenuItemA(menu, position, TRUE, &item)) plugin.hostMenuItemInserted = true;
    return;
  }
}

void OnHostIpc(LPARAM code) {
  switch (code) {
    case kIpcJumpToTime:
      PostToLyricsWindow(kSeekMessage, 0);
      break;
    case kIpcRecheckA:
    case kIpcRecheckB:
      PostToLyricsWindow(kRecheckMessage, 0);
      break;
    case kIpcRecheckWhenIdle:
      PostToLyricsWindow(kRecheckMessage, 1);
      break;
    case kIpcPlayingFile:
      if (Plugin().lyricsWindow.window) CheckTrack(Plugin().lyricsWindow);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK CallWindowHook(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent && sent->hwnd == Plugin().record.hostWindow) {
    if (sent->message == WM_INITMENUPOPUP) OnHostMenuPopup(reinterpret_cast<HMENU>(sent->wParam));
    if (sent->message == kWinampIpcMessage) OnHostIpc(sent->lParam);
  }
  return CallNextHookEx(Plugin().callWindowHook, code, wParam, lParam);
}

// Winamp's position slider in its main window.
bool IsOnPositionSlider(LPARAM position) {
  const unsigned x = LOWORD(position), y = HIWORD(position);
  return x >= 18 && x <= 263 && y >= 73 && y <= 81;
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* posted = reinterpret_cast<const MSG*>(lParam);
  PluginState& plugin = Plugin();
  if (code == HC_ACTION && posted && posted->hwnd == plugin.record.hostWindow) {
    if (posted->message == WM_COMMAND && LOWORD(posted->wParam) == ID_HOST_MENU_ITEM) {
      ShowWindow(plugin.embed.frame, SW_SHOWNORMAL);
      plugin.liveState.visible = 1;
    } else if (posted->message == WM_LBUTTONUP && IsOnPositionSlider(posted->lParam) &&
               GetCapture() == plugin.record.hostWindow) {
      PostToLyricsWindow(kSeekMessage, 0);
    }
  }
  return CallNextHookEx(plugin.getMessageHook, code, wParam, lParam);
}

// Alt+Left and Alt+Right, key-down only; every key goes on to Winamp.
LRESULT CALLBACK KeyboardHook(int code, WPARAM key, LPARAM flags) {
  const bool pressed = (flags & (1u << 31)) == 0;
  const bool alt = (flags & (1 << 29)) != 0;
  if (code == HC_ACTION && pressed && alt) {
    if (key == VK_LEFT) StepTimingOffset(Plugin().timing, true);
    if (key == VK_RIGHT) StepTimingOffset(Plugin().timing, false);
  }
  return CallNextHookEx(Plugin().keyboardHook, code, key, flags);
}

void Unhook(HHOOK& hook) {
  if (hook) UnhookWindowsHookEx(hook);
  hook = nullptr;
}

}  // namespace

void InstallHostHooks(HWND hostWindow) {
  PluginState& plugin = Plugin();
  const DWORD thread = GetWindowThreadProcessId(hostWindow, nullptr);
  plugin.callWindowHook = SetWindowsHookExA(WH_CALLWNDPROC, CallWindowHook, nullptr, thread);
  plugin.getMessageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, thread);
  plugin.keyboardHook = SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, nullptr, thread);
}

void RemoveHostHooks() {
  PluginState& plugin = Plugin();
  Unhook(plugin.callWindowHook);
  Unhook(plugin.getMessageHook);
  Unhook(plugin.keyboardHook);
}
