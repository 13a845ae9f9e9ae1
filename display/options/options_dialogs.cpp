// The common dialogs the form opens: font, colour and folder.
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <cstring>

#include "display/options/options_internal.h"
#include "display/win32/check_directory.h"
#include "display/win32/display_settings_win32.h"

namespace {

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) {
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
  }
  return 0;
}

}  // namespace

void ApplyChosenFont(OptionsForm& form, const LOGFONTA& font, int pointSize) {
  DisplaySettings& w = form.working;
  w.font = FromLogFont(font);
  w.pointSize = pointSize;
  SetFontLabels(form);
  HDC dc = GetDC(form.dialog);
  w.trueTypeFont = dc && IsTrueTypeFont(dc, w.font) ? 1 : 0;
  if (dc) ReleaseDC(form.dialog, dc);
  w.smoothText = DerivesSmoothText(w) ? 1 : 0;
  DrawPreview(form);
  MarkOptionsDirty(form);
}

void ApplyChosenColor(OptionsForm& form, OptionsSwatch swatch, COLORREF color) {
  uint32_t& current = SwatchColor(form.working, swatch);
  if (current == color) return;
  current = color;
  PaintSwatch(form, swatch);
  if (swatch == kSwatchHighlightTop || swatch == kSwatchHighlightBottom) PaintGradient(form);
  DrawPreview(form);
  MarkOptionsDirty(form);
}

void RunFontDialog(OptionsForm& form) {
  LOGFONTA font = ToLogFont(form.working.font);
  CHOOSEFONTA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = form.dialog;
  choose.lpLogFont = &font;
  choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE | CF_FORCEFONTEXIST |
                 CF_NOVERTFONTS;
  choose.nSizeMin = kMinPointSize / 10;
  choose.nSizeMax = kMaxPointSize / 10;
  if (!ChooseFontA(&choose)) return;
  ApplyChosenFont(form, font, choose.iPointSize);
}

void RunColorDialog(OptionsForm& form, int swatch) {
  COLORREF custom[16];
  for (COLORREF& c : custom) c = RGB(255, 255, 255);
  CHOOSECOLORA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = form.dialog;
  choose.rgbResult = SwatchColor(form.working, swatch);
  choose.lpCustColors = custom;
  choose.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&choose)) return;
  ApplyChosenColor(form, static_cast<OptionsSwatch>(swatch), choose.rgbResult);
}

void RunFolderDialog(OptionsForm& form) {
  char start[kDirectoryBufferSize] = {};
  if (form.preselect == FolderPreselect::kDirectoryEdit) {
    GetDlgItemTextA(form.dialog, form.ids->directory, start, sizeof start);
    if (!CheckDirectory(start)) start[0] = '\0';
  } else {
    std::memcpy(start, form.working.lyricsDirectory, sizeof start);
    start[sizeof start - 1] = '\0';
  }
  char title[1] = {};
  BROWSEINFOA browse = {};
  browse.hwndOwner = form.dialog;
  browse.lpszTitle = title;
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
  browse.lpfn = BrowseCallback;
  browse.lParam = start[0] ? reinterpret_cast<LPARAM>(start) : 0;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
  if (!chosen) return;
  char path[MAX_PATH] = {};
  const bool picked = SHGetPathFromIDListA(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  if (!picked) return;
  // The edit's change notice marks the form dirty.
  SetDlgItemTextA(form.dialog, form.ids->directory, path);
}
