// The images of the audio toolbar's transport buttons and Audio Open.
#include "editor/controls/toolbar_image_shapes.h"

namespace toolbar_shapes {

void DrawPlay(RasterCanvas& canvas) {
  canvas.Outlined({{3.5f, 1.5f}, {14, 8}, {3.5f, 14.5f}}, kGreen, kGreenEdge);
}

// Play X plays the current timing unit, Play XX on to the end of its line:
// a play sign over one unit, or over the units of a line.
void DrawPlayX(RasterCanvas& canvas) {
  canvas.Outlined({{4.5f, 0.5f}, {12, 5}, {4.5f, 9.5f}}, kGreen, kGreenEdge);
  DrawPairBar(canvas, 4, 12, 11.5f, 14.5f);
}

void DrawPlayXX(RasterCanvas& canvas) {
  canvas.Outlined({{4.5f, 0.5f}, {12, 5}, {4.5f, 9.5f}}, kGreen, kGreenEdge);
  DrawPairBar(canvas, 0.5f, 7.5f, 11.5f, 14.5f);
  DrawPairBar(canvas, 8.5f, 15.5f, 11.5f, 14.5f);
}

void DrawPause(RasterCanvas& canvas) {
  canvas.Outlined({{3, 2}, {7, 2}, {7, 14}, {3, 14}}, kBlue, kBlueEdge);
  canvas.Outlined({{9, 2}, {13, 2}, {13, 14}, {9, 14}}, kBlue, kBlueEdge);
}

void DrawStop(RasterCanvas& canvas) {
  canvas.Outlined({{2.5f, 2.5f}, {13.5f, 2.5f}, {13.5f, 13.5f}, {2.5f, 13.5f}}, kRed, kRedEdge);
}

void DrawFastForward(RasterCanvas& canvas) {
  canvas.Outlined({{1, 3}, {8, 8}, {1, 13}}, kBlue, kBlueEdge);
  canvas.Outlined({{8, 3}, {15, 8}, {8, 13}}, kBlue, kBlueEdge);
}

void DrawRewind(RasterCanvas& canvas) {
  canvas.Outlined(Mirrored({{1, 3}, {8, 8}, {1, 13}}), kBlue, kBlueEdge);
  canvas.Outlined(Mirrored({{8, 3}, {15, 8}, {8, 13}}), kBlue, kBlueEdge);
}

// A folder with a note on it.
void DrawAudioOpen(RasterCanvas& canvas) {
  DrawOpenFolder(canvas, 0.8f, 0, 3.2f);
  const RasterColour note = 0xFF3A3F9E, noteEdge = 0xFFFFFFFF;
  RasterPath halo;
  halo.Circle(11, 11.5f, 3.2f).Rect(12.2f, 0, 15.2f, 11).Polygon({{12.2f, 0}, {16, 3}, {16, 7}, {12.2f, 4.5f}});
  canvas.Fill(halo, noteEdge);
  RasterPath glyph;
  glyph.Circle(11, 11.5f, 2.2f).Rect(12.2f, 1, 13.4f, 11.5f).Polygon(
      {{12.2f, 1}, {15.5f, 3.5f}, {15.5f, 6}, {12.2f, 3.6f}});
  canvas.Fill(glyph, note);
}

}  // namespace toolbar_shapes
