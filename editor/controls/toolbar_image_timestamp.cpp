// The images of the timestamp buttons: each shows timestamp pairs as orange
// bars between end marks, and what the tool does to them.
#include "editor/controls/toolbar_image_shapes.h"

namespace toolbar_shapes {

namespace {

constexpr float kBarTop = 10, kBarBottom = 14;
// Arrows above the bars: 3 pixels thick around this line.
constexpr float kArrowY = 4.5f, kShaft = 1.5f, kHead = 4, kHeadLength = 4;

void DrawSmallUndoArrow(RasterCanvas& canvas, bool redo) {
  Points arrow = Moved(UndoArrow(), 0.62f, 3, 0);
  canvas.Outlined(redo ? Mirrored(arrow) : arrow, kBlue, kBlueEdge);
}

}  // namespace

void DrawUndoTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 1, 15, kBarTop, kBarBottom);
  DrawSmallUndoArrow(canvas, false);
}

void DrawRedoTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 1, 15, kBarTop, kBarBottom);
  DrawSmallUndoArrow(canvas, true);
}

void DrawSetTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 1, 15, kBarTop, kBarBottom);
  canvas.Outlined(PlusSign(8, 5, 4, 2), kGreen, kGreenEdge);
}

void DrawRemoveTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 1, 15, kBarTop, kBarBottom);
  canvas.Outlined(PlusSign(8, 4.5f, 5, 1.6f, 45), kRed, kRedEdge);
}

void DrawCombineTimestamps(RasterCanvas& canvas) {
  DrawPairBar(canvas, 0, 7, kBarTop, kBarBottom);
  DrawPairBar(canvas, 9, 16, kBarTop, kBarBottom);
  canvas.Outlined(Arrow(0, 7.5f, kArrowY, kShaft, kHead, kHeadLength), kBlue, kBlueEdge);
  canvas.Outlined(Arrow(16, 8.5f, kArrowY, kShaft, kHead, kHeadLength), kBlue, kBlueEdge);
}

void DrawSplitTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 0, 16, kBarTop, kBarBottom);
  canvas.Outlined(Arrow(6, 0, kArrowY, kShaft, kHead, kHeadLength), kBlue, kBlueEdge);
  canvas.Outlined(Arrow(10, 16, kArrowY, kShaft, kHead, kHeadLength), kBlue, kBlueEdge);
  canvas.Fill(RasterPath().Rect(7, 0, 9, 16), kRed);
}

// Adjust moves one end of a pair: a double arrow on the bar's right end.
void DrawAdjustTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 0, 11, kBarTop, kBarBottom);
  canvas.Fill(RasterPath().Rect(10, 7, 11, 15), kOrangeEdge);
  canvas.Outlined(DoubleArrow(4, 16, kArrowY, kShaft, kHead, kHeadLength - 0.5f), kBlue,
                  kBlueEdge);
}

void DrawMoveTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 4, 12, kBarTop, kBarBottom);
  canvas.Outlined(Arrow(1, 16, kArrowY, kShaft, kHead, kHeadLength), kBlue, kBlueEdge);
}

void DrawMoveAllTimestamps(RasterCanvas& canvas) {
  DrawPairBar(canvas, 0, 4, kBarTop, kBarBottom);
  DrawPairBar(canvas, 6, 10, kBarTop, kBarBottom);
  DrawPairBar(canvas, 12, 16, kBarTop, kBarBottom);
  canvas.Outlined(Arrow(1, 16, kArrowY, kShaft, kHead, kHeadLength), kBlue, kBlueEdge);
}

}  // namespace toolbar_shapes
