#include "editor/controls/toolbar_image_shapes.h"

#include <cmath>

#include "editor/controls/toolbar_images.h"

namespace toolbar_shapes {

Points Mirrored(Points points) {
  for (RasterPoint& point : points) point.x = kToolbarImageSize - point.x;
  return points;
}

Points Moved(Points points, float scale, float dx, float dy) {
  for (RasterPoint& point : points) point = {point.x * scale + dx, point.y * scale + dy};
  return points;
}

Points Arrow(float x0, float x1, float cy, float shaftHalf, float headHalf, float headLength) {
  float neck = x1 > x0 ? x1 - headLength : x1 + headLength;
  return {{x0, cy - shaftHalf},   {neck, cy - shaftHalf}, {neck, cy - headHalf}, {x1, cy},
          {neck, cy + headHalf},  {neck, cy + shaftHalf}, {x0, cy + shaftHalf}};
}

Points DoubleArrow(float x0, float x1, float cy, float shaftHalf, float headHalf,
                   float headLength) {
  float leftNeck = x0 + headLength, rightNeck = x1 - headLength;
  return {{x0, cy},
          {leftNeck, cy - headHalf},
          {leftNeck, cy - shaftHalf},
          {rightNeck, cy - shaftHalf},
          {rightNeck, cy - headHalf},
          {x1, cy},
          {rightNeck, cy + headHalf},
          {rightNeck, cy + shaftHalf},
          {leftNeck, cy + shaftHalf},
          {leftNeck, cy + headHalf}};
}

Points PlusSign(float cx, float cy, float arm, float half, float turnDegrees) {
  const Points quarter = {{half, -arm}, {half, -half}, {arm, -half}};
  float angle = turnDegrees * 3.14159265f / 180;
  float c = std::cos(angle), s = std::sin(angle);
  Points points;
  for (int turn = 0; turn < 4; ++turn) {
    for (RasterPoint p : quarter) {
      for (int i = 0; i < turn; ++i) p = {-p.y, p.x};
      points.push_back({cx + p.x * c - p.y * s, cy + p.x * s + p.y * c});
    }
  }
  return points;
}

Points UndoArrow() {
  // A thick band bending over the top from the lower right, ending at the
  // left in a head that points down.
  const float cx = 9, cy = 9.5f, outer = 6, inner = 2.8f;
  Points points = ArcPoints(cx, cy, outer, -35, 180);
  points.push_back({0.3f, cy});
  points.push_back({cx - (outer + inner) / 2, cy + 5.5f});
  points.push_back({cx - inner + 2.6f, cy});
  Points back = ArcPoints(cx, cy, inner, 180, -35);
  points.insert(points.end(), back.begin(), back.end());
  return points;
}

void DrawPairBar(RasterCanvas& canvas, float left, float right, float top, float bottom) {
  canvas.Outlined({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, kOrange,
                  kOrangeEdge);
  RasterPath marks;
  marks.Rect(left, top - 1, left + 1, bottom + 1).Rect(right - 1, top - 1, right, bottom + 1);
  canvas.Fill(marks, kOrangeEdge);
}

void DrawOpenFolder(RasterCanvas& canvas, float scale, float dx, float dy) {
  canvas.Outlined(Moved({{0, 2}, {6, 2}, {7, 3}, {14, 3}, {14, 14}, {0, 14}}, scale, dx, dy),
                  kFolderBack, kFolderEdge);
  canvas.Outlined(Moved({{3.5f, 7}, {16, 7}, {13, 14}, {0, 14}}, scale, dx, dy), kFolder,
                  kFolderEdge);
}

}  // namespace toolbar_shapes
