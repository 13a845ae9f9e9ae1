// The timing tools on mouse and keyboard input. A mouse action is one
// change: the tools plan it from the pairs as they were at the press and
// show the plan while the button is down; the release commits it as one
// undo step.
#include <algorithm>
#include <cstdlib>

#include "filters/lyrics_display/strip_window.h"

namespace {

// Columns the mouse must travel before a press becomes a drag, and how near
// an edge Adjust takes hold of it.
constexpr int kDragColumns = 3;
constexpr int kEdgeColumns = 6;

bool KeyRepeats(LPARAM flags) { return (flags & (LPARAM(1) << 30)) != 0; }

}  // namespace

int StripWindow::PairAtColumn(int x) const {
  const PairList& pairs = model_.pairs;
  int held = PairHolding(pairs, XToTime(view_, x));
  if (held >= 0) return held;
  // A box narrower than a column or two is still hit on its column.
  size_t i = FirstPairEndingAfter(pairs, XToTime(view_, x - 1));
  if (i < pairs.size() && std::abs(TimeToX(view_, pairs[i].start) - x) <= 1.5) return int(i);
  return -1;
}

bool StripWindow::NearestEdge(int x, int* pair, PairEdge* edge) const {
  const PairList& pairs = model_.pairs;
  size_t from = FirstPairEndingAfter(pairs, XToTime(view_, x - kEdgeColumns) - 1);
  double best = kEdgeColumns + 0.5;
  int holding = PairHolding(pairs, XToTime(view_, x));
  for (size_t i = from; i < pairs.size() && TimeToX(view_, pairs[i].start) <= x + kEdgeColumns;
       ++i) {
    for (PairEdge e : {PairEdge::kStart, PairEdge::kEnd}) {
      double distance = std::abs(TimeToX(view_, e == PairEdge::kStart ? pairs[i].start
                                                                       : pairs[i].end) - x);
      // Where two pairs touch, the one under the mouse wins.
      if (distance < best || (distance == best && int(i) == holding)) {
        best = distance;
        *pair = int(i);
        *edge = e;
      }
    }
  }
  return best <= kEdgeColumns;
}

void StripWindow::RequestSeek(int x) {
  int32_t time = XToTime(view_, x);
  int32_t length;
  {
    Locked hold(model_.lock);
    length = model_.songLength;
  }
  if (length > 0) time = std::min(time, length - 1);
  time = std::max(time, 0);
  if (time == lastSeekRequest_) return;
  lastSeekRequest_ = time;
  Post(kMsgSeekRequest, LPARAM(time));
}

void StripWindow::OnButtonDown(int x, int y, bool doubleClick) {
  SetFocus(hwnd_);
  if (gesture_.kind != Gesture::kNone) return;
  int32_t tool;
  {
    Locked hold(model_.lock);
    tool = model_.tool;
  }
  bool timing = tool == kToolSet && host_.IsRunning();
  if (y < kRulerHeight) {
    gesture_.kind = Gesture::kRuler;
    lastSeekRequest_ = -1;
    SetCapture(hwnd_);
    RequestSeek(x);
    return;
  }
  if (timing) {
    // Taps come fast: a second press counts as a press, not a double click.
    BeginLiveStamp(false);
    if (gesture_.kind == Gesture::kLiveStamp) SetCapture(hwnd_);
    return;
  }
  if (doubleClick) {
    Post(kMsgPlayOrPause, 0);
    return;
  }
  GestureState g;
  g.kind = Gesture::kPending;
  g.pressX = x;
  g.pressTime = XToTime(view_, x);
  {
    Locked hold(model_.lock);
    g.base = model_.pairs;
    g.pair = PairAtColumn(x);
    if (tool == kToolAdjust) g.onEdge = NearestEdge(x, &g.edgePair, &g.edge);
  }
  gesture_ = std::move(g);
  SetCapture(hwnd_);
}

void StripWindow::OnMouseMove(int x) {
  if (gesture_.kind == Gesture::kRuler) {
    RequestSeek(x);
  } else if (gesture_.kind == Gesture::kPending) {
    if (!gesture_.moved && std::abs(x - gesture_.pressX) < kDragColumns) return;
    gesture_.moved = true;
    Replan(x);
  }
}

void StripWindow::Replan(int x) {
  int32_t delta = XToTime(view_, x) - gesture_.pressTime;
  const PairList& base = gesture_.base;
  PairEdit plan;
  bool planned = false;
  {
    Locked hold(model_.lock);
    PairBounds bounds = model_.Bounds();
    size_t i = size_t(gesture_.pair);
    switch (model_.tool) {
      case kToolSet:
        planned = PlanDraggedStamp(base, bounds, gesture_.pressTime, XToTime(view_, x), &plan);
        break;
      case kToolAdjust:
        if (gesture_.onEdge) {
          size_t e = size_t(gesture_.edgePair);
          int32_t edge = gesture_.edge == PairEdge::kStart ? base[e].start : base[e].end;
          planned = PlanAdjust(base, bounds, e, gesture_.edge, edge + delta, &plan);
        }
        break;
      case kToolMove:
        planned = gesture_.pair >= 0 && PlanMove(base, bounds, i, delta, &plan);
        break;
      case kToolMoveAll:
        planned = PlanMoveAll(base, bounds, delta, &plan);
        break;
      default:
        break;
    }
    gesture_.planned = planned;
    if (planned) {
      gesture_.plan = std::move(plan);
      gesture_.preview = base;
      ApplyPairEdit(gesture_.preview, gesture_.plan, nullptr);
    }
  }
  Redraw();
}

void StripWindow::OnButtonUp(int x) {
  if (gesture_.kind == Gesture::kNone || gesture_.byKey) return;
  FinishGesture(x);
}

void StripWindow::ClickOn(int x) {
  PairEdit edit;
  bool planned = false;
  int chosen = -1;
  {
    Locked hold(model_.lock);
    int i = gesture_.pair;
    if (i < 0 || i != PairAtColumn(x) || model_.pairs != gesture_.base) return;
    switch (model_.tool) {
      case kToolRemove: planned = PlanRemove(model_.pairs, size_t(i), &edit); break;
      case kToolCombine: planned = PlanCombine(model_.pairs, size_t(i), &edit); break;
      case kToolSplit: planned = PlanSplit(model_.pairs, size_t(i), gesture_.pressTime, &edit); break;
      default: chosen = i; break;
    }
  }
  if (planned) Commit(edit);
  if (chosen >= 0) Post(kMsgUnitChosen, LPARAM(chosen));
}

void StripWindow::FinishGesture(int x) {
  GestureState g = std::move(gesture_);
  gesture_ = GestureState();
  if (GetCapture() == hwnd_) ReleaseCapture();
  if (g.kind == Gesture::kLiveStamp) {
    int32_t now = g.releaseTime;
    if (host_.IsRunning() && host_.PlayingPosition(&now)) cursor_ = now;
    PairEdit edit;
    bool planned;
    {
      Locked hold(model_.lock);
      planned = PlanLiveStamp(model_.pairs, model_.Bounds(), g.pressTime,
                              std::max(now, g.releaseTime), &edit);
    }
    if (planned) Commit(edit);
  } else if (g.kind == Gesture::kPending) {
    if (g.moved && g.planned) {
      Commit(g.plan);
    } else if (!g.moved) {
      gesture_ = std::move(g);
      ClickOn(x);
      gesture_ = GestureState();
    }
  }
  Redraw();
}

void StripWindow::CancelGesture() {
  bool captured = GetCapture() == hwnd_;
  gesture_ = GestureState();
  if (captured) ReleaseCapture();
  Redraw();
}

void StripWindow::OnCaptureLost() {
  // Someone else took the mouse: a unit being timed still ends now, any
  // other drag is abandoned.
  if (gesture_.kind == Gesture::kLiveStamp && !gesture_.byKey) {
    FinishGesture(0);
  } else if (gesture_.kind == Gesture::kPending || gesture_.kind == Gesture::kRuler) {
    gesture_ = GestureState();
    Redraw();
  }
}

void StripWindow::BeginLiveStamp(bool byKey) {
  int32_t now = 0;
  if (!host_.PlayingPosition(&now)) return;
  cursor_ = now;
  GestureState g;
  g.kind = Gesture::kLiveStamp;
  g.byKey = byKey;
  g.pressTime = now;
  g.releaseTime = now;
  {
    Locked hold(model_.lock);
    g.base = model_.pairs;
    g.planned = PlanLiveStamp(g.base, model_.Bounds(), now, now, &g.plan);
  }
  // Every unit has its pair: nothing to time.
  if (!g.planned) return;
  g.preview = g.base;
  ApplyPairEdit(g.preview, g.plan, nullptr);
  gesture_ = std::move(g);
  Redraw();
}

void StripWindow::UpdateLiveStamp(int32_t time) {
  gesture_.releaseTime = std::max(gesture_.releaseTime, time);
  Locked hold(model_.lock);
  if (PlanLiveStamp(gesture_.base, model_.Bounds(), gesture_.pressTime, gesture_.releaseTime,
                    &gesture_.plan)) {
    gesture_.preview = gesture_.base;
    ApplyPairEdit(gesture_.preview, gesture_.plan, nullptr);
  }
  Redraw();
}

void StripWindow::Commit(const PairEdit& edit) {
  size_t first = 0;
  bool done;
  {
    Locked hold(model_.lock);
    done = model_.history.Apply(model_.pairs, edit, &first);
  }
  if (done) Post(kMsgPairsChanged, LPARAM(first));
  Redraw();
}

void StripWindow::OnKeyDown(WPARAM key, LPARAM flags) {
  switch (key) {
    case VK_SPACE: {
      if (KeyRepeats(flags) || gesture_.kind != Gesture::kNone) return;
      int32_t tool;
      {
        Locked hold(model_.lock);
        tool = model_.tool;
      }
      if (tool == kToolSet && host_.IsRunning()) {
        BeginLiveStamp(true);
      } else {
        Post(kMsgPlayOrPause, 0);
      }
      return;
    }
    case VK_RETURN:
      if (KeyRepeats(flags) || !host_.IsRunning()) return;
      if (gesture_.kind == Gesture::kLiveStamp) FinishGesture(0);
      Post(kMsgPlayOrPause, 0);
      return;
    case VK_BACK:
      if (gesture_.kind == Gesture::kNone) UndoOrRedo(false);
      return;
    case VK_ESCAPE:
      CancelGesture();
      return;
    default:
      return;
  }
}

void StripWindow::OnKeyUp(WPARAM key) {
  if (key == VK_SPACE && gesture_.kind == Gesture::kLiveStamp && gesture_.byKey) {
    FinishGesture(0);
  }
}
