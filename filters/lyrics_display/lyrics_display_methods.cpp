// ILyricsDisplay of the lyrics display filter: the editor's calls on the
// pairs, the lyrics, the tool and the font.
#include <algorithm>

#include "filters/lyrics_display/lyrics_display_filter.h"

namespace {

bool IsTool(int32_t mode) {
  switch (mode) {
    case kToolSet:
    case kToolRemove:
    case kToolCombine:
    case kToolSplit:
    case kToolAdjust:
    case kToolMove:
    case kToolMoveAll:
      return true;
    default:
      return false;
  }
}

}  // namespace

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::SetToolMode(int32_t mode) {
  if (!IsTool(mode)) return E_INVALIDARG;
  {
    Locked hold(model_.lock);
    model_.tool = mode;
  }
  // A drag of the old tool ends unfinished.
  window_.PairsReplaced();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::AddTimestamp(int32_t start, int32_t end) {
  HRESULT hr = S_OK;
  {
    Locked hold(model_.lock);
    // The list stays in order whatever comes: a pair that would overlap the
    // last one, start below 0 or end before it starts is held in place, so
    // that every later pair still belongs to its own unit.
    int32_t earliest = model_.pairs.empty() ? 0 : model_.pairs.back().end;
    TimestampPair pair{std::max(start, earliest), 0};
    if (pair.start >= kLastTimestampEnd) return E_INVALIDARG;
    pair.end = std::min(std::max(end, pair.start + 1), kLastTimestampEnd);
    if (pair.start != start || pair.end != end) hr = S_FALSE;
    model_.pairs.push_back(pair);
    // Undo steps refer to the list as it was.
    model_.history.Clear();
  }
  window_.PairsReplaced();
  return hr;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::ClearTimestamps() {
  {
    Locked hold(model_.lock);
    model_.pairs.clear();
    model_.history.Clear();
  }
  window_.PairsReplaced();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::GetTimestamp(int32_t index, TimestampPair* pair) {
  if (!pair) return E_POINTER;
  Locked hold(model_.lock);
  if (index < 0 || size_t(index) >= model_.pairs.size()) return E_INVALIDARG;
  *pair = model_.pairs[size_t(index)];
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::GetCurrentUnit(int32_t* index, TimestampPair* pair) {
  if (!index || !pair) return E_POINTER;
  int32_t now = 0;
  if (!PlayingPosition(&now)) now = window_.Cursor();
  Locked hold(model_.lock);
  *index = CurrentPairIndex(model_.pairs, now);
  *pair = *index >= 0 ? model_.pairs[size_t(*index)] : TimestampPair{0, 0};
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::GetTimestampCount(int32_t* count) {
  if (!count) return E_POINTER;
  Locked hold(model_.lock);
  *count = int32_t(model_.pairs.size());
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::PeekUndoTimestamp(int32_t* time) {
  Locked hold(model_.lock);
  return model_.history.PeekUndo(time) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::PeekRedoTimestamp(int32_t* time) {
  Locked hold(model_.lock);
  return model_.history.PeekRedo(time) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::UndoTimestamp() {
  return window_.UndoOrRedo(false) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::RedoTimestamp() {
  return window_.UndoOrRedo(true) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::AppendText(const char* text) {
  if (!text) return E_POINTER;
  {
    Locked hold(model_.lock);
    model_.lyrics.Append(text, SystemLeadByte);
  }
  window_.Redraw();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::ReplaceText(int32_t start, int32_t end,
                                                           const char* text, int32_t count) {
  if (start < 0 || end < start || count < 0) return E_INVALIDARG;
  {
    Locked hold(model_.lock);
    if (!model_.lyrics.Replace(size_t(start), size_t(end), text, size_t(count), SystemLeadByte)) {
      return E_INVALIDARG;
    }
  }
  window_.Redraw();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::SetSyncpoint(int32_t position, int32_t on) {
  if (position < 0) return E_INVALIDARG;
  {
    Locked hold(model_.lock);
    if (!model_.lyrics.SetSyncpoint(size_t(position), on != 0)) return E_INVALIDARG;
  }
  window_.Redraw();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::ClearText() {
  {
    Locked hold(model_.lock);
    model_.lyrics.Clear();
  }
  window_.Redraw();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::SetLyricsFont(const LOGFONTA* font,
                                                             int32_t smoothing) {
  if (!font) return E_POINTER;
  {
    Locked hold(model_.lock);
    model_.font = *font;
    model_.smoothing = smoothing != 0;
  }
  window_.FontChanged();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE LyricsDisplayFilter::Refresh(int32_t, int32_t) {
  window_.Redraw();
  return S_OK;
}
