// The test plug-in's two classes: "KmTestPattern" with IWMPEffects2 (it
// reads position and current item from the core like a real visualization)
// and "KmTestClassic" with IWMPEffects only (it has the audio levels' time
// stamp and nothing else).
#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "hosts/wmphost/tests/test_effects/test_pattern.h"
#include "wmp/wmp_effects.h"

namespace {

HINSTANCE module;
LONG objects = 0;
LONG locks = 0;

// {7A3C2E10-5B4D-4C6E-8F90-1A2B3C4D5E60}
const CLSID kClsidPattern = {
    0x7A3C2E10, 0x5B4D, 0x4C6E, {0x8F, 0x90, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x60}};
// {7A3C2E11-5B4D-4C6E-8F90-1A2B3C4D5E60}
const CLSID kClsidClassic = {
    0x7A3C2E11, 0x5B4D, 0x4C6E, {0x8F, 0x90, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x60}};
const char kPatternClassid[] = "{7A3C2E10-5B4D-4C6E-8F90-1A2B3C4D5E60}";
const char kClassicClassid[] = "{7A3C2E11-5B4D-4C6E-8F90-1A2B3C4D5E60}";
const char kEffectsKey[] = "SOFTWARE\\Microsoft\\MediaPlayer\\Objects\\Effects\\";

void Log(const std::string& line) {
  const char* path = std::getenv("WMPHOST_TEST_LOG");
  if (!path || !*path) return;
  if (std::FILE* file = std::fopen(path, "ab")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

std::string Narrow(BSTR text) {
  char buffer[1024] = {};
  if (text) WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer - 1, nullptr, nullptr);
  return buffer;
}

HRESULT MakeString(const char* text, BSTR* out) {
  if (!out) return E_POINTER;
  WCHAR wide[256];
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 256);
  *out = SysAllocString(wide);
  return *out ? S_OK : E_OUTOFMEMORY;
}

class TestEffects : public IWMPEffects2 {
 public:
  explicit TestEffects(bool classic) : classic_(classic) { InterlockedIncrement(&objects); }
  virtual ~TestEffects() {
    if (core_) core_->Release();
    InterlockedDecrement(&objects);
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIidWmpEffects) ||
        (!classic_ && IsEqualIID(iid, kIidWmpEffects2))) {
      *object = static_cast<IWMPEffects2*>(this);
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      Log("Release");
      delete this;
    }
    return left;
  }

  HRESULT STDMETHODCALLTYPE Render(TimedLevel* levels, HDC dc, RECT* rect) override {
    if (!dc || !rect) return E_INVALIDARG;
    long centiseconds = 0;
    std::string url;
    if (classic_) {
      centiseconds = levels ? long(levels->timeStamp / 100000) : 0;
    } else if (!ReadPlayer(centiseconds, url)) {
      Log("Render failed");
      return E_FAIL;
    }
    Log("Render " + std::to_string(centiseconds) + " " +
        std::to_string(rect->right - rect->left) + "x" + std::to_string(rect->bottom - rect->top) +
        " " + url);
    Draw(dc, *rect, centiseconds);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE MediaInfo(LONG, LONG, BSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetCapabilities(DWORD* capabilities) override {
    if (!capabilities) return E_POINTER;
    *capabilities = classic_ ? 0 : kEffectHasPropertyPage;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) override {
    return MakeString(classic_ ? "Classic Test Pattern" : "Test Pattern", title);
  }
  HRESULT STDMETHODCALLTYPE GetPresetTitle(LONG preset, BSTR* title) override {
    if (!title) return E_POINTER;
    if (preset < 0 || preset >= kTestPresetCount) return E_INVALIDARG;
    return MakeString(kTestPresetTitles[preset], title);
  }
  HRESULT STDMETHODCALLTYPE GetPresetCount(LONG* count) override {
    if (!count) return E_POINTER;
    *count = kTestPresetCount;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetCurrentPreset(LONG preset) override {
    Log("SetCurrentPreset " + std::to_string(preset));
    if (preset < 0 || preset >= kTestPresetCount) return E_INVALIDARG;
    preset_ = preset;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCurrentPreset(LONG* preset) override {
    if (!preset) return E_POINTER;
    *preset = preset_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DisplayPropertyPage(HWND) override {
    Log("DisplayPropertyPage");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GoFullscreen(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RenderFullScreen(TimedLevel*) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE SetCore(IWMPCore* core) override {
    Log(core ? "SetCore core" : "SetCore null");
    if (core_) core_->Release();
    core_ = core;
    if (core_) core_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Create(HWND parent) override {
    Log(std::string("Create ") + (IsWindow(parent) ? "window" : "no-window"));
    window_ = parent;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Destroy() override {
    Log("Destroy");
    window_ = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE NotifyNewMedia(IWMPMedia* media) override {
    BSTR url = nullptr;
    double duration = -1;
    if (media) {
      media->get_sourceURL(&url);
      media->get_duration(&duration);
    }
    char text[32];
    std::snprintf(text, sizeof text, " %.2f", duration);
    Log("NotifyNewMedia " + Narrow(url) + text);
    SysFreeString(url);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT*) override {
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE RenderWindowed(TimedLevel*, BOOL required) override {
    if (!window_) return E_UNEXPECTED;
    long centiseconds = 0;
    std::string url;
    if (!ReadPlayer(centiseconds, url)) {
      Log("RenderWindowed failed");
      return E_FAIL;
    }
    Log("RenderWindowed " + std::to_string(centiseconds) + " " + (required ? "1" : "0") + " " +
        url);
    HDC dc = GetDC(window_);
    if (!dc) return E_FAIL;
    RECT client;
    GetClientRect(window_, &client);
    Draw(dc, client, centiseconds);
    ReleaseDC(window_, dc);
    return S_OK;
  }

 private:
  // The position and the current item's URL, as a visualization reads them.
  bool ReadPlayer(long& centiseconds, std::string& url) {
    if (!core_) return false;
    IWMPControls* controls = nullptr;
    if (FAILED(core_->get_controls(&controls)) || !controls) return false;
    double seconds = 0;
    const bool ok = SUCCEEDED(controls->get_currentPosition(&seconds));
    centiseconds = long(seconds * 100);
    IWMPMedia* item = nullptr;
    if (controls->currentItem(&item) == S_OK && item) {
      BSTR text = nullptr;
      if (SUCCEEDED(item->get_sourceURL(&text))) url = Narrow(text);
      SysFreeString(text);
      item->Release();
    } else {
      url = "-";
    }
    controls->Release();
    return ok;
  }

  void Draw(HDC dc, const RECT& area, long centiseconds) {
    HBRUSH fill = CreateSolidBrush(kTestPresetColours[preset_]);
    FillRect(dc, &area, fill);
    DeleteObject(fill);
    RECT bar = area;
    bar.bottom = area.top + kBarHeight;
    bar.right = area.left + centiseconds / kCentisecondsPerPixel;
    if (bar.right > area.right) bar.right = area.right;
    HBRUSH white = CreateSolidBrush(kBarColour);
    if (bar.right > bar.left) FillRect(dc, &bar, white);
    DeleteObject(white);
  }

  bool classic_;
  ULONG references_ = 0;
  LONG preset_ = 0;
  IWMPCore* core_ = nullptr;
  HWND window_ = nullptr;
};

class Factory : public IClassFactory {
 public:
  explicit Factory(bool classic) : classic_(classic) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    TestEffects* effects = new TestEffects(classic_);
    effects->AddRef();
    const HRESULT result = effects->QueryInterface(iid, object);
    if (SUCCEEDED(result)) Log(classic_ ? "Created classic" : "Created");
    effects->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      InterlockedIncrement(&locks);
    } else {
      InterlockedDecrement(&locks);
    }
    return S_OK;
  }

 private:
  bool classic_;
};

Factory patternFactory(false);
Factory classicFactory(true);

bool SetValue(HKEY root, const std::string& path, const char* name, const std::string& value) {
  HKEY key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const bool ok = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 DWORD(value.size() + 1)) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

bool RegisterClass(const char* classid, const char* key, const std::string& name,
                   const std::string& description) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  const std::string clsidKey = std::string("CLSID\\") + classid;
  const std::string properties = std::string(kEffectsKey) + key + "\\Properties";
  return SetValue(HKEY_CLASSES_ROOT, clsidKey, nullptr, key) &&
         SetValue(HKEY_CLASSES_ROOT, clsidKey + "\\InprocServer32", nullptr, path) &&
         SetValue(HKEY_CLASSES_ROOT, clsidKey + "\\InprocServer32", "ThreadingModel",
                  "Apartment") &&
         SetValue(HKEY_LOCAL_MACHINE, properties, "classid", classid) &&
         SetValue(HKEY_LOCAL_MACHINE, properties, "name", name) &&
         SetValue(HKEY_LOCAL_MACHINE, properties, "description", description);
}

void DeleteTree(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char child[256];
  DWORD length = sizeof child;
  while (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS) {
    DeleteTree(key, child);
    length = sizeof child;
  }
  RegCloseKey(key);
  RegDeleteKeyA(root, path.c_str());
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) module = instance;
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualCLSID(classid, kClsidPattern)) return patternFactory.QueryInterface(iid, object);
  if (IsEqualCLSID(classid, kClsidClassic)) return classicFactory.QueryInterface(iid, object);
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return objects == 0 && locks == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  const bool ok =
      RegisterClass(kPatternClassid, "KmTestPattern", "res://wmphost_test_effects.dll/RT_STRING/#101",
                    "res://wmphost_test_effects.dll/RT_STRING/#102") &&
      RegisterClass(kClassicClassid, "KmTestClassic", "Classic Test Pattern",
                    "The test pattern for players that know IWMPEffects only.");
  return ok ? S_OK : E_FAIL;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  for (const char* classid : {kPatternClassid, kClassicClassid}) {
    DeleteTree(HKEY_CLASSES_ROOT, std::string("CLSID\\") + classid);
  }
  for (const char* key : {"KmTestPattern", "KmTestClassic"}) {
    DeleteTree(HKEY_LOCAL_MACHINE, std::string(kEffectsKey) + key);
  }
  return S_OK;
}
