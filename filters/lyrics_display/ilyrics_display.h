// ILyricsDisplay: what the editor asks of the lyrics display filter. Times
// are centiseconds; positions count characters from the lyrics start; a
// pair is its start then its end. Methods that report nothing else return
// S_OK when they did what was asked, S_FALSE when there was nothing to do,
// and a failure code (E_POINTER, E_INVALIDARG) for arguments they refuse.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <cstdint>

#include "editor/document/timestamp_list.h"
#include "filters/filter_ids.h"

// Tool modes of SetToolMode.
enum LyricsTool : int32_t {
  kToolSet = 1,
  kToolRemove = 2,
  kToolCombine = 4,
  kToolSplit = 8,
  kToolAdjust = 16,
  kToolMove = 32,
  kToolMoveAll = 64,
};

// Messages the filter posts to its message drain (IVideoWindow).
constexpr UINT kMsgPairsChanged = WM_USER + 5;   // lParam: first changed unit, or -1
constexpr UINT kMsgUnitChosen = WM_USER + 6;     // lParam: the unit
constexpr UINT kMsgPosition = WM_USER + 7;       // lParam: time, or ~time inside a pair
constexpr UINT kMsgSeekRequest = WM_USER + 8;    // lParam: time
constexpr UINT kMsgPlayOrPause = WM_USER + 9;

struct ILyricsDisplay : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetToolMode(int32_t mode) = 0;
  // Appends a pair after the last one (start and end are held so that the
  // list stays in order: after the last end, end above start).
  virtual HRESULT STDMETHODCALLTYPE AddTimestamp(int32_t start, int32_t end) = 0;
  virtual HRESULT STDMETHODCALLTYPE ClearTimestamps() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTimestamp(int32_t index, TimestampPair* pair) = 0;
  // The unit whose pair holds the playing position, else the first one
  // that starts after it; index -1 (pair 0, 0) when none.
  virtual HRESULT STDMETHODCALLTYPE GetCurrentUnit(int32_t* index, TimestampPair* pair) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTimestampCount(int32_t* count) = 0;
  // S_OK with the time the next undo (redo) concerns; S_FALSE when there is
  // none. `time` may be null.
  virtual HRESULT STDMETHODCALLTYPE PeekUndoTimestamp(int32_t* time) = 0;
  virtual HRESULT STDMETHODCALLTYPE PeekRedoTimestamp(int32_t* time) = 0;
  virtual HRESULT STDMETHODCALLTYPE UndoTimestamp() = 0;
  virtual HRESULT STDMETHODCALLTYPE RedoTimestamp() = 0;
  virtual HRESULT STDMETHODCALLTYPE AppendText(const char* text) = 0;
  // Replaces [start, end) by the first `count` characters of `text` (null:
  // none).
  virtual HRESULT STDMETHODCALLTYPE ReplaceText(int32_t start, int32_t end, const char* text,
                                                int32_t count) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSyncpoint(int32_t position, int32_t on) = 0;
  virtual HRESULT STDMETHODCALLTYPE ClearText() = 0;
  virtual HRESULT STDMETHODCALLTYPE SetLyricsFont(const LOGFONTA* font, int32_t smoothing) = 0;
  virtual HRESULT STDMETHODCALLTYPE Refresh(int32_t timestampsChanged, int32_t textChanged) = 0;
};
