// The drawings of the toolbar images, as shapes for the rasteriser, and the
// few shape builders they share. Each Draw function paints one command's
// image on a kToolbarImageSize square canvas.
#pragma once

#include <vector>

#include "editor/controls/toolbar_raster.h"

namespace toolbar_shapes {

using Points = std::vector<RasterPoint>;

// Palette: a fill and a darker outline per colour.
constexpr RasterColour kGreen = 0xFF43B649, kGreenEdge = 0xFF1D6B26;
constexpr RasterColour kBlue = 0xFF4A86DB, kBlueEdge = 0xFF1D4A8F;
constexpr RasterColour kRed = 0xFFE5483F, kRedEdge = 0xFF8E1E18;
constexpr RasterColour kOrange = 0xFFF6AC35, kOrangeEdge = 0xFF95560A;
constexpr RasterColour kFolder = 0xFFF8D468, kFolderBack = 0xFFE3B443, kFolderEdge = 0xFF98700F;
constexpr RasterColour kPaper = 0xFFFFFFFF, kPaperEdge = 0xFF5C6673, kPaperText = 0xFF8F9BAA;
constexpr RasterColour kSilver = 0xFFC4CAD3, kSilverEdge = 0xFF5F6670;
constexpr RasterColour kBlack = 0xFF000000;

Points Mirrored(Points points);  // left to right across the image
Points Moved(Points points, float scale, float dx, float dy);
// An arrow from x0 to x1 (head at x1) along the line y = cy.
Points Arrow(float x0, float x1, float cy, float shaftHalf, float headHalf, float headLength);
// A horizontal arrow with heads at both ends.
Points DoubleArrow(float x0, float x1, float cy, float shaftHalf, float headHalf,
                   float headLength);
// A plus sign centred at (cx, cy); `turn` 45 makes it a cross.
Points PlusSign(float cx, float cy, float arm, float half, float turnDegrees = 0);
// The bent arrow of Undo, turning left, over the square 0..16.
Points UndoArrow();

// A timestamp pair: an orange bar between two end marks.
void DrawPairBar(RasterCanvas& canvas, float left, float right, float top, float bottom);
// An open folder over the square 0..16, scaled and moved.
void DrawOpenFolder(RasterCanvas& canvas, float scale, float dx, float dy);

void DrawPlay(RasterCanvas& canvas);
void DrawPlayX(RasterCanvas& canvas);
void DrawPlayXX(RasterCanvas& canvas);
void DrawPause(RasterCanvas& canvas);
void DrawStop(RasterCanvas& canvas);
void DrawRewind(RasterCanvas& canvas);
void DrawFastForward(RasterCanvas& canvas);
void DrawAudioOpen(RasterCanvas& canvas);

void DrawUndoTimestamp(RasterCanvas& canvas);
void DrawRedoTimestamp(RasterCanvas& canvas);
void DrawSetTimestamp(RasterCanvas& canvas);
void DrawRemoveTimestamp(RasterCanvas& canvas);
void DrawCombineTimestamps(RasterCanvas& canvas);
void DrawSplitTimestamp(RasterCanvas& canvas);
void DrawAdjustTimestamp(RasterCanvas& canvas);
void DrawMoveTimestamp(RasterCanvas& canvas);
void DrawMoveAllTimestamps(RasterCanvas& canvas);

void DrawOpen(RasterCanvas& canvas);
void DrawSave(RasterCanvas& canvas);
void DrawCopy(RasterCanvas& canvas);
void DrawPaste(RasterCanvas& canvas);
void DrawUndo(RasterCanvas& canvas);
void DrawRedo(RasterCanvas& canvas);
void DrawSetSyncpoint(RasterCanvas& canvas);
void DrawRemoveSyncpoint(RasterCanvas& canvas);

}  // namespace toolbar_shapes
