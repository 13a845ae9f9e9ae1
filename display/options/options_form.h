// The display options form: one dialog procedure core shared by the
// Winamp options dialog and the Windows Media Player "General" page. The
// form edits a working copy of the store's live settings, shows a preview
// of a half-sung sample line and hands the copy to the store on commit.
#pragma once

#include <windows.h>

#include "display/display_settings.h"
#include "display/display_settings_store.h"

// The identifiers of the form's controls in one plug-in's dialog.
struct OptionsControlIds {
  int face, style, size, antiAliased, fontButton;
  int swatches[4];  // Background, Text, Highlight T, Highlight B
  int gradient, topPercent, bottomPercent;
  int hCentered, left, leftMargin, alternate;
  int vCentered, top, topMargin, bottom, bottomMargin;
  int preview, sample, directory, browse;
};

extern const OptionsControlIds kWinampOptionsIds;
extern const OptionsControlIds kWmpOptionsIds;

enum OptionsSwatch { kSwatchBackground, kSwatchText, kSwatchHighlightTop, kSwatchHighlightBottom };
constexpr int kSwatchCount = 4;

// Where the folder dialog starts: the Winamp dialog preselects the working
// copy's directory, the page the (checked) text of the directory edit.
enum class FolderPreselect { kWorkingCopy, kDirectoryEdit };

struct OptionsForm {
  const OptionsControlIds* ids = nullptr;
  FolderPreselect preselect = FolderPreselect::kWorkingCopy;
  // Called on every edit that changes what a commit would store; null in
  // the Winamp dialog, which has no dirty state.
  void (*markDirty)(void* context) = nullptr;
  void* dirtyContext = nullptr;

  HWND dialog = nullptr;
  DisplaySettings working{};
  bool filling = false;  // the controls are being filled: their changes are not edits
  // The directory edit's text, kept while the dialog is away (a property
  // page's dialog goes when the user turns to another page).
  char directoryText[kLyricsDirectorySize] = {};
  // The framed images of the four colour swatches, the gradient and the
  // preview (32-bit top-down DIB sections; null when not created).
  HBITMAP swatchBitmaps[kSwatchCount] = {};
  HBITMAP gradientBitmap = nullptr;
  HBITMAP previewBitmap = nullptr;
};

// Takes the working copy from the store's live record and fills the
// controls of `dialog`; call from WM_INITDIALOG.
void OpenOptionsForm(OptionsForm& form, HWND dialog, const DisplaySettingsStore& store);

// Fills the controls of a new `dialog` from the form's own working copy and
// directory text: the edits made before the last dialog went are kept.
void ReopenOptionsForm(OptionsForm& form, HWND dialog);

// Deletes the form's bitmaps; call from WM_DESTROY.
void CloseOptionsForm(OptionsForm& form);

// The form's share of the dialog procedure: commands, clicks on the
// swatches and the preview's background. Returns whether it handled the
// message, with the dialog procedure's result in `result`.
bool HandleOptionsMessage(OptionsForm& form, UINT message, WPARAM wParam, LPARAM lParam,
                          INT_PTR& result);

// Takes the directory text when it names an existing directory and
// hands the working copy to the store (which raises its changed flag only
// when something differs).
void CommitOptionsForm(OptionsForm& form, DisplaySettingsStore& store);

// What the font and colour dialogs' results do, apart from the dialogs.
// `pointSize` is in tenths of a point.
void ApplyChosenFont(OptionsForm& form, const LOGFONTA& font, int pointSize);
void ApplyChosenColor(OptionsForm& form, OptionsSwatch swatch, COLORREF color);

// The swatch whose control contains `point` (dialog client coordinates),
// or -1.
int SwatchAtPoint(const OptionsForm& form, POINT point);

// Repaints the preview from the working copy and the sample text.
void DrawPreview(OptionsForm& form);
