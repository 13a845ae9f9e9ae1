// The options dialog and the About box, both modal and owned by Winamp's
// main window.
#include "display/options/help_file.h"
#include "display/options/options_form.h"
#include "display/win32/display_settings_win32.h"
#include "winamp/plugin_state.h"
#include "winamp/resource.h"

namespace {

struct OptionsDialog {
  OptionsForm form;
  DisplaySettingsStore* store = nullptr;
};

void CentreOnScreen(HWND dialog) {
  RECT rect;
  GetWindowRect(dialog, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
    auto* options = reinterpret_cast<OptionsDialog*>(lParam);
    OpenOptionsForm(options->form, dialog, *options->store);
    CentreOnScreen(dialog);
    return TRUE;
  }
  auto* options = reinterpret_cast<OptionsDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
  if (!options) return FALSE;
  if (message == WM_DESTROY) {
    CloseOptionsForm(options->form);
    return FALSE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    switch (LOWORD(wParam)) {
      case IDOK:
        CommitOptionsForm(options->form, *options->store);
        EndDialog(dialog, IDOK);
        return TRUE;
      case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      case IDHELP:
        OpenHelpFile(dialog);
        return TRUE;
      default:
        break;
    }
  }
  INT_PTR result = FALSE;
  if (HandleOptionsMessage(options->form, message, wParam, lParam, result)) return result;
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
  OptionsDialog options;
  options.form.ids = &kWinampOptionsIds;
  options.form.preselect = FolderPreselect::kWorkingCopy;
  options.store = &store;
  const INT_PTR result =
      DialogBoxParamA(plugin.record.moduleInstance, MAKEINTRESOURCEA(IDD_OPTIONS), owner,
                      OptionsProc, reinterpret_cast<LPARAM>(&options));
  const bool ok = result == IDOK;
  plugin.optionsOpen = false;
  return ok;
}

void ShowAboutBox(HINSTANCE instance, HWND owner) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}
