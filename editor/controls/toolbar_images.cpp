#include "editor/controls/toolbar_images.h"

#include <vector>

#include "editor/controls/toolbar_image_shapes.h"

namespace {

using namespace toolbar_shapes;

struct ImageDrawing {
  int commandId;
  void (*draw)(RasterCanvas&);
};

const ImageDrawing kDrawings[] = {
    {32773, DrawAudioOpen},        {32774, DrawPlay},           {32777, DrawPlayXX},
    {32778, DrawPlayX},            {32775, DrawPause},          {32776, DrawStop},
    {32779, DrawRewind},           {32780, DrawFastForward},    {32781, DrawUndoTimestamp},
    {32782, DrawRedoTimestamp},    {32783, DrawSetTimestamp},   {32784, DrawRemoveTimestamp},
    {32785, DrawCombineTimestamps}, {32786, DrawSplitTimestamp}, {32787, DrawAdjustTimestamp},
    {32788, DrawMoveTimestamp},    {32789, DrawMoveAllTimestamps},
    {57601, DrawOpen},             {57603, DrawSave},           {57634, DrawCopy},
    {57637, DrawPaste},            {57643, DrawUndo},           {57644, DrawRedo},
    {32771, DrawSetSyncpoint},     {32772, DrawRemoveSyncpoint},
};
constexpr int kDrawingCount = sizeof(kDrawings) / sizeof(kDrawings[0]);

// All images, drawn once on first use.
const std::vector<std::vector<uint32_t>>& RenderedImages() {
  static const std::vector<std::vector<uint32_t>> images = [] {
    std::vector<std::vector<uint32_t>> rendered;
    for (const ImageDrawing& drawing : kDrawings) {
      RasterCanvas canvas(kToolbarImageSize, kToolbarImageSize);
      drawing.draw(canvas);
      rendered.push_back(canvas.Pixels());
    }
    return rendered;
  }();
  return images;
}

}  // namespace

ToolbarImage GetToolbarImage(int commandId) {
  for (int i = 0; i < kDrawingCount; ++i) {
    if (kDrawings[i].commandId != commandId) continue;
    return {RenderedImages()[i].data(), kToolbarImageSize, kToolbarImageSize};
  }
  return {};
}
