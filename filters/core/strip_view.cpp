#include "filters/core/strip_view.h"

#include <algorithm>
#include <cmath>

namespace {

double MaximumSpan(const StripView& view) {
  return std::max<double>(view.songLength, kMinimumSpan);
}

// Scale for `span` centiseconds over the view's width, within the zoom range.
double ClampedScale(const StripView& view, double scale) {
  if (view.width <= 0) return scale;
  double span = std::min(std::max(scale * view.width, double(kMinimumSpan)), MaximumSpan(view));
  return span / view.width;
}

}  // namespace

StripView MakeStripView(int width, int32_t songLength) {
  StripView view;
  view.width = std::max(width, 0);
  view.songLength = std::max<int32_t>(songLength, 0);
  double span = kDefaultSpan;
  if (view.songLength > 0) span = std::min<double>(span, view.songLength);
  span = std::max<double>(span, kMinimumSpan);
  view.scale = view.width > 0 ? span / view.width : 1;
  return view;
}

double ViewSpan(const StripView& view) { return view.scale * view.width; }

double TimeToX(const StripView& view, double t) { return (t - view.origin) / view.scale; }

int32_t XToTime(const StripView& view, int x) {
  return static_cast<int32_t>(std::lround(view.origin + x * view.scale));
}

void ResizeView(StripView& view, int width) {
  if (view.width <= 0) {
    // A view that had no width yet gets the span a new view shows.
    double origin = view.origin;
    view = MakeStripView(width, view.songLength);
    view.origin = origin;
    ClampView(view);
    return;
  }
  view.width = std::max(width, 0);
  view.scale = ClampedScale(view, view.scale);
  ClampView(view);
}

void ZoomView(StripView& view, int x, double factor) {
  if (view.width <= 0 || !(factor > 0)) return;
  double anchor = view.origin + x * view.scale;
  view.scale = ClampedScale(view, view.scale * factor);
  view.origin = anchor - x * view.scale;
  ClampView(view);
}

void PanView(StripView& view, double columns) {
  view.origin += columns * view.scale;
  ClampView(view);
}

void ClampView(StripView& view) {
  double latest = std::max(0.0, double(view.songLength) - ViewSpan(view));
  view.origin = std::min(std::max(view.origin, 0.0), latest);
}

bool FollowPosition(StripView& view, int32_t t) {
  if (view.width <= 0) return false;
  double span = ViewSpan(view);
  if (t >= view.origin && t < view.origin + span * 0.9) return false;
  double before = view.origin;
  view.origin = t - span * 0.1;
  ClampView(view);
  return view.origin != before;
}
