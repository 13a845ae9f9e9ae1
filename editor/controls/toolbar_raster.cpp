#include "editor/controls/toolbar_raster.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.14159265358979f;
// Sub-rows sampled per pixel row; columns are covered exactly.
constexpr int kSubRows = 16;

float SignedArea(const std::vector<RasterPoint>& points) {
  float area = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    const RasterPoint& a = points[i];
    const RasterPoint& b = points[(i + 1) % points.size()];
    area += a.x * b.y - b.x * a.y;
  }
  return area / 2;
}

std::vector<RasterPoint> Oriented(std::vector<RasterPoint> points, bool outline) {
  if ((SignedArea(points) > 0) != outline) std::reverse(points.begin(), points.end());
  return points;
}

struct Crossing {
  float x;
  int winding;
};

}  // namespace

RasterPath& RasterPath::Polygon(std::initializer_list<RasterPoint> points) {
  return Polygon(std::vector<RasterPoint>(points));
}

RasterPath& RasterPath::Polygon(const std::vector<RasterPoint>& points) {
  if (points.size() >= 3) contours_.push_back(Oriented(points, true));
  return *this;
}

RasterPath& RasterPath::Hole(const std::vector<RasterPoint>& points) {
  if (points.size() >= 3) contours_.push_back(Oriented(points, false));
  return *this;
}

RasterPath& RasterPath::Rect(float left, float top, float right, float bottom) {
  return Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

RasterPath& RasterPath::Circle(float cx, float cy, float radius) {
  std::vector<RasterPoint> points = ArcPoints(cx, cy, radius, 0, 360);
  points.pop_back();
  return Polygon(points);
}

RasterPath& RasterPath::Line(RasterPoint from, RasterPoint to, float width) {
  float dx = to.x - from.x, dy = to.y - from.y;
  float length = std::sqrt(dx * dx + dy * dy);
  if (length == 0) return *this;
  float nx = -dy / length * width / 2, ny = dx / length * width / 2;
  return Polygon({{from.x + nx, from.y + ny},
                  {to.x + nx, to.y + ny},
                  {to.x - nx, to.y - ny},
                  {from.x - nx, from.y - ny}});
}

RasterPath& RasterPath::Arc(float cx, float cy, float radius, float fromDegrees,
                            float toDegrees, float width) {
  std::vector<RasterPoint> outer = ArcPoints(cx, cy, radius + width / 2, fromDegrees, toDegrees);
  std::vector<RasterPoint> inner = ArcPoints(cx, cy, radius - width / 2, fromDegrees, toDegrees);
  outer.insert(outer.end(), inner.rbegin(), inner.rend());
  return Polygon(outer);
}

std::vector<RasterPoint> ArcPoints(float cx, float cy, float radius, float fromDegrees,
                                   float toDegrees) {
  int steps = std::max(2, static_cast<int>(std::fabs(toDegrees - fromDegrees) / 7.5f));
  std::vector<RasterPoint> points;
  for (int i = 0; i <= steps; ++i) {
    float angle = (fromDegrees + (toDegrees - fromDegrees) * i / steps) * kPi / 180;
    points.push_back({cx + radius * std::cos(angle), cy - radius * std::sin(angle)});
  }
  return points;
}

std::vector<RasterPoint> InsetPolygon(const std::vector<RasterPoint>& points, float distance) {
  size_t n = points.size();
  float side = SignedArea(points) > 0 ? 1.0f : -1.0f;
  auto inwardNormal = [&](const RasterPoint& a, const RasterPoint& b) {
    float dx = b.x - a.x, dy = b.y - a.y;
    float length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) return RasterPoint{0, 0};
    return RasterPoint{-dy / length * side, dx / length * side};
  };
  std::vector<RasterPoint> inset;
  for (size_t i = 0; i < n; ++i) {
    RasterPoint n1 = inwardNormal(points[(i + n - 1) % n], points[i]);
    RasterPoint n2 = inwardNormal(points[i], points[(i + 1) % n]);
    // The offset edges meet at vertex + (n1 + n2) / (1 + n1.n2) * distance;
    // very sharp corners are limited so that their mitre stays short.
    float scale = distance / std::max(0.15f, 1 + n1.x * n2.x + n1.y * n2.y);
    inset.push_back({points[i].x + (n1.x + n2.x) * scale, points[i].y + (n1.y + n2.y) * scale});
  }
  return inset;
}

RasterCanvas::RasterCanvas(int width, int height)
    : width_(width), height_(height), premultiplied_(static_cast<size_t>(width) * height * 4) {}

std::vector<float> RasterCanvas::Coverage(const RasterPath& path) const {
  std::vector<float> coverage(static_cast<size_t>(width_) * height_);
  std::vector<Crossing> crossings;
  for (int subRow = 0; subRow < height_ * kSubRows; ++subRow) {
    float y = (subRow + 0.5f) / kSubRows;
    crossings.clear();
    for (const std::vector<RasterPoint>& contour : path.contours()) {
      for (size_t i = 0; i < contour.size(); ++i) {
        const RasterPoint& a = contour[i];
        const RasterPoint& b = contour[(i + 1) % contour.size()];
        if ((a.y <= y && y < b.y) || (b.y <= y && y < a.y)) {
          float x = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
          crossings.push_back({x, a.y < b.y ? 1 : -1});
        }
      }
    }
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
    float* row = &coverage[static_cast<size_t>(subRow / kSubRows) * width_];
    int winding = 0;
    float spanStart = 0;
    for (const Crossing& crossing : crossings) {
      int before = winding;
      winding += crossing.winding;
      if (before == 0 && winding != 0) spanStart = crossing.x;
      if (before == 0 || winding != 0) continue;
      float left = std::max(0.0f, spanStart), right = std::min<float>(width_, crossing.x);
      for (int x = static_cast<int>(std::floor(left)); x < width_ && x < right; ++x) {
        float part = std::min(right, x + 1.0f) - std::max(left, static_cast<float>(x));
        if (part > 0) row[x] += part / kSubRows;
      }
    }
  }
  return coverage;
}

void RasterCanvas::Fill(const RasterPath& path, RasterColour colour) {
  float alpha = (colour >> 24) / 255.0f;
  float channels[3] = {((colour >> 16) & 0xFF) / 255.0f, ((colour >> 8) & 0xFF) / 255.0f,
                       (colour & 0xFF) / 255.0f};
  std::vector<float> coverage = Coverage(path);
  for (size_t i = 0; i < coverage.size(); ++i) {
    float a = std::min(1.0f, coverage[i]) * alpha;
    if (a <= 0) continue;
    float* pixel = &premultiplied_[i * 4];
    for (int c = 0; c < 3; ++c) pixel[c] = channels[c] * a + pixel[c] * (1 - a);
    pixel[3] = a + pixel[3] * (1 - a);
  }
}

void RasterCanvas::Outlined(const std::vector<RasterPoint>& points, RasterColour fill,
                            RasterColour outline, float outlineWidth) {
  Fill(RasterPath().Polygon(points), outline);
  Fill(RasterPath().Polygon(InsetPolygon(points, outlineWidth)), fill);
}

std::vector<uint32_t> RasterCanvas::Pixels() const {
  std::vector<uint32_t> pixels(static_cast<size_t>(width_) * height_);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const float* pixel = &premultiplied_[i * 4];
    float a = pixel[3];
    if (a <= 0) continue;
    auto channel = [&](float premultiplied) {
      return static_cast<uint32_t>(std::lround(std::min(1.0f, premultiplied / a) * 255));
    };
    uint32_t alpha = static_cast<uint32_t>(std::lround(std::min(1.0f, a) * 255));
    if (alpha == 0) continue;
    pixels[i] = alpha << 24 | channel(pixel[0]) << 16 | channel(pixel[1]) << 8 | channel(pixel[2]);
  }
  return pixels;
}
