// The options form's controls: filling them from the working copy, the
// edits the user makes, and the commit into the settings store.
#include "display/options/options_form.h"

#include <cstring>

#include "display/options/options_internal.h"
#include "display/options/options_text.h"
#include "display/win32/check_directory.h"

const OptionsControlIds kWinampOptionsIds = {
    1000, 1001, 1002, 1018, 1034, {1003, 1004, 1005, 1006}, 1007, 1025, 1026,
    1020, 1021, 1027, 1019, 1022, 1023, 1028, 1024, 1029, 1012, 1030, 1031, 1035};

const OptionsControlIds kWmpOptionsIds = {
    210, 211, 212, 226, 233, {213, 214, 215, 216}, 217, 238, 239,
    228, 229, 241, 227, 230, 231, 242, 232, 243, 218, 240, 244, 236};

namespace {

constexpr const char* kDefaultSample = "Kamiru";

void Enable(OptionsForm& form, int control, bool enabled) {
  EnableWindow(GetDlgItem(form.dialog, control), enabled ? TRUE : FALSE);
}

void Check(OptionsForm& form, int control, bool checked) {
  CheckDlgButton(form.dialog, control, checked ? BST_CHECKED : BST_UNCHECKED);
}

void ShowHorizontal(OptionsForm& form) {
  const bool left = form.working.leftAligned != 0;
  Check(form, form.ids->hCentered, !left);
  Check(form, form.ids->left, left);
  Enable(form, form.ids->leftMargin, left);
  Enable(form, form.ids->alternate, left);
}

void ShowVertical(OptionsForm& form) {
  const int32_t v = form.working.verticalAlignment;
  Check(form, form.ids->vCentered, v == 0);
  Check(form, form.ids->top, v == 1);
  Check(form, form.ids->bottom, v != 0 && v != 1);
  Enable(form, form.ids->topMargin, v == 1);
  Enable(form, form.ids->bottomMargin, v != 0 && v != 1);
}

// A number edit's field in the working copy and its upper limit; null when
// `control` is not a number edit.
int32_t* NumberField(OptionsForm& form, int control, int32_t& limit) {
  const OptionsControlIds& ids = *form.ids;
  DisplaySettings& w = form.working;
  limit = kMaxHighlightPercent;
  if (control == ids.topPercent) return &w.highlightTopPercent;
  if (control == ids.bottomPercent) return &w.highlightBottomPercent;
  limit = kMaxMargin;
  if (control == ids.leftMargin) return &w.leftMargin;
  if (control == ids.topMargin) return &w.topMargin;
  if (control == ids.bottomMargin) return &w.bottomMargin;
  return nullptr;
}

void OnNumberChanged(OptionsForm& form, int control, int32_t* field, int32_t limit) {
  BOOL read = FALSE;
  int32_t value = static_cast<int32_t>(GetDlgItemInt(form.dialog, control, &read, TRUE));
  if (!read) value = 0;  // an empty edit counts as 0 until the user types more
  if (value < 0 || value > limit) {
    value = value < 0 ? 0 : limit;
    // The rewrite comes back here as a change with the value in range.
    SetDlgItemInt(form.dialog, control, static_cast<UINT>(value), TRUE);
    return;
  }
  if (value == *field) return;
  *field = value;
  if (field == &form.working.highlightTopPercent || field == &form.working.highlightBottomPercent) {
    PaintGradient(form);
  }
  DrawPreview(form);
  MarkOptionsDirty(form);
}

void OnAntiAliased(OptionsForm& form) {
  form.working.antiAliased = IsDlgButtonChecked(form.dialog, form.ids->antiAliased) ? 1 : 0;
  form.working.smoothText = DerivesSmoothText(form.working) ? 1 : 0;
  DrawPreview(form);
  MarkOptionsDirty(form);
}

void SetHorizontal(OptionsForm& form, int32_t leftAligned) {
  form.working.leftAligned = leftAligned;
  ShowHorizontal(form);
  DrawPreview(form);
  MarkOptionsDirty(form);
}

void SetVertical(OptionsForm& form, int32_t alignment) {
  form.working.verticalAlignment = alignment;
  ShowVertical(form);
  DrawPreview(form);
  MarkOptionsDirty(form);
}

bool OnCommand(OptionsForm& form, int control, int code) {
  const OptionsControlIds& ids = *form.ids;
  int32_t limit = 0;
  if (int32_t* field = NumberField(form, control, limit)) {
    if (code == EN_CHANGE && !form.filling) OnNumberChanged(form, control, field, limit);
    return true;
  }
  if (control == ids.sample) {
    if (code == EN_CHANGE) DrawPreview(form);
    return true;
  }
  if (control == ids.directory) {
    if (code == EN_CHANGE) {
      GetDlgItemTextA(form.dialog, control, form.directoryText, sizeof form.directoryText);
      MarkOptionsDirty(form);
    }
    return true;
  }
  if (code != BN_CLICKED) return false;
  if (control == ids.antiAliased) {
    OnAntiAliased(form);
  } else if (control == ids.hCentered) {
    SetHorizontal(form, 0);
  } else if (control == ids.left) {
    SetHorizontal(form, 1);
  } else if (control == ids.alternate) {
    form.working.alternateSides = IsDlgButtonChecked(form.dialog, ids.alternate) ? 1 : 0;
    MarkOptionsDirty(form);
  } else if (control == ids.vCentered) {
    SetVertical(form, 0);
  } else if (control == ids.top) {
    SetVertical(form, 1);
  } else if (control == ids.bottom) {
    SetVertical(form, 2);
  } else if (control == ids.fontButton) {
    RunFontDialog(form);
  } else if (control == ids.browse) {
    RunFolderDialog(form);
  } else {
    return false;
  }
  return true;
}

}  // namespace

void MarkOptionsDirty(OptionsForm& form) {
  if (!form.filling && form.markDirty) form.markDirty(form.dirtyContext);
}

void SetFontLabels(OptionsForm& form) {
  const DisplaySettings& w = form.working;
  char face[sizeof w.font.lfFaceName + 1] = {};
  std::memcpy(face, w.font.lfFaceName, sizeof w.font.lfFaceName);
  SetDlgItemTextA(form.dialog, form.ids->face, face);
  SetDlgItemTextA(form.dialog, form.ids->style,
                  FontStyleLabel(w.font.lfWeight, w.font.lfItalic != 0));
  char size[32];
  FontSizeLabel(w.pointSize, size, sizeof size);
  SetDlgItemTextA(form.dialog, form.ids->size, size);
}

void OpenOptionsForm(OptionsForm& form, HWND dialog, const DisplaySettingsStore& store) {
  form.working = store.live;
  std::memcpy(form.directoryText, form.working.lyricsDirectory, sizeof form.directoryText);
  form.directoryText[sizeof form.directoryText - 1] = '\0';
  ReopenOptionsForm(form, dialog);
}

void ReopenOptionsForm(OptionsForm& form, HWND dialog) {
  form.dialog = dialog;
  form.filling = true;
  const OptionsControlIds& ids = *form.ids;
  const DisplaySettings& w = form.working;
  SetFontLabels(form);
  Check(form, ids.antiAliased, w.antiAliased != 0);
  CreateOptionsBitmaps(form);
  for (int i = 0; i < kSwatchCount; ++i) PaintSwatch(form, i);
  PaintGradient(form);
  SetDlgItemInt(dialog, ids.topPercent, static_cast<UINT>(w.highlightTopPercent), TRUE);
  SetDlgItemInt(dialog, ids.bottomPercent, static_cast<UINT>(w.highlightBottomPercent), TRUE);
  SetDlgItemInt(dialog, ids.leftMargin, static_cast<UINT>(w.leftMargin), TRUE);
  SetDlgItemInt(dialog, ids.topMargin, static_cast<UINT>(w.topMargin), TRUE);
  SetDlgItemInt(dialog, ids.bottomMargin, static_cast<UINT>(w.bottomMargin), TRUE);
  ShowHorizontal(form);
  Check(form, ids.alternate, w.alternateSides != 0);
  ShowVertical(form);
  char directory[kLyricsDirectorySize];
  std::memcpy(directory, form.directoryText, sizeof directory);
  SetDlgItemTextA(dialog, ids.directory, directory);
  SendDlgItemMessageA(dialog, ids.sample, EM_LIMITTEXT, 49, 0);
  SetDlgItemTextA(dialog, ids.sample, kDefaultSample);  // repaints the preview
  form.filling = false;
}

void CloseOptionsForm(OptionsForm& form) {
  for (HBITMAP& bitmap : form.swatchBitmaps) {
    if (bitmap) DeleteObject(bitmap);
    bitmap = nullptr;
  }
  if (form.gradientBitmap) DeleteObject(form.gradientBitmap);
  if (form.previewBitmap) DeleteObject(form.previewBitmap);
  form.gradientBitmap = nullptr;
  form.previewBitmap = nullptr;
  form.dialog = nullptr;
}

int SwatchAtPoint(const OptionsForm& form, POINT point) {
  for (int i = 0; i < kSwatchCount; ++i) {
    HWND control = GetDlgItem(form.dialog, form.ids->swatches[i]);
    RECT rect;
    if (!control || !GetWindowRect(control, &rect)) continue;
    MapWindowPoints(nullptr, form.dialog, reinterpret_cast<POINT*>(&rect), 2);
    if (PtInRect(&rect, point)) return i;
  }
  return -1;
}

bool HandleOptionsMessage(OptionsForm& form, UINT message, WPARAM wParam, LPARAM lParam,
                          INT_PTR& result) {
  if (!form.dialog) return false;
  switch (message) {
    case WM_COMMAND:
      if (!OnCommand(form, LOWORD(wParam), HIWORD(wParam))) return false;
      result = TRUE;
      return true;
    case WM_LBUTTONDOWN: {
      const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const int swatch = SwatchAtPoint(form, point);
      if (swatch >= 0) RunColorDialog(form, swatch);
      result = TRUE;
      return true;
    }
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) != GetDlgItem(form.dialog, form.ids->preview)) return false;
      result = reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
      return true;
    default:
      return false;
  }
}

void CommitOptionsForm(OptionsForm& form, DisplaySettingsStore& store) {
  char directory[kDirectoryBufferSize] = {};
  std::memcpy(directory, form.directoryText, sizeof directory - 1);
  // An emptied edit removes the directory; text naming no directory is
  // ignored. The same directory keeps the stored bytes, so that an
  // unchanged form never reports a change.
  if (directory[0] == '\0' || CheckDirectory(directory)) {
    if (std::strncmp(directory, form.working.lyricsDirectory, sizeof directory) != 0) {
      std::memcpy(form.working.lyricsDirectory, directory, sizeof form.working.lyricsDirectory);
    }
  }
  ReplaceLiveSettings(store, form.working);
}
