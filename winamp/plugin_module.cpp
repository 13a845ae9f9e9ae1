// Start, configuration and shutdown of the plug-in.
#include <cstring>

#include "display/win32/display_settings_win32.h"
#include "winamp/plugin_state.h"
#include "winamp/winamp_ipc.h"

namespace {

PluginState plugin;

}  // namespace

PluginState& Plugin() { return plugin; }

int StartPlugin() {
  if (plugin.initCount > 0) return 0;
  ++plugin.initCount;
  plugin.baselineState = ReadWindowState();
  plugin.liveState = plugin.baselineState;
  plugin.hostMenuItemInserted = false;
  std::memset(&plugin.embed, 0, sizeof plugin.embed);
  plugin.embed.rect = {plugin.baselineState.left, plugin.baselineState.top,
                       plugin.baselineState.right, plugin.baselineState.bottom};

  HWND host = plugin.record.hostWindow;
  auto embed = reinterpret_cast<EmbedWindowFunction>(AskWinamp(host, 0, kIpcGetEmbedIf));
  if (!embed) return 0;
  HWND frame = embed(&plugin.embed);
  if (!frame) return 0;
  plugin.embed.frame = frame;
  SetWindowTextA(frame, "Kamiru");

  AttachDisplayUser(ModuleDisplaySettings());
  if (!CreateLyricsWindow(plugin.lyricsWindow, plugin.record.moduleInstance, host, frame)) {
    return 0;
  }
  if (plugin.liveState.visible) ShowWindow(frame, SW_SHOWNORMAL);
  InstallHostHooks(host);
  return 0;
}

void ConfigurePlugin() {
  DisplaySettingsStore& store = ModuleDisplaySettings();
  const bool withWindow = plugin.lyricsWindow.window != nullptr;
  if (!withWindow && !plugin.optionsOpen) ReloadDisplaySettings(store);
  const bool ok = RunOptions(plugin.record.hostWindow);
  // Without a window nothing would take the change up: it is stored now.
  if (ok && !plugin.lyricsWindow.window && store.changed) CommitLiveSettings(store);
}

void ShutdownPlugin() {
  RemoveHostHooks();
  LyricsWindow& window = plugin.lyricsWindow;
  // Normally Winamp has destroyed the frame by now; if not, its rectangle
  // and the layout are taken as they are.
  if (window.window) {
    RECT frame;
    if (GetWindowRect(window.frameWindow, &frame)) {
      plugin.liveState.left = frame.left;
      plugin.liveState.top = frame.top;
      plugin.liveState.right = frame.right;
      plugin.liveState.bottom = frame.bottom;
    }
    plugin.liveState.layout = window.layout;
  }
  if (!SameWindowState(plugin.liveState, plugin.baselineState)) {
    if (WriteWindowState(plugin.liveState)) plugin.baselineState = plugin.liveState;
  }
  DetachDisplayUser(ModuleDisplaySettings());
  if (plugin.initCount > 0) --plugin.initCount;
}
