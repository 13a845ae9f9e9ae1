#include "editor/controls/band_container.h"

#include "editor/controls/buffered_drawing.h"

const char BandContainer::kClassName[] = "KMEditCRWnd";

BandContainer::~BandContainer() { DestroyControlWindow(hwnd_); }

HWND BandContainer::CreateControl(HWND parent, HINSTANCE instance, const RECT& rect, int id) {
  static const ControlClass kClass = {kClassName, ControlWindowProc<BandContainer>,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                      0};
  if (hwnd_ || !CreateControlWindow(kClass, parent, instance, rect, id, this)) return nullptr;
  for (int band = 0; band < bandsInUse_; ++band) AdoptWindows(bands_[band]);
  LayOutAll();
  return hwnd_;
}

bool BandContainer::AddBand(HWND first, HWND second, HWND third, int firstWidth,
                            int secondWidth, int thirdWidth, int height) {
  if (bandsInUse_ >= kBandCount || !first) return false;
  const HWND windows[kWindowsPerBand] = {first, second, third};
  const int widths[kWindowsPerBand] = {firstWidth, secondWidth, thirdWidth};
  Band band;
  for (int i = 0; i < kWindowsPerBand; ++i) {
    if (!windows[i]) continue;
    band.windows[band.count] = windows[i];
    band.widths[band.count] = widths[i];
    ++band.count;
  }
  const int index = bandsInUse_++;
  bands_[index] = band;
  heights_[index] = height > 0 ? height : 0;
  if (hwnd_) {
    AdoptWindows(band);
    RECT client = {};
    GetClientRect(hwnd_, &client);
    LayOut(index, client.right);
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
  return true;
}

bool BandContainer::SetBandHeight(int band, int height) {
  if (band < 0 || band >= bandsInUse_) return false;
  heights_[band] = height > 0 ? height : 0;
  // The bands below this one move with it, and so do the separators.
  if (hwnd_) {
    LayOutAll();
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
  return true;
}

int BandContainer::BandHeight(int band) const {
  return band >= 0 && band < bandsInUse_ ? heights_[band] : 0;
}

void BandContainer::AdoptWindows(const Band& band) {
  for (int i = 0; i < band.count; ++i) {
    if (GetParent(band.windows[i]) != hwnd_) SetParent(band.windows[i], hwnd_);
  }
}

void BandContainer::LayOut(int band, int clientWidth) {
  BandPlace places[kWindowsPerBand];
  const Band& windows = bands_[band];
  LayoutBand(clientWidth, BandTop(heights_, band), heights_[band], windows.widths, windows.count,
             places);
  for (int i = 0; i < windows.count; ++i) {
    MoveWindow(windows.windows[i], places[i].x, places[i].y, places[i].width, places[i].height,
               TRUE);
  }
}

void BandContainer::LayOutAll() {
  RECT client = {};
  if (!hwnd_ || !GetClientRect(hwnd_, &client)) return;
  for (int band = bandsInUse_ - 1; band >= 0; --band) LayOut(band, client.right);
}

// The container never erases its background: the paint fills what its
// children leave uncovered (the gaps between windows and bands) with the
// button face, then draws the etched frame and the etched separators.
void BandContainer::Paint() {
  PaintWindow(hwnd_, [&](HDC dc, RECT client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
    for (int band = 1; band < bandsInUse_; ++band) {
      const int top = BandTop(heights_, band) - 2;
      RECT separator = {1, top, client.right - 1, top + 2};
      DrawEdge(dc, &separator, EDGE_ETCHED, BF_TOP);
    }
  });
}

LRESULT BandContainer::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      LayOutAll();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
