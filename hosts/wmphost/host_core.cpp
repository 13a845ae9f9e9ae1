#include "hosts/wmphost/host_core.h"

#include "hosts/wmphost/com_object.h"

// Forwards a call to the real object, or answers E_NOTIMPL without one.
#define WMPHOST_FORWARD(name, params, args) \
  HRESULT STDMETHODCALLTYPE name params override { return inner_ ? inner_->name args : E_NOTIMPL; }

namespace {

class HostControls : public DispatchObject<IWMPControls> {
 public:
  HostControls(PlayerSource* source, IWMPControls* inner) : source_(source), inner_(inner) {}
  ~HostControls() override {
    if (inner_) inner_->Release();
  }

  HRESULT STDMETHODCALLTYPE get_currentPosition(double* seconds) override {
    if (!seconds) return E_POINTER;
    return source_->Position(seconds);
  }
  HRESULT STDMETHODCALLTYPE currentItem(IWMPMedia** item) override {
    if (!item) return E_POINTER;
    return source_->CurrentItem(item);
  }
  WMPHOST_FORWARD(get_isAvailable, (BSTR item, VARIANT_BOOL* available), (item, available))
  WMPHOST_FORWARD(play, (), ())
  WMPHOST_FORWARD(stop, (), ())
  WMPHOST_FORWARD(pause, (), ())
  WMPHOST_FORWARD(fastForward, (), ())
  WMPHOST_FORWARD(fastReverse, (), ())
  WMPHOST_FORWARD(put_currentPosition, (double seconds), (seconds))
  WMPHOST_FORWARD(get_currentPositionString, (BSTR * text), (text))
  WMPHOST_FORWARD(next, (), ())
  WMPHOST_FORWARD(previous, (), ())
  WMPHOST_FORWARD(put_currentItem, (IWMPMedia * item), (item))
  WMPHOST_FORWARD(get_currentMarker, (LONG * marker), (marker))
  WMPHOST_FORWARD(put_currentMarker, (LONG marker), (marker))
  WMPHOST_FORWARD(playItem, (IWMPMedia * item), (item))

 private:
  PlayerSource* source_;
  IWMPControls* inner_;
};

class HostCore : public DispatchObject<IWMPCore> {
 public:
  explicit HostCore(PlayerSource* source) : source_(source), inner_(source->Player()) {
    if (inner_) inner_->AddRef();
  }
  ~HostCore() override {
    if (inner_) inner_->Release();
  }

  HRESULT STDMETHODCALLTYPE get_controls(IWMPControls** controls) override {
    if (!controls) return E_POINTER;
    IWMPControls* inner = nullptr;
    if (inner_ && FAILED(inner_->get_controls(&inner))) inner = nullptr;
    *controls = new HostControls(source_, inner);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_currentMedia(IWMPMedia** item) override {
    if (!item) return E_POINTER;
    return source_->CurrentItem(item);
  }
  WMPHOST_FORWARD(close, (), ())
  WMPHOST_FORWARD(get_URL, (BSTR * url), (url))
  WMPHOST_FORWARD(put_URL, (BSTR url), (url))
  WMPHOST_FORWARD(get_openState, (WMPOpenState * state), (state))
  WMPHOST_FORWARD(get_playState, (WMPPlayState * state), (state))
  WMPHOST_FORWARD(get_settings, (IWMPSettings * *settings), (settings))
  WMPHOST_FORWARD(put_currentMedia, (IWMPMedia * item), (item))
  WMPHOST_FORWARD(get_mediaCollection, (IWMPMediaCollection * *collection), (collection))
  WMPHOST_FORWARD(get_playlistCollection, (IWMPPlaylistCollection * *collection), (collection))
  WMPHOST_FORWARD(get_versionInfo, (BSTR * version), (version))
  WMPHOST_FORWARD(launchURL, (BSTR url), (url))
  WMPHOST_FORWARD(get_network, (IWMPNetwork * *network), (network))
  WMPHOST_FORWARD(get_currentPlaylist, (IWMPPlaylist * *playlist), (playlist))
  WMPHOST_FORWARD(put_currentPlaylist, (IWMPPlaylist * playlist), (playlist))
  WMPHOST_FORWARD(get_cdromCollection, (IWMPCdromCollection * *collection), (collection))
  WMPHOST_FORWARD(get_closedCaption, (IWMPClosedCaption * *caption), (caption))
  WMPHOST_FORWARD(get_isOnline, (VARIANT_BOOL * online), (online))
  WMPHOST_FORWARD(get_Error, (IWMPError * *error), (error))
  WMPHOST_FORWARD(get_status, (BSTR * status), (status))

 private:
  PlayerSource* source_;
  IWMPCore* inner_;
};

}  // namespace

IWMPCore* CreateHostCore(PlayerSource* source) { return new HostCore(source); }
