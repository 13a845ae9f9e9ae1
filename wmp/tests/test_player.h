// A player core for tests of the visualization: the position and the
// current item are set by the test; every call the visualization does not
// make answers E_NOTIMPL. Plain reference counts; objects live on the stack
// of the test and must outlive the visualization's references.
#pragma once

#include <windows.h>

#include <wmp.h>

#include <string>

#define KM_NOT_USED(signature) \
  HRESULT STDMETHODCALLTYPE signature override { return E_NOTIMPL; }

// The IDispatch part that none of the player's users here call.
#define KM_NO_DISPATCH                                                              \
  KM_NOT_USED(GetTypeInfoCount(UINT*))                                              \
  KM_NOT_USED(GetTypeInfo(UINT, LCID, ITypeInfo**))                                 \
  KM_NOT_USED(GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*))                \
  KM_NOT_USED(Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*))

template <typename Interface>
class TestComObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, __uuidof(Interface))) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 0;
};

class TestMedia : public TestComObject<IWMPMedia> {
 public:
  std::wstring url;
  double duration = 0;
  HRESULT STDMETHODCALLTYPE get_sourceURL(BSTR* out) override {
    *out = SysAllocString(url.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_duration(double* out) override {
    *out = duration;
    return S_OK;
  }
  KM_NO_DISPATCH
  KM_NOT_USED(get_isIdentical(IWMPMedia*, VARIANT_BOOL*))
  KM_NOT_USED(get_name(BSTR*))
  KM_NOT_USED(put_name(BSTR))
  KM_NOT_USED(get_imageSourceWidth(LONG*))
  KM_NOT_USED(get_imageSourceHeight(LONG*))
  KM_NOT_USED(get_markerCount(LONG*))
  KM_NOT_USED(getMarkerTime(LONG, double*))
  KM_NOT_USED(getMarkerName(LONG, BSTR*))
  KM_NOT_USED(get_durationString(BSTR*))
  KM_NOT_USED(get_attributeCount(LONG*))
  KM_NOT_USED(getAttributeName(LONG, BSTR*))
  KM_NOT_USED(getItemInfo(BSTR, BSTR*))
  KM_NOT_USED(setItemInfo(BSTR, BSTR))
  KM_NOT_USED(getItemInfoByAtom(LONG, BSTR*))
  KM_NOT_USED(isMemberOf(IWMPPlaylist*, VARIANT_BOOL*))
  KM_NOT_USED(isReadOnlyItem(BSTR, VARIANT_BOOL*))
};

class TestControls : public TestComObject<IWMPControls> {
 public:
  double position = 0;
  TestMedia* item = nullptr;
  int currentItemCalls = 0;
  HRESULT STDMETHODCALLTYPE get_currentPosition(double* out) override {
    *out = position;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE currentItem(IWMPMedia** out) override {
    ++currentItemCalls;
    *out = item;
    if (item) item->AddRef();
    return item ? S_OK : S_FALSE;
  }
  KM_NO_DISPATCH
  KM_NOT_USED(get_isAvailable(BSTR, VARIANT_BOOL*))
  KM_NOT_USED(play())
  KM_NOT_USED(stop())
  KM_NOT_USED(pause())
  KM_NOT_USED(fastForward())
  KM_NOT_USED(fastReverse())
  KM_NOT_USED(put_currentPosition(double))
  KM_NOT_USED(get_currentPositionString(BSTR*))
  KM_NOT_USED(next())
  KM_NOT_USED(previous())
  KM_NOT_USED(put_currentItem(IWMPMedia*))
  KM_NOT_USED(get_currentMarker(LONG*))
  KM_NOT_USED(put_currentMarker(LONG))
  KM_NOT_USED(playItem(IWMPMedia*))
};

class TestPlayer : public TestComObject<IWMPCore> {
 public:
  TestControls controls;
  HRESULT STDMETHODCALLTYPE get_controls(IWMPControls** out) override {
    *out = &controls;
    controls.AddRef();
    return S_OK;
  }
  KM_NO_DISPATCH
  KM_NOT_USED(close())
  KM_NOT_USED(get_URL(BSTR*))
  KM_NOT_USED(put_URL(BSTR))
  KM_NOT_USED(get_openState(WMPOpenState*))
  KM_NOT_USED(get_playState(WMPPlayState*))
  KM_NOT_USED(get_settings(IWMPSettings**))
  KM_NOT_USED(get_currentMedia(IWMPMedia**))
  KM_NOT_USED(put_currentMedia(IWMPMedia*))
  KM_NOT_USED(get_mediaCollection(IWMPMediaCollection**))
  KM_NOT_USED(get_playlistCollection(IWMPPlaylistCollection**))
  KM_NOT_USED(get_versionInfo(BSTR*))
  KM_NOT_USED(launchURL(BSTR))
  KM_NOT_USED(get_network(IWMPNetwork**))
  KM_NOT_USED(get_currentPlaylist(IWMPPlaylist**))
  KM_NOT_USED(put_currentPlaylist(IWMPPlaylist*))
  KM_NOT_USED(get_cdromCollection(IWMPCdromCollection**))
  KM_NOT_USED(get_closedCaption(IWMPClosedCaption**))
  KM_NOT_USED(get_isOnline(VARIANT_BOOL*))
  KM_NOT_USED(get_Error(IWMPError**))
  KM_NOT_USED(get_status(BSTR*))
};
