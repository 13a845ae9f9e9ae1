// Which stretch of the song the strip shows: the time at its left edge and
// the centiseconds per pixel column, with the zoom held between a couple of
// seconds and the whole song, and paging that keeps the play cursor in view.
#pragma once

#include <cstdint>

struct StripView {
  int width = 0;          // pixel columns
  double origin = 0;      // centiseconds at the left edge of column 0
  double scale = 1;       // centiseconds per column
  int32_t songLength = 0; // centiseconds; 0 before a song is loaded
};

// The narrowest span the zoom reaches, and the span a new view shows.
constexpr int32_t kMinimumSpan = 200;
constexpr int32_t kDefaultSpan = 1000;

// A view of `width` columns showing the song's start, kDefaultSpan wide (or
// the whole song when it is shorter).
StripView MakeStripView(int width, int32_t songLength);

// Centiseconds the view spans.
double ViewSpan(const StripView& view);

// The x of time t (the left edge of its column; may lie outside the strip),
// and the time at column x's left edge, rounded to a centisecond.
double TimeToX(const StripView& view, double t);
int32_t XToTime(const StripView& view, int x);

// New width in columns; the scale is kept where the span allows (a view
// without width so far takes the default span).
void ResizeView(StripView& view, int width);

// Zooms by `factor` (above 1 shows more of the song) keeping the time under
// column x where it is; holds the span between kMinimumSpan and the whole
// song.
void ZoomView(StripView& view, int x, double factor);

// Scrolls by `columns` (positive: later), within the song.
void PanView(StripView& view, double columns);

// Keeps the left edge within the song: not before 0 and, where the song is
// longer than the span, not so late that the strip ends after the song.
void ClampView(StripView& view);

// Pages so that the play position t stays in view: when it is left of the
// strip or in its last tenth, the strip moves to put t a tenth in from the
// left. True when the view moved.
bool FollowPosition(StripView& view, int32_t t);
