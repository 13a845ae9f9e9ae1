// LyricsDisplayFilter ("KMWLD"): a renderer with one PCM input pin whose
// samples it takes without waiting, IFileSourceFilter (Load reads the
// song's peaks from the work file), IVideoWindow (the strip's window) and
// ILyricsDisplay (the pairs, the lyrics, the tools, undo). The window is
// made with the object, on the thread that creates it, never in Run or
// Pause; streaming threads only post to it.
#pragma once

#include <windows.h>

#include <control.h>
#include <strmif.h>

#include "filters/directshow/base_filter.h"
#include "filters/directshow/input_pin.h"
#include "filters/lyrics_display/ilyrics_display.h"
#include "filters/lyrics_display/strip_model.h"
#include "filters/lyrics_display/strip_window.h"

class LyricsDisplayFilter;

// Takes PCM audio and drops it: the waveform comes from the file. Seeks
// (flushes and new segments) make the window report the new position.
class DisplayInputPin : public InputPin {
 public:
  DisplayInputPin(LyricsDisplayFilter* filter, StripWindow& window);
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

 protected:
  HRESULT OnReceive(IMediaSample* sample) override;
  void OnEndFlush() override;
  void OnNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

 private:
  StripWindow& window_;
};

class LyricsDisplayFilter : public BaseFilter,
                            public IFileSourceFilter,
                            public IVideoWindow,
                            public ILyricsDisplay,
                            private StripHost {
 public:
  LyricsDisplayFilter();
  ~LyricsDisplayFilter() override;
  // Creates the window; false when it cannot be made.
  bool Init();

  // IUnknown, for every interface.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IFileSourceFilter
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR fileName, const AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* fileName, AM_MEDIA_TYPE* type) override;

  // IDispatch: no type information.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

  // IVideoWindow
  HRESULT STDMETHODCALLTYPE put_Caption(BSTR caption) override;
  HRESULT STDMETHODCALLTYPE get_Caption(BSTR* caption) override;
  HRESULT STDMETHODCALLTYPE put_WindowStyle(long style) override;
  HRESULT STDMETHODCALLTYPE get_WindowStyle(long* style) override;
  HRESULT STDMETHODCALLTYPE put_WindowStyleEx(long style) override;
  HRESULT STDMETHODCALLTYPE get_WindowStyleEx(long* style) override;
  HRESULT STDMETHODCALLTYPE put_AutoShow(long autoShow) override;
  HRESULT STDMETHODCALLTYPE get_AutoShow(long* autoShow) override;
  HRESULT STDMETHODCALLTYPE put_WindowState(long state) override;
  HRESULT STDMETHODCALLTYPE get_WindowState(long* state) override;
  HRESULT STDMETHODCALLTYPE put_BackgroundPalette(long palette) override;
  HRESULT STDMETHODCALLTYPE get_BackgroundPalette(long* palette) override;
  HRESULT STDMETHODCALLTYPE put_Visible(long visible) override;
  HRESULT STDMETHODCALLTYPE get_Visible(long* visible) override;
  HRESULT STDMETHODCALLTYPE put_Left(long left) override;
  HRESULT STDMETHODCALLTYPE get_Left(long* left) override;
  HRESULT STDMETHODCALLTYPE put_Width(long width) override;
  HRESULT STDMETHODCALLTYPE get_Width(long* width) override;
  HRESULT STDMETHODCALLTYPE put_Top(long top) override;
  HRESULT STDMETHODCALLTYPE get_Top(long* top) override;
  HRESULT STDMETHODCALLTYPE put_Height(long height) override;
  HRESULT STDMETHODCALLTYPE get_Height(long* height) override;
  HRESULT STDMETHODCALLTYPE put_Owner(OAHWND owner) override;
  HRESULT STDMETHODCALLTYPE get_Owner(OAHWND* owner) override;
  HRESULT STDMETHODCALLTYPE put_MessageDrain(OAHWND drain) override;
  HRESULT STDMETHODCALLTYPE get_MessageDrain(OAHWND* drain) override;
  HRESULT STDMETHODCALLTYPE get_BorderColor(long* color) override;
  HRESULT STDMETHODCALLTYPE put_BorderColor(long color) override;
  HRESULT STDMETHODCALLTYPE get_FullScreenMode(long* fullScreen) override;
  HRESULT STDMETHODCALLTYPE put_FullScreenMode(long fullScreen) override;
  HRESULT STDMETHODCALLTYPE SetWindowForeground(long focus) override;
  HRESULT STDMETHODCALLTYPE NotifyOwnerMessage(OAHWND hwnd, long message, LONG_PTR wParam,
                                               LONG_PTR lParam) override;
  HRESULT STDMETHODCALLTYPE SetWindowPosition(long left, long top, long width,
                                              long height) override;
  HRESULT STDMETHODCALLTYPE GetWindowPosition(long* left, long* top, long* width,
                                              long* height) override;
  HRESULT STDMETHODCALLTYPE GetMinIdealImageSize(long* width, long* height) override;
  HRESULT STDMETHODCALLTYPE GetMaxIdealImageSize(long* width, long* height) override;
  HRESULT STDMETHODCALLTYPE GetRestorePosition(long* left, long* top, long* width,
                                               long* height) override;
  HRESULT STDMETHODCALLTYPE HideCursor(long hide) override;
  HRESULT STDMETHODCALLTYPE IsCursorHidden(long* hidden) override;

  // ILyricsDisplay
  HRESULT STDMETHODCALLTYPE SetToolMode(int32_t mode) override;
  HRESULT STDMETHODCALLTYPE AddTimestamp(int32_t start, int32_t end) override;
  HRESULT STDMETHODCALLTYPE ClearTimestamps() override;
  HRESULT STDMETHODCALLTYPE GetTimestamp(int32_t index, TimestampPair* pair) override;
  HRESULT STDMETHODCALLTYPE GetCurrentUnit(int32_t* index, TimestampPair* pair) override;
  HRESULT STDMETHODCALLTYPE GetTimestampCount(int32_t* count) override;
  HRESULT STDMETHODCALLTYPE PeekUndoTimestamp(int32_t* time) override;
  HRESULT STDMETHODCALLTYPE PeekRedoTimestamp(int32_t* time) override;
  HRESULT STDMETHODCALLTYPE UndoTimestamp() override;
  HRESULT STDMETHODCALLTYPE RedoTimestamp() override;
  HRESULT STDMETHODCALLTYPE AppendText(const char* text) override;
  HRESULT STDMETHODCALLTYPE ReplaceText(int32_t start, int32_t end, const char* text,
                                        int32_t count) override;
  HRESULT STDMETHODCALLTYPE SetSyncpoint(int32_t position, int32_t on) override;
  HRESULT STDMETHODCALLTYPE ClearText() override;
  HRESULT STDMETHODCALLTYPE SetLyricsFont(const LOGFONTA* font, int32_t smoothing) override;
  HRESULT STDMETHODCALLTYPE Refresh(int32_t timestampsChanged, int32_t textChanged) override;

  int PinCount() override { return 1; }
  BasePin* PinAt(int index) override;

 protected:
  HRESULT QueryFilterInterface(REFIID iid, void** object) override;
  HRESULT OnPause(FILTER_STATE from) override;
  HRESULT OnRun(REFERENCE_TIME start) override;
  void OnStop() override;

 private:
  // StripHost
  bool PlayingPosition(int32_t* time) override;
  FILTER_STATE GraphState() override { return State(); }

  // The window's rectangle in its parent's client coordinates.
  bool WindowRect(RECT* rect);
  HRESULT MoveTo(const RECT& rect);
  enum class WindowSide { kLeft, kTop, kWidth, kHeight };
  HRESULT PutSide(WindowSide side, long value);
  HRESULT GetSide(WindowSide side, long* value);

  StripModel model_;
  StripWindow window_;
  DisplayInputPin pin_;
  wchar_t* fileName_ = nullptr;  // as given to Load (new[])
  HWND owner_ = nullptr;
  long borderColor_ = 0;
  bool backgroundPalette_ = false;
};
