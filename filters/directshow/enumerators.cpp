#include "filters/directshow/enumerators.h"

#include <objbase.h>

#include <new>

#include "com_server/module_lock.h"
#include "filters/directshow/base_filter.h"
#include "filters/directshow/base_pin.h"

namespace {

// An enumerator over items 0, 1, ... of a source that answers by index;
// `Source` is referenced while the enumerator lives.
template <typename Interface, typename Item, typename Source>
class IndexEnumerator final : public Interface {
 public:
  using Fetch = HRESULT (*)(Source* source, int index, Item* item);

  IndexEnumerator(const IID& iid, Source* source, Fetch fetch, int position)
      : iid_(iid), source_(source), fetch_(fetch), position_(position) {
    source_->AddRef();
    LockModule();
  }
  ~IndexEnumerator() {
    source_->Release();
    UnlockModule();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, iid_)) return E_NOINTERFACE;
    *object = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG count = InterlockedDecrement(&references_);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* items, ULONG* fetched) override {
    if (!items || (count > 1 && !fetched)) return E_POINTER;
    ULONG done = 0;
    while (done < count && fetch_(source_, position_, &items[done]) == S_OK) {
      ++done;
      ++position_;
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    for (ULONG i = 0; i < count; ++i) {
      Item item = nullptr;
      if (fetch_(source_, position_, &item) != S_OK) return S_FALSE;
      Discard(item);
      ++position_;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(Interface** copy) override {
    if (!copy) return E_POINTER;
    auto* clone = new (std::nothrow) IndexEnumerator(iid_, source_, fetch_, position_);
    *copy = clone;
    if (!clone) return E_OUTOFMEMORY;
    clone->AddRef();
    return S_OK;
  }

 private:
  static void Discard(IPin* pin) { pin->Release(); }
  static void Discard(AM_MEDIA_TYPE* type) { DeleteMediaType(type); }

  volatile LONG references_ = 0;
  const IID& iid_;
  Source* const source_;
  const Fetch fetch_;
  int position_;
};

HRESULT FetchPin(BaseFilter* filter, int index, IPin** pin) {
  if (index >= filter->PinCount()) return S_FALSE;
  *pin = filter->PinAt(index);
  (*pin)->AddRef();
  return S_OK;
}

HRESULT FetchMediaType(BasePin* pin, int index, AM_MEDIA_TYPE** type) {
  AM_MEDIA_TYPE proposed = {};
  HRESULT hr;
  {
    Locked lock(pin->Filter()->FilterLock());
    hr = pin->GetMediaType(index, &proposed);
  }
  if (hr != S_OK) return S_FALSE;
  *type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!*type) {
    FreeMediaType(proposed);
    return E_OUTOFMEMORY;
  }
  **type = proposed;  // takes over the format block
  return S_OK;
}

template <typename Interface, typename Item, typename Source>
HRESULT CreateEnumerator(const IID& iid, Source* source,
                         HRESULT (*fetch)(Source*, int, Item*), Interface** out) {
  auto* enumerator =
      new (std::nothrow) IndexEnumerator<Interface, Item, Source>(iid, source, fetch, 0);
  *out = enumerator;
  if (!enumerator) return E_OUTOFMEMORY;
  enumerator->AddRef();
  return S_OK;
}

}  // namespace

HRESULT CreatePinEnumerator(BaseFilter* filter, IEnumPins** pins) {
  if (!pins) return E_POINTER;
  return CreateEnumerator<IEnumPins, IPin*, BaseFilter>(IID_IEnumPins, filter, FetchPin, pins);
}

HRESULT CreateMediaTypeEnumerator(BasePin* pin, IEnumMediaTypes** types) {
  if (!types) return E_POINTER;
  return CreateEnumerator<IEnumMediaTypes, AM_MEDIA_TYPE*, BasePin>(IID_IEnumMediaTypes, pin,
                                                                    FetchMediaType, types);
}
