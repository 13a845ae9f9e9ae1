// The editor's band container, window class "KMEditCRWnd": up to three
// horizontal bands of up to three child windows side by side, in an
// etched frame with etched separators between the bands.
#pragma once

#include <windows.h>

#include "editor/controls/control_window.h"
#include "editor/controls/band_layout.h"

class BandContainer : public ControlWindow {
 public:
  static const char kClassName[];

  BandContainer() = default;
  ~BandContainer();

  // Registers the class once and creates the container (child, visible,
  // clipping siblings and children, no edge) over `rect`. Bands added
  // before take their windows now. Null on failure.
  HWND CreateControl(HWND parent, HINSTANCE instance, const RECT& rect, int id);

  // Fills the next free band with `first` and the optional `second` and
  // `third` windows (null when absent), each made a child of the container,
  // with their widths (kSharedWidth to share the free width) and the band's
  // height, and lays it out. False when all bands are in use or `first` is
  // null.
  bool AddBand(HWND first, HWND second, HWND third, int firstWidth, int secondWidth,
               int thirdWidth, int height);
  // Changes the height of a band in use and lays the bands out again.
  bool SetBandHeight(int band, int height);

  int BandsInUse() const { return bandsInUse_; }
  int BandHeight(int band) const;

  // For the window procedure only.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Band {
    HWND windows[kWindowsPerBand] = {};
    int widths[kWindowsPerBand] = {};
    int count = 0;
  };

  void AdoptWindows(const Band& band);
  void LayOut(int band, int clientWidth);
  void LayOutAll();
  void Paint();

  Band bands_[kBandCount];
  int heights_[kBandCount] = {};
  int bandsInUse_ = 0;
};
