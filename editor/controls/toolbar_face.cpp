#include "editor/controls/toolbar_face.h"

uint32_t BlendPixel(uint32_t imageColour, uint32_t alpha, uint32_t background) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t top = (imageColour >> shift) & 0xFF, bottom = (background >> shift) & 0xFF;
    out |= ((top * alpha + bottom * (255 - alpha)) / 255) << shift;
  }
  return out;
}

void RenderButtonFace(uint32_t* face, int width, int height, const FaceImage& image,
                      ButtonLook look, const FaceColours& colours) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool light = look == ButtonLook::kChecked && (x + y) % 2 == 0;
      face[y * width + x] = light ? colours.highlight : colours.face;
    }
  }
  if (!image.pixels) return;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      uint32_t pixel = image.pixels[y * image.stride + x];
      uint32_t colour = pixel & 0xFFFFFF, alpha = pixel >> 24;
      if (look == ButtonLook::kDisabled) colour = colour == 0 ? 0xFFFFFF : colours.shadow;
      uint32_t& out = face[(image.top + y) * width + image.left + x];
      out = BlendPixel(colour, alpha, out);
    }
  }
}
