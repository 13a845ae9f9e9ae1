// The lyrics display's window: draws the strip and carries out the timing
// tools on mouse and keyboard input. One object per window, its pointer in
// the window's user data. The window belongs to the thread that created it
// (the application's); other threads only post to it.
#pragma once

#include <windows.h>

#include <strmif.h>

#include <cstdint>
#include <optional>

#include "display/win32/gdi_holders.h"
#include "filters/lyrics_display/strip_fonts.h"
#include "filters/lyrics_display/strip_model.h"
#include "filters/lyrics_display/strip_painter.h"

// What the window needs from its filter.
class StripHost {
 public:
  // The graph's playing position in centiseconds; false outside a graph.
  virtual bool PlayingPosition(int32_t* time) = 0;
  virtual FILTER_STATE GraphState() = 0;
  bool IsRunning() { return GraphState() == State_Running; }

 protected:
  ~StripHost() = default;
};

class StripWindow {
 public:
  StripWindow(StripModel& model, StripHost& host);
  ~StripWindow();
  StripWindow(const StripWindow&) = delete;
  StripWindow& operator=(const StripWindow&) = delete;

  // Creates the (hidden, unowned) window on the calling thread.
  bool Create();
  HWND Handle() const { return hwnd_; }
  HWND Drain() const { return drain_; }
  void SetDrain(HWND drain) { drain_ = drain; }
  // Shows the window when the graph pauses or runs.
  bool AutoShow() const { return autoShow_; }
  void SetAutoShow(bool on) { autoShow_ = on; }
  // No mouse pointer over the window.
  bool CursorHidden() const { return cursorHidden_; }
  void SetCursorHidden(bool hidden) { cursorHidden_ = hidden; }
  // The last play position seen, centiseconds.
  int32_t Cursor() const { return cursor_; }

  // From any thread: the graph's state changed, or it sought (the window
  // then reports the new position).
  void PostStateChanged();
  void PostSought();

  // On the window's thread, after the model changed from outside:
  // the pairs were replaced (a gesture under way is dropped), the font or
  // the song changed, or anything else needs a repaint.
  void PairsReplaced();
  void FontChanged();
  void SongChanged();
  void Redraw();
  // Undo or redo from the editor or the keyboard; posts the change.
  bool UndoOrRedo(bool redo);

 private:
  enum class Gesture { kNone, kRuler, kLiveStamp, kPending };
  struct GestureState {
    Gesture kind = Gesture::kNone;
    bool byKey = false;          // Space held as the button
    bool moved = false;
    int pressX = 0;
    int32_t pressTime = 0;       // time under the press; playing position when live
    int32_t releaseTime = 0;     // latest end of a live stamp
    int pair = -1;               // the pair pressed on
    int edgePair = -1;           // Adjust: the pair whose edge is held
    PairEdge edge = PairEdge::kStart;
    bool onEdge = false;
    PairList base;               // the pairs when the gesture began
    PairEdit plan;
    bool planned = false;
    PairList preview;            // base with plan applied
  };

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  // strip_window.cpp
  void OnPaint();
  void OnSize(int width, int height);
  void OnTimer();
  void OnStateChanged();
  void OnSought();
  void OnWheel(WPARAM wParam, LPARAM lParam, bool horizontal);
  bool OnSetCursor(LPARAM lParam);
  // Reads the position, reports it to the drain, moves the cursor and the
  // view; false when there is no position.
  bool TakePosition(bool report);
  void Post(UINT message, LPARAM lParam);
  const PairList& ShownPairs() const;
  void BuildFonts();

  // strip_gestures.cpp
  void OnButtonDown(int x, int y, bool doubleClick);
  void OnMouseMove(int x);
  void OnButtonUp(int x);
  void OnKeyDown(WPARAM key, LPARAM flags);
  void OnKeyUp(WPARAM key);
  void OnCaptureLost();
  void BeginLiveStamp(bool byKey);
  void UpdateLiveStamp(int32_t time);
  void FinishGesture(int x);
  void CancelGesture();
  void Replan(int x);
  void ClickOn(int x);
  void Commit(const PairEdit& edit);
  int PairAtColumn(int x) const;
  bool NearestEdge(int x, int* pair, PairEdge* edge) const;
  void RequestSeek(int x);

  StripModel& model_;
  StripHost& host_;
  HWND hwnd_ = nullptr;
  HWND drain_ = nullptr;
  StripView view_;
  int height_ = 0;
  int32_t cursor_ = 0;
  bool running_ = false;
  GestureState gesture_;
  int32_t lastSeekRequest_ = -1;
  bool autoShow_ = true;
  bool cursorHidden_ = false;

  std::optional<GdiObject<HBITMAP>> buffer_;
  uint32_t* bits_ = nullptr;
  int bufferWidth_ = 0;
  int bufferHeight_ = 0;
  StripFonts fonts_;
  StripPaintCache paintCache_;
};
