#include "hosts/wmphost/media_item.h"

#include "hosts/wmphost/com_object.h"

namespace {

HRESULT CopyString(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

std::wstring NameOf(const std::wstring& url) {
  const size_t slash = url.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? url : url.substr(slash + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) name.resize(dot);
  return name;
}

class MediaItem : public DispatchObject<IWMPMedia> {
 public:
  MediaItem(const std::wstring& url, double duration)
      : url_(url), name_(NameOf(url)), duration_(duration) {}

  HRESULT STDMETHODCALLTYPE get_isIdentical(IWMPMedia* other, VARIANT_BOOL* same) override {
    if (!same) return E_POINTER;
    *same = other == static_cast<IWMPMedia*>(this) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_sourceURL(BSTR* url) override { return CopyString(url_, url); }
  HRESULT STDMETHODCALLTYPE get_name(BSTR* name) override { return CopyString(name_, name); }
  HRESULT STDMETHODCALLTYPE put_name(BSTR name) override {
    if (!name) return E_POINTER;
    name_ = name;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_duration(double* duration) override {
    if (!duration) return E_POINTER;
    *duration = duration_;
    return S_OK;
  }
  WMPHOST_NOT_IMPLEMENTED(get_imageSourceWidth(LONG*))
  WMPHOST_NOT_IMPLEMENTED(get_imageSourceHeight(LONG*))
  WMPHOST_NOT_IMPLEMENTED(get_markerCount(LONG*))
  WMPHOST_NOT_IMPLEMENTED(getMarkerTime(LONG, double*))
  WMPHOST_NOT_IMPLEMENTED(getMarkerName(LONG, BSTR*))
  WMPHOST_NOT_IMPLEMENTED(get_durationString(BSTR*))
  WMPHOST_NOT_IMPLEMENTED(get_attributeCount(LONG*))
  WMPHOST_NOT_IMPLEMENTED(getAttributeName(LONG, BSTR*))
  WMPHOST_NOT_IMPLEMENTED(getItemInfo(BSTR, BSTR*))
  WMPHOST_NOT_IMPLEMENTED(setItemInfo(BSTR, BSTR))
  WMPHOST_NOT_IMPLEMENTED(getItemInfoByAtom(LONG, BSTR*))
  WMPHOST_NOT_IMPLEMENTED(isMemberOf(IWMPPlaylist*, VARIANT_BOOL*))
  WMPHOST_NOT_IMPLEMENTED(isReadOnlyItem(BSTR, VARIANT_BOOL*))

 private:
  std::wstring url_;
  std::wstring name_;
  double duration_;
};

}  // namespace

IWMPMedia* CreateMediaItem(const std::wstring& url, double durationSeconds) {
  return new MediaItem(url, durationSeconds);
}
