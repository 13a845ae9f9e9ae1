// The faces of toolbar buttons: the button's background with its image
// blended in by alpha, in one of three looks. Works on plain pixel arrays
// (0x00RRGGBB, top-down) so that it needs no device context.
#pragma once

#include <cstdint>

enum class ButtonLook {
  kPlain,     // normal, hot and pressed buttons
  kChecked,   // over a checkerboard of highlight and face
  kDisabled,  // the image as a silhouette
};

struct FaceColours {
  uint32_t face;
  uint32_t highlight;
  uint32_t shadow;
};

// The visible part of an image and where it stands in the button.
struct FaceImage {
  const uint32_t* pixels = nullptr;  // first visible pixel; blue, green, red, alpha
  int stride = 0;                    // pixels per image row
  int width = 0;
  int height = 0;
  int left = 0;
  int top = 0;
};

void RenderButtonFace(uint32_t* face, int width, int height, const FaceImage& image,
                      ButtonLook look, const FaceColours& colours);

// out = (image x alpha + background x (255 - alpha)) / 255 per channel.
uint32_t BlendPixel(uint32_t imageColour, uint32_t alpha, uint32_t background);
