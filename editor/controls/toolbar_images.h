// The built-in button images of the editor's two toolbars, one per command:
// small 32-bit pictures drawn from shapes (see toolbar_image_shapes.cpp).
#pragma once

#include <cstdint>

constexpr int kToolbarImageSize = 16;

// One image: width x height pixels, top-down, each blue, green, red, alpha
// from the lowest byte (alpha not premultiplied). pixels is null when the
// command has no built-in image. The pixels live as long as the program.
struct ToolbarImage {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

ToolbarImage GetToolbarImage(int commandId);
