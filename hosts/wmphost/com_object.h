// Helpers for the host's small COM objects: a counted reference holder and
// a base with one interface besides IUnknown and IDispatch.
#pragma once

#include <windows.h>

#include <oaidl.h>
#include <objbase.h>

// Unimplemented calls of the player's interfaces.
#define WMPHOST_NOT_IMPLEMENTED(signature) \
  HRESULT STDMETHODCALLTYPE signature override { return E_NOTIMPL; }

// A counted interface reference, released when the holder goes.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  explicit ComRef(Interface* adopted) : object_(adopted) {}
  ~ComRef() { Reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // For calls that hand out a new reference.
  Interface** Out() {
    Reset();
    return &object_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  void Reset(Interface* adopted = nullptr) {
    if (object_) object_->Release();
    object_ = adopted;
  }
  Interface* Detach() {
    Interface* object = object_;
    object_ = nullptr;
    return object;
  }

 private:
  Interface* object_ = nullptr;
};

// Reference counting and QueryInterface for an object that implements one
// IDispatch-derived interface. Objects are created with one reference.
template <typename Interface>
class DispatchObject : public Interface {
 public:
  virtual ~DispatchObject() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, __uuidof(Interface))) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  WMPHOST_NOT_IMPLEMENTED(GetTypeInfoCount(UINT*))
  WMPHOST_NOT_IMPLEMENTED(GetTypeInfo(UINT, LCID, ITypeInfo**))
  WMPHOST_NOT_IMPLEMENTED(GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*))
  WMPHOST_NOT_IMPLEMENTED(Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                 UINT*))

 private:
  ULONG references_ = 1;
};
