#include "com_server/class_factory.h"

#include <new>

#include "com_server/module_lock.h"
#include "com_server/server_classes.h"

namespace {

// The cache's own reference is the first; every further one is held from
// outside, so the count going 1 to 2 locks the module and 2 to 1 unlocks it.
// Callers may hold the factory on any thread, hence the critical section.
class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(CreateServerObject create) : create_(create) {
    InitializeCriticalSection(&countLock_);
  }
  ~ClassFactory() { DeleteCriticalSection(&countLock_); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
      return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }

  ULONG STDMETHODCALLTYPE AddRef() override {
    EnterCriticalSection(&countLock_);
    const ULONG count = ++count_;
    if (count == 2) LockModule();
    LeaveCriticalSection(&countLock_);
    return count;
  }

  ULONG STDMETHODCALLTYPE Release() override {
    EnterCriticalSection(&countLock_);
    const ULONG count = --count_;
    if (count == 1) UnlockModule();
    LeaveCriticalSection(&countLock_);
    if (count == 0) delete this;
    return count;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid,
                                           void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    // An aggregated object can only hand its owner the inner IUnknown.
    if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    return create_(outer, iid, object);
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      LockModule();
    } else {
      UnlockModule();
    }
    return S_OK;
  }

 private:
  CreateServerObject create_;
  CRITICAL_SECTION countLock_;
  ULONG count_ = 1;
};

CRITICAL_SECTION factoriesLock;
ClassFactory* factories[kMaxServerClasses] = {};

}  // namespace

void InitClassFactories() { InitializeCriticalSection(&factoriesLock); }

void ReleaseClassFactories() {
  for (ClassFactory*& factory : factories) {
    if (factory) factory->Release();
    factory = nullptr;
  }
  DeleteCriticalSection(&factoriesLock);
}

HRESULT GetClassFactory(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  const int index = FindServerClass(clsid);
  if (index < 0 || index >= kMaxServerClasses || !kServerClasses[index].create) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  EnterCriticalSection(&factoriesLock);
  ClassFactory*& factory = factories[index];
  if (!factory) factory = new (std::nothrow) ClassFactory(kServerClasses[index].create);
  const HRESULT hr = factory ? factory->QueryInterface(iid, object) : E_OUTOFMEMORY;
  LeaveCriticalSection(&factoriesLock);
  return hr;
}
