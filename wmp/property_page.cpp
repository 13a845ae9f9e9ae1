// The property page plumbing shared by both pages.
#include "wmp/property_page.h"

#include <cstring>

#include "com_server/module_lock.h"

namespace {

constexpr ULONG kPageInfoSize = 28;
constexpr int kPageStringChars = 260;

// A task-allocated wide copy of string resource `id`; empty when the string
// does not exist; null when out of memory.
LPOLESTR PageString(UINT id) {
  auto* wide = static_cast<LPOLESTR>(CoTaskMemAlloc(kPageStringChars * sizeof(WCHAR)));
  if (!wide) return nullptr;
  wide[0] = L'\0';
  char text[kPageStringChars];
  const int length = LoadStringA(ModuleInstance(), id, text, sizeof text);
  if (length > 0) {
    const int units = MultiByteToWideChar(CP_ACP, 0, text, length, wide, kPageStringChars - 1);
    wide[units > 0 ? units : 0] = L'\0';
  }
  return wide;
}

// Skips a template's menu, class or title field: 0, 0xFFFF and an ordinal,
// or a NUL-terminated wide string.
const WORD* SkipField(const WORD* at) {
  if (*at == 0xFFFF) return at + 2;
  while (*at) ++at;
  return at + 1;
}

void BaseUnitsOfFont(const WORD* fontField, bool extended, SIZE& units) {
  const int pointSize = fontField[0];
  const WORD* face = fontField + (extended ? 3 : 1);
  char name[LF_FACESIZE] = {};  // the last byte stays NUL
  WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(face), -1, name, sizeof name - 1, nullptr,
                      nullptr);
  HDC dc = GetDC(nullptr);
  LOGFONTA logFont = {};
  logFont.lfHeight = -MulDiv(pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
  logFont.lfWeight = extended ? fontField[1] : FW_NORMAL;
  logFont.lfCharSet = DEFAULT_CHARSET;
  std::memcpy(logFont.lfFaceName, name, sizeof name);  // name ends in a NUL
  HFONT font = CreateFontIndirectA(&logFont);
  HGDIOBJ old = SelectObject(dc, font);
  // The average width of the Latin letters, as the dialog manager takes it.
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent = {};
  GetTextExtentPoint32A(dc, kLetters, 52, &extent);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  units.cx = (extent.cx / 26 + 1) / 2;
  units.cy = metrics.tmHeight;
}

}  // namespace

bool DialogTemplateSize(HINSTANCE module, UINT dialog, SIZE& size) {
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(dialog), MAKEINTRESOURCEA(5));
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const auto* words = loaded ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
  if (!words || SizeofResource(module, resource) < 18) return false;
  const bool extended = words[0] == 1 && words[1] == 0xFFFF;
  DWORD style;
  const WORD* at;
  if (extended) {
    std::memcpy(&style, words + 6, sizeof style);
    at = words + 9;  // x, y, cx, cy after the item count
  } else {
    std::memcpy(&style, words, sizeof style);
    at = words + 5;
  }
  const int cx = static_cast<short>(at[2]);
  const int cy = static_cast<short>(at[3]);
  SIZE units;
  if (style & DS_SETFONT) {
    BaseUnitsOfFont(SkipField(SkipField(SkipField(at + 4))), extended, units);
  } else {
    const LONG base = GetDialogBaseUnits();
    units.cx = LOWORD(base);
    units.cy = HIWORD(base);
  }
  size.cx = MulDiv(cx, units.cx, 4);
  size.cy = MulDiv(cy, units.cy, 8);
  return true;
}

PropertyPage::PropertyPage(IUnknown* outer, const PageResources& resources)
    : outer_(outer ? outer : &inner_), resources_(resources) {
  inner_.self = this;
}

PropertyPage::~PropertyPage() {
  if (site_) site_->Release();
  if (object_) object_->Release();
}

HRESULT FinishPageCreation(PropertyPage* page, REFIID iid, void** object) {
  LockModule();
  IUnknown* inner = page->Inner();
  inner->AddRef();
  const HRESULT hr = inner->QueryInterface(iid, object);
  inner->Release();
  return hr;
}

HRESULT STDMETHODCALLTYPE PropertyPage::InnerUnknown::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown)) {
    *object = static_cast<IUnknown*>(this);
  } else if (IsEqualIID(iid, IID_IPropertyPage)) {
    *object = static_cast<IPropertyPage*>(self);
  } else {
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*object)->AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE PropertyPage::InnerUnknown::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&self->referenceCount_));
}

ULONG STDMETHODCALLTYPE PropertyPage::InnerUnknown::Release() {
  const LONG count = InterlockedDecrement(&self->referenceCount_);
  if (count == 0) {
    // The dialog goes while the whole page still exists to handle it.
    self->Deactivate();
    delete self;
    UnlockModule();
  }
  return static_cast<ULONG>(count);
}

HRESULT STDMETHODCALLTYPE PropertyPage::QueryInterface(REFIID iid, void** object) {
  return outer_->QueryInterface(iid, object);
}

ULONG STDMETHODCALLTYPE PropertyPage::AddRef() { return outer_->AddRef(); }

ULONG STDMETHODCALLTYPE PropertyPage::Release() { return outer_->Release(); }

HRESULT STDMETHODCALLTYPE PropertyPage::SetPageSite(IPropertyPageSite* site) {
  if (site) {
    if (site_) return E_UNEXPECTED;
    site_ = site;
    site_->AddRef();
    return S_OK;
  }
  if (site_) site_->Release();
  site_ = nullptr;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
  if (!rect) return E_POINTER;
  if (dialog_) DestroyWindow(dialog_);
  dialog_ = nullptr;
  HWND dialog = CreateDialogParamA(ModuleInstance(), MAKEINTRESOURCEA(resources_.dialog), parent,
                                   DialogProc, reinterpret_cast<LPARAM>(this));
  if (!dialog) return E_FAIL;
  dialog_ = dialog;
  size_.cx = rect->right - rect->left;
  size_.cy = rect->bottom - rect->top;
  MoveWindow(dialog_, rect->left, rect->top, size_.cx, size_.cy, TRUE);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PropertyPage::Deactivate() {
  if (dialog_) DestroyWindow(dialog_);
  dialog_ = nullptr;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PropertyPage::GetPageInfo(PROPPAGEINFO* info) {
  if (!info) return E_POINTER;
  SIZE size;
  if (!DialogTemplateSize(ModuleInstance(), resources_.dialog, size)) return E_UNEXPECTED;
  size_ = size;
  std::memset(info, 0, sizeof *info);
  info->cb = kPageInfoSize;
  info->pszTitle = PageString(resources_.title);
  info->pszDocString = PageString(resources_.docString);
  info->pszHelpFile = PageString(resources_.helpFile);
  info->size = size_;
  info->dwHelpContext = 0;
  if (!info->pszTitle || !info->pszDocString || !info->pszHelpFile) {
    CoTaskMemFree(info->pszTitle);
    CoTaskMemFree(info->pszDocString);
    CoTaskMemFree(info->pszHelpFile);
    info->pszTitle = info->pszDocString = info->pszHelpFile = nullptr;
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PropertyPage::SetObjects(ULONG count, IUnknown** objects) {
  if (count && !objects) return E_POINTER;
  if (object_) object_->Release();
  object_ = nullptr;
  for (ULONG i = 0; i < count && !object_; ++i) {
    void* answer = nullptr;
    if (objects[i] && SUCCEEDED(objects[i]->QueryInterface(kIidPageObject, &answer))) {
      object_ = static_cast<IUnknown*>(answer);
    }
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PropertyPage::Show(UINT show) {
  if (!dialog_) return E_UNEXPECTED;
  ShowWindow(dialog_, static_cast<int>(show));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PropertyPage::Move(LPCRECT rect) {
  if (!dialog_) return E_UNEXPECTED;
  if (!rect) return E_POINTER;
  MoveWindow(dialog_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
             TRUE);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PropertyPage::IsPageDirty() { return pageDirty_ ? S_OK : S_FALSE; }

HRESULT STDMETHODCALLTYPE PropertyPage::Apply() {
  if (pageDirty_) OnApply();
  pageDirty_ = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PropertyPage::Help(LPCOLESTR helpDirectory) {
  char directory[MAX_PATH] = {};
  if (helpDirectory) {
    WideCharToMultiByte(CP_ACP, 0, helpDirectory, -1, directory, sizeof directory, nullptr,
                        nullptr);
  }
  char helpFile[MAX_PATH] = {};
  LoadStringA(ModuleInstance(), resources_.helpFile, helpFile, sizeof helpFile);
  char path[2 * MAX_PATH + 2];
  std::strcpy(path, directory);
  std::strcat(path, "\\");
  std::strcat(path, helpFile);
  WinHelpA(dialog_, path, HELP_CONTEXTPOPUP, 0);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE PropertyPage::TranslateAccelerator(MSG* message) {
  if (!message) return E_POINTER;
  const UINT m = message->message;
  const bool keyboard = m >= 0x100 && m <= 0x108;
  const bool mouse = m >= 0x200 && m <= 0x20A;
  if (!dialog_ || !(keyboard || mouse)) return S_FALSE;
  return IsDialogMessageA(dialog_, message) ? S_OK : S_FALSE;
}

void PropertyPage::MarkDirty() {
  if (pageDirty_) return;
  pageDirty_ = 1;
  if (site_) site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
}

INT_PTR CALLBACK PropertyPage::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
    auto* page = reinterpret_cast<PropertyPage*>(lParam);
    page->dialog_ = dialog;
    page->OnInitDialog();
    return TRUE;
  }
  auto* page = reinterpret_cast<PropertyPage*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
  if (!page) return FALSE;
  switch (message) {
    case WM_STYLECHANGING:
      // The frame tabs into the page's controls only while it stays a
      // control parent.
      if (wParam == static_cast<WPARAM>(GWL_EXSTYLE)) {
        reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew |= WS_EX_CONTROLPARENT;
      }
      return FALSE;
    case WM_DESTROY:
      page->OnDestroyDialog();
      SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
      return FALSE;
    default: {
      INT_PTR result = FALSE;
      if (page->OnDialogMessage(message, wParam, lParam, result)) return result;
      return FALSE;
    }
  }
}
