// The images of the timestamp buttons: each shows timestamp pairs as orange
// bars between end marks, and what the tool does to them.
#include "editor/controls/toolbar_image_shapes.h"

namespace toolbar_shapes {

namespace {

constexpr float kBarTop = 10.5f, kBarBottom = 14.5f;

void DrawSmallUndoArrow(RasterCanvas& canvas, bool redo) {
  Points arrow = Moved(UndoArrow(), 0.62f, 3, 0);
  canvas.Outlined(redo ? Mirrored(arrow) : arrow, kBlue, kBlueEdge);
}

}  // namespace

void DrawUndoTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 1.5f, 14.5f, kBarTop, kBarBottom);
  DrawSmallUndoArrow(canvas, false);
}

void DrawRedoTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 1.5f, 14.5f, kBarTop, kBarBottom);
  DrawSmallUndoArrow(canvas, true);
}

void DrawSetTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 1.5f, 14.5f, kBarTop, kBarBottom);
  canvas.Outlined(PlusSign(8, 4.5f, 4.5f, 1.5f), kGreen, kGreenEdge);
}

void DrawRemoveTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 1.5f, 14.5f, kBarTop, kBarBottom);
  canvas.Outlined(PlusSign(8, 4.5f, 5, 1.4f, 45), kRed, kRedEdge);
}

void DrawCombineTimestamps(RasterCanvas& canvas) {
  DrawPairBar(canvas, 0.5f, 7.5f, kBarTop, kBarBottom);
  DrawPairBar(canvas, 8.5f, 15.5f, kBarTop, kBarBottom);
  canvas.Outlined(Arrow(0.5f, 7.5f, 4.5f, 1, 3.5f, 3.5f), kBlue, kBlueEdge);
  canvas.Outlined(Arrow(15.5f, 8.5f, 4.5f, 1, 3.5f, 3.5f), kBlue, kBlueEdge);
}

void DrawSplitTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 0.5f, 15.5f, kBarTop, kBarBottom);
  canvas.Outlined(Arrow(6.5f, 0.5f, 4.5f, 1, 3.5f, 3.5f), kBlue, kBlueEdge);
  canvas.Outlined(Arrow(9.5f, 15.5f, 4.5f, 1, 3.5f, 3.5f), kBlue, kBlueEdge);
  canvas.Fill(RasterPath().Rect(7, 1, 9, 16), kRedEdge);
  canvas.Fill(RasterPath().Rect(7.5f, 1.5f, 8.5f, 15.5f), kRed);
}

// Adjust moves one end of a pair: a double arrow on the bar's right end.
void DrawAdjustTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 0.5f, 10.5f, kBarTop, kBarBottom);
  canvas.Fill(RasterPath().Rect(9.5f, 6.5f, 10.5f, 16), kOrangeEdge);
  canvas.Outlined(DoubleArrow(4, 16, 4, 1, 3.5f, 3.5f), kBlue, kBlueEdge);
}

void DrawMoveTimestamp(RasterCanvas& canvas) {
  DrawPairBar(canvas, 4.5f, 11.5f, kBarTop, kBarBottom);
  canvas.Outlined(Arrow(1, 15.5f, 4.5f, 1, 3.5f, 4), kBlue, kBlueEdge);
}

void DrawMoveAllTimestamps(RasterCanvas& canvas) {
  DrawPairBar(canvas, 0.5f, 4.5f, kBarTop, kBarBottom);
  DrawPairBar(canvas, 6, 10, kBarTop, kBarBottom);
  DrawPairBar(canvas, 11.5f, 15.5f, kBarTop, kBarBottom);
  canvas.Outlined(Arrow(1, 15.5f, 4.5f, 1, 3.5f, 4), kBlue, kBlueEdge);
}

}  // namespace toolbar_shapes
