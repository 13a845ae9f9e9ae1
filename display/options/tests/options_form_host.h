// A modeless dialog with the options form's controls, driven by window
// messages as a user's edits would drive it.
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "display/options/options_form.h"
#include "display/win32/gdi_holders.h"

constexpr int kOptionsTestDialog = 100;

struct OptionsFormHost {
  OptionsForm form;
  DisplaySettingsStore store{};
  int dirtyCalls = 0;
  HWND dialog = nullptr;

  static void CountDirty(void* context) { ++static_cast<OptionsFormHost*>(context)->dirtyCalls; }

  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
      auto* host = reinterpret_cast<OptionsFormHost*>(lParam);
      OpenOptionsForm(host->form, window, host->store);
      return TRUE;
    }
    auto* host = reinterpret_cast<OptionsFormHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!host) return FALSE;
    if (message == WM_DESTROY) {
      CloseOptionsForm(host->form);
      return FALSE;
    }
    INT_PTR result = 0;
    if (HandleOptionsMessage(host->form, message, wParam, lParam, result)) return result;
    return FALSE;
  }

  // Opens the form on `live` as the store's live record.
  bool Open(const DisplaySettings& live) {
    store.live = live;
    store.baseline = live;
    form.ids = &kWinampOptionsIds;
    form.markDirty = CountDirty;
    form.dirtyContext = this;
    dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kOptionsTestDialog),
                                nullptr, Proc, reinterpret_cast<LPARAM>(this));
    return dialog != nullptr;
  }

  ~OptionsFormHost() {
    if (dialog) DestroyWindow(dialog);
  }

  HWND Item(int id) const { return GetDlgItem(dialog, id); }
  void Type(int id, const char* text) { SetWindowTextA(Item(id), text); }
  void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
  bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
  bool Checked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
  std::string Text(int id) const {
    char text[300] = {};
    GetWindowTextA(Item(id), text, sizeof text);
    return text;
  }
};

// The pixels of a 32-bit DIB section, rows top-down (0x00RRGGBB).
struct BitmapPixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  explicit BitmapPixels(HBITMAP bitmap) {
    DIBSECTION section;
    if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section) return;
    GdiFlush();
    width = section.dsBm.bmWidth;
    height = section.dsBm.bmHeight;
    const auto* bits = static_cast<const uint32_t*>(section.dsBm.bmBits);
    pixels.assign(bits, bits + size_t(width) * size_t(height));
  }
  uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x] & 0xFFFFFF; }
};

inline uint32_t Pixel(COLORREF color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
