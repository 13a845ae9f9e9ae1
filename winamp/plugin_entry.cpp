// The one export Winamp calls: the address of the plug-in record.
#include "winamp/plugin_state.h"

extern "C" __declspec(dllexport) WinampGeneralPurposePlugin* winampGetGeneralPurposePlugin() {
  return &Plugin().record;
}
