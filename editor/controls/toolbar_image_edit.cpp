// The images of the edit toolbar: files, clipboard, undo and syncpoints.
#include "editor/controls/toolbar_image_shapes.h"

namespace toolbar_shapes {

namespace {

// A sheet with a folded corner and lines of text.
void DrawSheet(RasterCanvas& canvas, float left, float top, float right, float bottom) {
  const float fold = 3.5f;
  canvas.Outlined({{left, top}, {right - fold, top}, {right, top + fold}, {right, bottom},
                   {left, bottom}},
                  kPaper, kPaperEdge);
  canvas.Fill(RasterPath().Polygon({{right - fold, top}, {right, top + fold}, {right - fold, top + fold}}),
              kPaperEdge);
  RasterPath lines;
  for (float y = top + 3; y + 1 < bottom - 1; y += 2) lines.Rect(left + 2, y, right - 2, y + 1);
  canvas.Fill(lines, kPaperText);
}

void DrawTextUnits(RasterCanvas& canvas, bool split) {
  const RasterColour unitBlue = 0xFF00B4F0, unitBlueEdge = 0xFF005D85;
  const RasterColour unitAmber = 0xFFFFC800, unitAmberEdge = 0xFF8A6A00;
  if (!split) {
    canvas.Outlined({{0, 10}, {16, 10}, {16, 15}, {0, 15}}, unitBlue, unitBlueEdge);
    return;
  }
  canvas.Outlined({{0, 10}, {7, 10}, {7, 15}, {0, 15}}, unitBlue, unitBlueEdge);
  canvas.Outlined({{9, 10}, {16, 10}, {16, 15}, {9, 15}}, unitAmber, unitAmberEdge);
}

}  // namespace

void DrawOpen(RasterCanvas& canvas) { DrawOpenFolder(canvas, 1, 0, 0); }

void DrawSave(RasterCanvas& canvas) {
  const RasterColour disk = 0xFF3F6FC4, diskEdge = 0xFF1A3A7A;
  canvas.Outlined({{1, 1}, {13, 1}, {15, 3}, {15, 15}, {1, 15}}, disk, diskEdge);
  canvas.Outlined({{4, 1}, {12, 1}, {12, 7}, {4, 7}}, kSilver, kSilverEdge);
  canvas.Fill(RasterPath().Rect(9, 2, 11, 6), kBlack);
  canvas.Outlined({{3, 9}, {13, 9}, {13, 15}, {3, 15}}, kPaper, kPaperEdge);
  canvas.Fill(RasterPath().Rect(5, 11, 11, 12).Rect(5, 13, 11, 14), kPaperText);
}

void DrawCopy(RasterCanvas& canvas) {
  DrawSheet(canvas, 1, 1, 10, 11);
  DrawSheet(canvas, 6, 5, 15, 15);
}

void DrawPaste(RasterCanvas& canvas) {
  const RasterColour board = 0xFFC08A4E, boardEdge = 0xFF6E4719;
  canvas.Outlined({{1, 2}, {12, 2}, {12, 15}, {1, 15}}, board, boardEdge);
  canvas.Outlined({{4, 0}, {9, 0}, {9, 4}, {4, 4}}, kSilver, kSilverEdge);
  DrawSheet(canvas, 6, 6, 15, 15);
}

void DrawUndo(RasterCanvas& canvas) { canvas.Outlined(UndoArrow(), kBlue, kBlueEdge); }

void DrawRedo(RasterCanvas& canvas) { canvas.Outlined(Mirrored(UndoArrow()), kBlue, kBlueEdge); }

// Setting a syncpoint splits a unit of the text in two, coloured apart.
void DrawSetSyncpoint(RasterCanvas& canvas) {
  DrawTextUnits(canvas, true);
  canvas.Fill(RasterPath().Rect(7, 5, 9, 16), kGreenEdge);
  canvas.Outlined({{3, 1}, {13, 1}, {8, 7}}, kGreen, kGreenEdge);
}

// Removing one joins the two units again.
void DrawRemoveSyncpoint(RasterCanvas& canvas) {
  DrawTextUnits(canvas, false);
  canvas.Outlined(PlusSign(8, 4.5f, 5, 1.6f, 45), kRed, kRedEdge);
}

}  // namespace toolbar_shapes
