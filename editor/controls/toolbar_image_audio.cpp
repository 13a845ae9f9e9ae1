// The images of the audio toolbar's transport buttons and Audio Open.
#include "editor/controls/toolbar_image_shapes.h"

namespace toolbar_shapes {

void DrawPlay(RasterCanvas& canvas) {
  canvas.Outlined({{4, 2}, {14, 8}, {4, 14}}, kGreen, kGreenEdge);
}

// Play X plays the current timing unit, Play XX on to the end of its line:
// a play sign over one unit, or over the units of a line.
void DrawPlayX(RasterCanvas& canvas) {
  canvas.Outlined({{5, 0}, {12, 4.5f}, {5, 9}}, kGreen, kGreenEdge);
  DrawPairBar(canvas, 4, 12, 11, 14);
}

void DrawPlayXX(RasterCanvas& canvas) {
  canvas.Outlined({{5, 0}, {12, 4.5f}, {5, 9}}, kGreen, kGreenEdge);
  DrawPairBar(canvas, 0, 7, 11, 14);
  DrawPairBar(canvas, 9, 16, 11, 14);
}

void DrawPause(RasterCanvas& canvas) {
  canvas.Outlined({{3, 2}, {7, 2}, {7, 14}, {3, 14}}, kBlue, kBlueEdge);
  canvas.Outlined({{9, 2}, {13, 2}, {13, 14}, {9, 14}}, kBlue, kBlueEdge);
}

void DrawStop(RasterCanvas& canvas) {
  canvas.Outlined({{3, 3}, {13, 3}, {13, 13}, {3, 13}}, kRed, kRedEdge);
}

void DrawFastForward(RasterCanvas& canvas) {
  canvas.Outlined({{1, 3}, {8, 8}, {1, 13}}, kBlue, kBlueEdge);
  canvas.Outlined({{8, 3}, {15, 8}, {8, 13}}, kBlue, kBlueEdge);
}

void DrawRewind(RasterCanvas& canvas) {
  canvas.Outlined(Mirrored({{1, 3}, {8, 8}, {1, 13}}), kBlue, kBlueEdge);
  canvas.Outlined(Mirrored({{8, 3}, {15, 8}, {8, 13}}), kBlue, kBlueEdge);
}

// A folder with a note on it; a white rim keeps the note apart from the
// folder.
void DrawAudioOpen(RasterCanvas& canvas) {
  DrawOpenFolder(canvas, 0.85f, 0, 2);
  const Points flag = {{11, 1}, {13, 1}, {16, 4.5f}, {16, 8}, {13, 4.5f}};
  RasterPath rim, note;
  rim.Circle(10, 12.5f, 3.5f).Rect(10, 0, 14, 13).Polygon(InsetPolygon(flag, -1));
  note.Circle(10, 12.5f, 2.5f).Rect(11, 1, 13, 12.5f).Polygon(flag);
  canvas.Fill(rim, kPaper);
  canvas.Fill(note, 0xFF343A9A);
}

}  // namespace toolbar_shapes
