// The entry Winamp calls: the plug-in record and its callbacks.
#include "winamp/plugin_record.h"

namespace {

int initCount = 0;

// Start of the plug-in. The lyrics window and the hooks on Winamp's main
// window attach here; so far only the one-time guard exists.
int Init() {
  if (initCount > 0) return 0;
  ++initCount;
  return 0;
}

void Config() {}

void Quit() {}

WinampGeneralPurposePlugin plugin = {
    kWinampPluginVersion, "Kamiru 2.0", Init, Config, Quit, nullptr, nullptr,
};

}  // namespace

extern "C" __declspec(dllexport) WinampGeneralPurposePlugin* winampGetGeneralPurposePlugin() {
  return &plugin;
}
