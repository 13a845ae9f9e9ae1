#include "wmp/server_registration.h"

#include "com_server/server_registration.h"

namespace {

// A running player reloads its visualizations when it sees this message.
void AnnouncePluginChange() {
  const UINT message = RegisterWindowMessageA("WMPlayer_PluginAddRemove");
  if (message) PostMessageA(HWND_BROADCAST, message, 0, 0);
}

}  // namespace

HRESULT RegisterServerClasses() {
  const HRESULT hr = RegisterClassesFromScripts();
  AnnouncePluginChange();
  return hr;
}

HRESULT UnregisterServerClasses() {
  UnregisterClassesFromScripts();
  AnnouncePluginChange();
  return S_OK;
}
