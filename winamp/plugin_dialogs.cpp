// The options dialog and the About box, both modal and owned by Winamp's
// main window.
#include "display/win32/display_settings_win32.h"
#include "winamp/plugin_state.h"
#include "winamp/resource.h"

namespace {

struct OptionsDialog {
  DisplaySettings working;
};

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

bool RunOptions(HWND owner) {
  PluginState& plugin = Plugin();
  if (plugin.optionsOpen) return false;
  plugin.optionsOpen = true;
  DisplaySettingsStore& store = ModuleDisplaySettings();
  OptionsDialog options{store.live};
  const INT_PTR result =
      DialogBoxParamA(plugin.record.moduleInstance, MAKEINTRESOURCEA(IDD_OPTIONS), owner,
                      OptionsProc, reinterpret_cast<LPARAM>(&options));
  const bool ok = result == IDOK;
  if (ok) ReplaceLiveSettings(store, options.working);
  plugin.optionsOpen = false;
  return ok;
}

void ShowAboutBox(HINSTANCE instance, HWND owner) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}
