// A memory device context drawing into a top-down 32-bit DIB section, for
// tests that check what was drawn on its pixels.
#pragma once

#include <windows.h>

#include <cstdint>

#include "display/shade_table.h"
#include "display/win32/gdi_holders.h"

// A memory device context drawing into a top-down 32-bit DIB section.
class DibTarget {
 public:
  DibTarget(int width, int height) : width_(width), height_(height), dc_(nullptr) {
    bitmap_ = CreateDib32(dc_.get(), width, height, &bits_);
    old_ = SelectObject(dc_.get(), bitmap_);
  }
  ~DibTarget() {
    SelectObject(dc_.get(), old_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_.get(); }
  RECT rect() const { return RECT{0, 0, width_, height_}; }
  uint32_t Pixel(int x, int y) const {
    GdiFlush();
    return static_cast<const uint32_t*>(bits_)[y * width_ + x];
  }
  // Pixels of colour `colorref` in rows [top, bottom).
  int Count(uint32_t colorref, int top, int bottom, int left = 0, int right = -1) const {
    if (right < 0) right = width_;
    int n = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) n += Pixel(x, y) == DibPixel(colorref);
    }
    return n;
  }

 private:
  int width_, height_;
  MemoryDc dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};
