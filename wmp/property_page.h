// What both property pages of the server share: their COM identity
// (aggregatable, apartment-threaded like the effects object), the exchange
// with the property frame and the page's dialog window.
#pragma once

#include <windows.h>

#include <ocidl.h>

// The interface SetObjects asks the frame's objects for. No class of this
// server implements it, so normally nothing is kept.
constexpr IID kIidPageObject = {
    0x3B7E51A3, 0x6C24, 0x4F8B, {0x9D, 0x13, 0x5E, 0x2A, 0x7C, 0x0F, 0x4B, 0x61}};

struct PageResources {
  UINT dialog;
  UINT title;
  UINT helpFile;
  UINT docString;
};

class PropertyPage : public IPropertyPage {
 public:
  PropertyPage(IUnknown* outer, const PageResources& resources);
  virtual ~PropertyPage();
  PropertyPage(const PropertyPage&) = delete;
  PropertyPage& operator=(const PropertyPage&) = delete;

  IUnknown* Inner() { return &inner_; }

  // IUnknown, delegated to the controlling unknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IPropertyPage
  HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
  HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL modal) override;
  HRESULT STDMETHODCALLTYPE Deactivate() override;
  HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
  HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
  HRESULT STDMETHODCALLTYPE Show(UINT show) override;
  HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override;
  HRESULT STDMETHODCALLTYPE IsPageDirty() override;
  HRESULT STDMETHODCALLTYPE Apply() override;
  HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpDirectory) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message) override;

  // Sets the dirty flag and, the first time, tells the site.
  void MarkDirty();
  bool Dirty() const { return pageDirty_ != 0; }
  HWND Dialog() const { return dialog_; }

 protected:
  virtual void OnInitDialog() {}
  virtual void OnDestroyDialog() {}
  // The page's own messages; returns whether it handled `message`.
  virtual bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) = 0;
  // The page's share of Apply, called only while the page is dirty.
  virtual void OnApply() {}

 private:
  struct InnerUnknown : IUnknown {
    PropertyPage* self = nullptr;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
  };

  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  InnerUnknown inner_;
  IUnknown* outer_;
  LONG referenceCount_ = 0;
  PageResources resources_;
  IPropertyPageSite* site_ = nullptr;
  IUnknown* object_ = nullptr;
  HWND dialog_ = nullptr;
  SIZE size_ = {};
  LONG pageDirty_ = 0;
};

// Finishes making a page object: the module lock, and the `iid` interface
// of its inner unknown (which frees the page when that fails).
HRESULT FinishPageCreation(PropertyPage* page, REFIID iid, void** object);

// The page size in pixels from a dialog template; false when the module
// has no such template.
bool DialogTemplateSize(HINSTANCE module, UINT dialog, SIZE& size);
