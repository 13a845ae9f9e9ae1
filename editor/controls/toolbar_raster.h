// A small anti-aliasing rasteriser for the toolbar images: paths of
// polygons filled with the nonzero rule and composited over a canvas.
// Coordinates are in pixels; pixel (x, y) covers [x, x+1) x [y, y+1), so a
// rectangle with integer corners has crisp edges.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

struct RasterPoint {
  float x;
  float y;
};

// Colours are 0xAARRGGBB, not premultiplied.
using RasterColour = uint32_t;

// A set of closed contours. Outlines all turn one way, so that
// overlapping shapes of one path unite; holes turn the other way.
class RasterPath {
 public:
  RasterPath& Polygon(std::initializer_list<RasterPoint> points);
  RasterPath& Polygon(const std::vector<RasterPoint>& points);
  RasterPath& Hole(const std::vector<RasterPoint>& points);
  RasterPath& Rect(float left, float top, float right, float bottom);
  RasterPath& Circle(float cx, float cy, float radius);
  // A straight band `width` wide along the segment, with square ends.
  RasterPath& Line(RasterPoint from, RasterPoint to, float width);
  // A band `width` wide along a circular arc; angles in degrees,
  // counter-clockwise on the screen from the positive x axis.
  RasterPath& Arc(float cx, float cy, float radius, float fromDegrees, float toDegrees,
                  float width);

  const std::vector<std::vector<RasterPoint>>& contours() const { return contours_; }

 private:
  std::vector<std::vector<RasterPoint>> contours_;
};

// The points of a polygon moved `distance` inwards along its edges' normals
// (mitred corners); for outlining a shape with a band of that width.
std::vector<RasterPoint> InsetPolygon(const std::vector<RasterPoint>& points, float distance);
// Points of a circular arc from one angle to another (degrees, as above).
std::vector<RasterPoint> ArcPoints(float cx, float cy, float radius, float fromDegrees,
                                   float toDegrees);

class RasterCanvas {
 public:
  RasterCanvas(int width, int height);

  // Composites the path's coverage in `colour` over what is there.
  void Fill(const RasterPath& path, RasterColour colour);
  // Fills a polygon with `fill` and draws a band of `outlineWidth` inside
  // its edge in `outline`.
  void Outlined(const std::vector<RasterPoint>& points, RasterColour fill, RasterColour outline,
                float outlineWidth = 1.0f);

  int width() const { return width_; }
  int height() const { return height_; }
  // The pixels top-down, blue, green, red, alpha from the lowest byte,
  // alpha not premultiplied.
  std::vector<uint32_t> Pixels() const;

 private:
  std::vector<float> Coverage(const RasterPath& path) const;

  int width_;
  int height_;
  std::vector<float> premultiplied_;  // red, green, blue, alpha per pixel
};
