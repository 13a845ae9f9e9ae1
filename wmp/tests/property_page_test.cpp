// The two property pages of the built kmwmp.dll, driven through a page site
// of the test's own, as the player's property frame drives them.
#include <windows.h>

#include <objbase.h>
#include <ocidl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "display/display_settings.h"
#include "display/tests/dib_target.h"
#include "lyrics/tests/km_builder.h"
#include "lyrics/tests/temp_file.h"
#include "tools/bmp/picture_capture.h"
#include "com_server/tests/server_module.h"
#include "wmp/tests/test_player.h"
#include "wmp/wmp_effects.h"

namespace {

constexpr const char* kSettingsKey = "Software\\Kamiru";

struct CountingSite : public IPropertyPageSite {
  LONG references = 1;
  int statusChanges = 0;
  DWORD lastStatus = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyPageSite)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override {
    ++statusChanges;
    lastStatus = flags;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* locale) override {
    *locale = 0x409;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** container) override {
    *container = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }
};

// An outer object that hands everything to the inner unknown it holds.
struct Outer : public IUnknown {
  IUnknown* inner = nullptr;
  LONG references = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    return inner->QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

bool ReadStoredSettings(DisplaySettings& settings) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD size = sizeof settings;
  const LONG status = RegQueryValueExA(key, "LP", nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&settings), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && size == sizeof settings;
}

class PageTest : public testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    ASSERT_TRUE(server.Loaded()) << KMWMP_PATH;
    host = CreateWindowExA(0, "STATIC", "Page host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 480,
                           480, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(host);
  }
  void TearDown() override {
    if (host) DestroyWindow(host);
    CoUninitialize();
  }

  IPropertyPage* Create(REFCLSID clsid) {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(server.getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    if (!factory) return nullptr;
    IPropertyPage* page = nullptr;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPropertyPage, reinterpret_cast<void**>(&page)),
              S_OK);
    factory->Release();
    return page;
  }

  // The page's dialog: the one child of the host window.
  HWND PageDialog() const { return GetWindow(host, GW_CHILD); }

  void Activate(IPropertyPage* page) {
    RECT rect = {0, 0, 460, 450};
    ASSERT_EQ(page->Activate(host, &rect, TRUE), S_OK);
    ASSERT_EQ(page->Show(SW_SHOW), S_OK);
  }

  ServerModule server{KMWMP_PATH};
  HWND host = nullptr;
};

TEST_F(PageTest, SiteIsHeldOnceAndReleasedOnNull) {
  IPropertyPage* page = Create(kClsidGeneralPage);
  ASSERT_TRUE(page);
  CountingSite first, second;
  EXPECT_EQ(page->SetPageSite(&first), S_OK);
  EXPECT_EQ(first.references, 2);
  EXPECT_EQ(page->SetPageSite(&second), E_UNEXPECTED);
  EXPECT_EQ(second.references, 1);
  EXPECT_EQ(page->SetPageSite(nullptr), S_OK);
  EXPECT_EQ(first.references, 1);
  EXPECT_EQ(page->SetPageSite(&second), S_OK);
  page->Release();
  EXPECT_EQ(second.references, 1);  // the last release lets go of the site
}

TEST_F(PageTest, PageInfoAndCallsWithoutADialog) {
  const struct {
    const CLSID* clsid;
    const wchar_t* title;
  } cases[] = {{&kClsidGeneralPage, L"General"}, {&kClsidHelpPage, L"Help"}};
  for (const auto& c : cases) {
    IPropertyPage* page = Create(*c.clsid);
    ASSERT_TRUE(page);
    PROPPAGEINFO info = {};
    ASSERT_EQ(page->GetPageInfo(&info), S_OK);
    EXPECT_EQ(info.cb, 28u);
    EXPECT_STREQ(info.pszTitle, c.title);
    EXPECT_STREQ(info.pszDocString, L"");
    EXPECT_STREQ(info.pszHelpFile, L"");
    EXPECT_EQ(info.dwHelpContext, 0u);
    // 298 x 268 dialog units of "MS Sans Serif" 8.
    EXPECT_GT(info.size.cx, 298);
    EXPECT_GT(info.size.cy, 268);
    EXPECT_GT(info.size.cx, info.size.cy);
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);
    EXPECT_EQ(page->GetPageInfo(nullptr), E_POINTER);

    RECT rect = {0, 0, 10, 10};
    EXPECT_EQ(page->Show(SW_SHOW), E_UNEXPECTED);
    EXPECT_EQ(page->Move(&rect), E_UNEXPECTED);
    EXPECT_EQ(page->Activate(host, nullptr, TRUE), E_POINTER);
    EXPECT_EQ(page->Deactivate(), S_OK);
    IUnknown* objects[1] = {page};
    EXPECT_EQ(page->SetObjects(1, objects), S_OK);
    EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
    MSG message = {};
    message.message = WM_KEYDOWN;
    EXPECT_EQ(page->TranslateAccelerator(&message), S_FALSE);
    page->Release();
  }
}

TEST_F(PageTest, DirtyFromTheFirstEditUntilApply) {
  IPropertyPage* page = Create(kClsidGeneralPage);
  ASSERT_TRUE(page);
  CountingSite site;
  page->SetPageSite(&site);
  Activate(page);
  HWND dialog = PageDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);

  SetDlgItemTextA(dialog, 240, "Only a sample");  // the sample text is no edit
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  EXPECT_EQ(page->Apply(), S_OK);
  DisplaySettings stored;
  EXPECT_FALSE(ReadStoredSettings(stored));  // nothing changed, nothing written

  SetDlgItemTextA(dialog, 238, "75");
  EXPECT_EQ(GetDlgItemInt(dialog, 238, nullptr, FALSE), 50u);
  SendDlgItemMessageA(dialog, 229, BM_CLICK, 0, 0);  // "Left"
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  EXPECT_EQ(site.statusChanges, 1);
  EXPECT_EQ(site.lastStatus, DWORD(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE));

  SetDlgItemTextA(dialog, 244, "C:\\no such directory");
  EXPECT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  // No visualization lives, so the page stored the change itself.
  ASSERT_TRUE(ReadStoredSettings(stored));
  EXPECT_EQ(stored.highlightTopPercent, 50);
  EXPECT_EQ(stored.leftAligned, 1);
  EXPECT_STREQ(stored.lyricsDirectory, "");

  SetDlgItemTextA(dialog, 244, "C:\\windows\\");
  EXPECT_EQ(site.statusChanges, 2);
  page->Apply();
  ASSERT_TRUE(ReadStoredSettings(stored));
  EXPECT_STREQ(stored.lyricsDirectory, "C:\\windows");

  EXPECT_EQ(page->Deactivate(), S_OK);
  EXPECT_FALSE(PageDialog());
  page->SetPageSite(nullptr);
  page->Release();
}

TEST_F(PageTest, EditsSurviveTurningToTheOtherPage) {
  IPropertyPage* page = Create(kClsidGeneralPage);
  ASSERT_TRUE(page);
  Activate(page);
  SetDlgItemTextA(PageDialog(), 243, "42");
  page->Deactivate();
  Activate(page);
  EXPECT_EQ(GetDlgItemInt(PageDialog(), 243, nullptr, FALSE), 42u);
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  page->Deactivate();
  page->Apply();  // the frame may apply after the page's dialog went
  DisplaySettings stored;
  ASSERT_TRUE(ReadStoredSettings(stored));
  EXPECT_EQ(stored.bottomMargin, 42);
  page->Release();
}

TEST_F(PageTest, DialogStaysAControlParent) {
  IPropertyPage* page = Create(kClsidHelpPage);
  ASSERT_TRUE(page);
  Activate(page);
  HWND dialog = PageDialog();
  // The size reported before activation is the template's in pixels.
  PROPPAGEINFO info = {};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  CoTaskMemFree(info.pszTitle);
  CoTaskMemFree(info.pszDocString);
  CoTaskMemFree(info.pszHelpFile);
  RECT units = {0, 0, 298, 268};
  MapDialogRect(dialog, &units);
  EXPECT_EQ(info.size.cx, units.right);
  EXPECT_EQ(info.size.cy, units.bottom);

  SetWindowLongA(dialog, GWL_EXSTYLE, 0);
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  // Keys reach the page's controls through the dialog manager; other
  // messages are left to the frame.
  MSG tab = {GetDlgItem(dialog, 237), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_EQ(page->TranslateAccelerator(&tab), S_OK);
  MSG paint = {dialog, WM_PAINT, 0, 0, 0, {0, 0}};
  EXPECT_EQ(page->TranslateAccelerator(&paint), S_FALSE);
  EXPECT_EQ(page->TranslateAccelerator(nullptr), E_POINTER);

  RECT moved = {5, 6, 305, 206};
  EXPECT_EQ(page->Move(&moved), S_OK);
  RECT now;
  GetWindowRect(dialog, &now);
  EXPECT_EQ(now.right - now.left, 300);
  page->Release();
  EXPECT_FALSE(IsWindow(dialog));  // the last release takes the dialog along
}

TEST_F(PageTest, WebSiteLinkLightsUpUnderTheMouse) {
  IPropertyPage* page = Create(kClsidHelpPage);
  ASSERT_TRUE(page);
  Activate(page);
  HWND dialog = PageDialog();
  HWND link = GetDlgItem(dialog, 219);
  ASSERT_TRUE(link);
  auto textColor = [&](HWND control) {
    HDC dc = GetDC(control);
    SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(control));
    const COLORREF color = GetTextColor(dc);
    ReleaseDC(control, dc);
    return color;
  };
  EXPECT_EQ(textColor(link), COLORREF(0xFF0000));
  RECT rect;
  GetWindowRect(link, &rect);
  SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(rect.left + 2, rect.top + 2));
  EXPECT_EQ(textColor(link), COLORREF(0xFFFFFF));
  EXPECT_EQ(textColor(GetDlgItem(dialog, 220)), COLORREF(0xFF0000));
  EXPECT_TRUE(SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog), HTCLIENT));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));
  SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(rect.right + 40, rect.bottom + 40));
  EXPECT_EQ(textColor(link), COLORREF(0xFF0000));
  page->Release();
}

// The first row of `target` that holds text not yet sung (white).
int FirstTextRow(const DibTarget& target, int height) {
  for (int y = 0; y < height; ++y) {
    if (target.Count(0x00FFFFFF, y, y + 1) > 0) return y;
  }
  return -1;
}

TEST_F(PageTest, ApplyOnTheGeneralPageReachesTheVisualizationsNextFrame) {
  // A visualization of this module showing a song's lyrics, centred.
  const std::string lyrics = WriteTempFile(
      "page_song.km", KmBuilder().Line("Twinkle").Piece(0, 0, kKmNoOffset, 100, 200).Bytes());
  TestMedia song;
  const std::string media = lyrics.substr(0, lyrics.size() - 3) + ".mp3";
  song.url.assign(media.begin(), media.end());
  TestPlayer player;
  player.controls.item = &song;
  player.controls.position = 0.5;
  IClassFactory* factory = nullptr;
  ASSERT_EQ(server.getClassObject(kClsidKaraokeEffects, IID_IClassFactory,
                                  reinterpret_cast<void**>(&factory)),
            S_OK);
  IWMPEffects2* effects = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, kIidWmpEffects2, reinterpret_cast<void**>(&effects)),
            S_OK);
  factory->Release();
  ASSERT_EQ(effects->SetCore(&player), S_OK);
  ASSERT_EQ(effects->NotifyNewMedia(&song), S_OK);
  DibTarget target(320, 200);
  RECT rect = target.rect();
  ASSERT_EQ(effects->Render(nullptr, target.dc(), &rect), S_OK);
  EXPECT_GT(FirstTextRow(target, 200), 60);

  // "Top" with no margin on the General page, applied.
  IPropertyPage* page = Create(kClsidGeneralPage);
  ASSERT_TRUE(page);
  CountingSite site;
  ASSERT_EQ(page->SetPageSite(&site), S_OK);
  Activate(page);
  const HWND dialog = PageDialog();
  SendMessageA(GetDlgItem(dialog, 231), BM_CLICK, 0, 0);
  SetDlgItemTextA(dialog, 242, "0");
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ASSERT_EQ(page->Apply(), S_OK);

  ASSERT_EQ(effects->Render(nullptr, target.dc(), &rect), S_OK);
  const int top = FirstTextRow(target, 200);
  EXPECT_GE(top, 0);
  EXPECT_LT(top, 10);
  page->Deactivate();
  page->SetPageSite(nullptr);
  page->Release();
  effects->SetCore(nullptr);
  effects->Release();
  std::remove(lyrics.c_str());
}

TEST_F(PageTest, AggregationAndTheModuleLock) {
  IClassFactory* factory = nullptr;
  ASSERT_EQ(server.getClassObject(kClsidHelpPage, IID_IClassFactory,
                                  reinterpret_cast<void**>(&factory)),
            S_OK);
  Outer outer;
  void* refused = nullptr;
  EXPECT_EQ(factory->CreateInstance(&outer, IID_IPropertyPage, &refused), CLASS_E_NOAGGREGATION);
  ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)),
            S_OK);
  factory->Release();
  EXPECT_EQ(server.canUnloadNow(), S_FALSE);
  IPropertyPage* page = nullptr;
  ASSERT_EQ(outer.QueryInterface(IID_IPropertyPage, reinterpret_cast<void**>(&page)), S_OK);
  IUnknown* identity = nullptr;
  page->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
  EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
  page->Release();
  outer.inner->Release();
  EXPECT_EQ(server.canUnloadNow(), S_OK);

  IPropertyPage* general = Create(kClsidGeneralPage);
  EXPECT_EQ(server.canUnloadNow(), S_FALSE);
  general->Release();
  EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST_F(PageTest, GeneralPageScreenshot) {
  const char* dir = std::getenv("KM_SCREENSHOT_DIR");
  if (!dir) GTEST_SKIP() << "KM_SCREENSHOT_DIR not set";
  IPropertyPage* page = Create(kClsidGeneralPage);
  ASSERT_TRUE(page);
  Activate(page);
  MSG message;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(20);
  }
  EXPECT_TRUE(SaveWindowBitmap(PageDialog(), (std::string(dir) + "\\general_page.bmp").c_str()));
  page->Release();
  IPropertyPage* help = Create(kClsidHelpPage);
  Activate(help);
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(20);
  }
  EXPECT_TRUE(SaveWindowBitmap(PageDialog(), (std::string(dir) + "\\help_page.bmp").c_str()));
  help->Release();
}

}  // namespace
