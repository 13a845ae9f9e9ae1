// The visualization object as the player uses it, with a test player core
// and real files, registry and GDI (under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "display/tests/dib_target.h"
#include "display/win32/display_settings_win32.h"
#include "lyrics/tests/km_builder.h"
#include "lyrics/tests/temp_file.h"
#include "wmp/karaoke_effects.h"
#include "com_server/module_lock.h"
#include "wmp/offset_keys.h"
#include "com_server/tests/server_module.h"
#include "wmp/tests/test_player.h"
#include "wmp/wmp_effects.h"

namespace {

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());  // test paths are ASCII
}

// The default colours: white text not yet sung on black.
constexpr uint32_t kUnsung = 0x00FFFFFF;
constexpr uint32_t kBackground = 0x00000000;

std::string OneLineSong() {
  return KmBuilder().Line("Twinkle twinkle").Piece(0, 0, kKmNoOffset, 100, 300).Bytes();
}

class Effects : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CreateKaraokeEffects(nullptr, kIidWmpEffects2, reinterpret_cast<void**>(&effects_)),
              S_OK);
    folder_ = TempPath(testing::UnitTest::GetInstance()->current_test_info()->name());
    CreateDirectoryA(folder_.c_str(), nullptr);
    song_.url = Widen(folder_ + "\\Song.mp3");
    player_.controls.item = &song_;
  }
  void TearDown() override {
    if (effects_) effects_->Release();
    DeleteFileA((folder_ + "\\Song.km").c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  void WriteLyrics() {
    HANDLE file = CreateFileA((folder_ + "\\Song.km").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    const std::string bytes = OneLineSong();
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  HRESULT RenderAt(double seconds) {
    player_.controls.position = seconds;
    RECT rect = target_.rect();
    return effects_->Render(nullptr, target_.dc(), &rect);
  }
  bool ShowsLyrics() { return target_.Count(kUnsung, 0, 120) > 20; }
  // Pixels in the highlight's blue, which the default gradient ends in.
  int SungPixels() {
    int n = 0;
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 320; ++x) {
        const uint32_t pixel = target_.Pixel(x, y);
        n += (pixel & 0xFF) > ((pixel >> 16) & 0xFF) + 40;  // blue above red
      }
    }
    return n;
  }

  IWMPEffects2* effects_ = nullptr;
  TestPlayer player_;
  TestMedia song_;
  std::string folder_;
  DibTarget target_{320, 120};
};

TEST_F(Effects, AnswersThePlayersQuestions) {
  void* object = nullptr;
  EXPECT_EQ(effects_->QueryInterface(kIidWmpEffects, &object), S_OK);
  EXPECT_EQ(object, effects_);
  static_cast<IUnknown*>(object)->Release();
  EXPECT_EQ(effects_->QueryInterface(IID_IUnknown, &object), S_OK);
  static_cast<IUnknown*>(object)->Release();
  EXPECT_EQ(effects_->QueryInterface(IID_IDispatch, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(effects_->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

  DWORD capabilities = 0;
  EXPECT_EQ(effects_->GetCapabilities(&capabilities), S_OK);
  EXPECT_EQ(capabilities, 2u);
  EXPECT_EQ(effects_->GetCapabilities(nullptr), E_POINTER);
  LONG value = 0;
  EXPECT_EQ(effects_->GetPresetCount(&value), S_OK);
  EXPECT_EQ(value, 5);
  EXPECT_EQ(effects_->SetCurrentPreset(4), S_OK);
  EXPECT_EQ(effects_->SetCurrentPreset(5), E_INVALIDARG);
  EXPECT_EQ(effects_->SetCurrentPreset(-1), E_INVALIDARG);
  EXPECT_EQ(effects_->GetCurrentPreset(&value), S_OK);
  EXPECT_EQ(value, 4);
  EXPECT_EQ(effects_->GetCurrentPreset(nullptr), E_POINTER);
  EXPECT_EQ(effects_->GetPresetTitle(0, nullptr), E_POINTER);
  BSTR title = nullptr;
  EXPECT_EQ(effects_->GetPresetTitle(5, &title), E_INVALIDARG);
  EXPECT_EQ(effects_->MediaInfo(2, 44100, nullptr), S_OK);
  EXPECT_EQ(effects_->GoFullscreen(TRUE), E_NOTIMPL);
  EXPECT_EQ(effects_->RenderFullScreen(nullptr), E_NOTIMPL);
  LRESULT result = 0;
  EXPECT_EQ(effects_->OnWindowMessage(WM_PAINT, 0, 0, &result), S_FALSE);
  EXPECT_EQ(effects_->NotifyNewMedia(nullptr), S_OK);
}

TEST_F(Effects, RendersOnlyWithAPlayerAWindowAndARectangle) {
  RECT rect = target_.rect();
  EXPECT_EQ(effects_->Render(nullptr, target_.dc(), &rect), E_FAIL);  // no player yet
  EXPECT_EQ(effects_->Render(nullptr, nullptr, &rect), E_INVALIDARG);
  EXPECT_EQ(effects_->Render(nullptr, target_.dc(), nullptr), E_INVALIDARG);
  RECT empty = {0, 0, 0, 100};
  EXPECT_EQ(effects_->Render(nullptr, target_.dc(), &empty), S_OK);
  EXPECT_EQ(effects_->RenderWindowed(nullptr, TRUE), E_UNEXPECTED);
  ASSERT_EQ(effects_->SetCore(&player_), S_OK);
  EXPECT_EQ(player_.references, 1u);
  EXPECT_EQ(RenderAt(3), S_OK);
  EXPECT_EQ(target_.Count(kBackground, 0, 120), 320 * 120);
  ASSERT_EQ(effects_->SetCore(nullptr), S_OK);
  EXPECT_EQ(player_.references, 0u);
}

TEST_F(Effects, FindsTheSongsLyricsAtTheStartAndDrawsThem) {
  WriteLyrics();
  ASSERT_EQ(effects_->SetCore(&player_), S_OK);
  // The full-area render looks at the current item at position 0 only.
  ASSERT_EQ(RenderAt(0.01), S_OK);
  EXPECT_EQ(player_.controls.currentItemCalls, 0);
  EXPECT_FALSE(ShowsLyrics());
  ASSERT_EQ(RenderAt(0.005), S_OK);
  EXPECT_EQ(player_.controls.currentItemCalls, 1);
  EXPECT_TRUE(ShowsLyrics());
  // Sung: the highlight colours replace the white text.
  ASSERT_EQ(RenderAt(3.5), S_OK);
  EXPECT_FALSE(ShowsLyrics());
  EXPECT_GT(SungPixels(), 20);
}

TEST_F(Effects, TheSameSongInOtherLetterCaseRestartsInsteadOfReloading) {
  WriteLyrics();
  ASSERT_EQ(effects_->SetCore(&player_), S_OK);
  ASSERT_EQ(effects_->NotifyNewMedia(&song_), S_OK);
  ASSERT_EQ(RenderAt(3.5), S_OK);
  // The file goes away; a reload would find nothing.
  DeleteFileA((folder_ + "\\Song.km").c_str());
  TestMedia again;
  again.url = Widen(folder_ + "\\SONG.MP3");
  ASSERT_EQ(effects_->NotifyNewMedia(&again), S_OK);
  ASSERT_EQ(RenderAt(0.5), S_OK);  // from the top again: unsung
  EXPECT_TRUE(ShowsLyrics());
}

TEST_F(Effects, ALyricsFileAddedLaterIsFoundWhenTheSongIsReportedAgain) {
  ASSERT_EQ(effects_->SetCore(&player_), S_OK);
  ASSERT_EQ(effects_->NotifyNewMedia(&song_), S_OK);
  WriteLyrics();
  ASSERT_EQ(RenderAt(0), S_OK);  // the render path does not look again
  EXPECT_FALSE(ShowsLyrics());
  ASSERT_EQ(effects_->NotifyNewMedia(&song_), S_OK);
  ASSERT_EQ(RenderAt(0.5), S_OK);
  EXPECT_TRUE(ShowsLyrics());
}

TEST_F(Effects, ANewLyricsDirectoryIsSearchedAtOnceOnlyWhileNothingIsShown) {
  ASSERT_EQ(effects_->SetCore(&player_), S_OK);
  const std::string elsewhere = folder_ + "\\Lyrics";
  CreateDirectoryA(elsewhere.c_str(), nullptr);
  song_.url = Widen(folder_ + "\\Other\\Song.mp3");
  ASSERT_EQ(effects_->NotifyNewMedia(&song_), S_OK);
  ASSERT_EQ(RenderAt(0.5), S_OK);
  EXPECT_FALSE(ShowsLyrics());

  const std::string lyricsPath = elsewhere + "\\Song.km";
  {
    HANDLE file = CreateFileA(lyricsPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string bytes = OneLineSong();
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  DisplaySettingsStore& store = ModuleDisplaySettings();
  DisplaySettings options = store.live;
  lstrcpyA(options.lyricsDirectory, elsewhere.c_str());
  ASSERT_TRUE(ReplaceLiveSettings(store, options));
  ASSERT_EQ(RenderAt(0.5), S_OK);
  EXPECT_TRUE(ShowsLyrics());

  // With lyrics shown a directory change waits for the next song.
  options.lyricsDirectory[0] = '\0';
  ASSERT_TRUE(ReplaceLiveSettings(store, options));
  ASSERT_EQ(RenderAt(0.5), S_OK);
  EXPECT_TRUE(ShowsLyrics());
  DeleteFileA(lyricsPath.c_str());
  RemoveDirectoryA(elsewhere.c_str());
}

TEST_F(Effects, ANewSongStartsWithoutTimingShiftAndObjectsShareOneHook) {
  WriteLyrics();
  ASSERT_EQ(effects_->SetCore(&player_), S_OK);
  ASSERT_EQ(effects_->NotifyNewMedia(&song_), S_OK);
  EXPECT_TRUE(IsOffsetKeyHookInstalled());
  for (int i = 0; i < 3; ++i) StepTimingOffset(ModuleTimingOffset(), true);
  EXPECT_EQ(ModuleTimingOffset().offset, 3);

  // A second visualization in the process uses the same hook and offset.
  IWMPEffects2* second = nullptr;
  ASSERT_EQ(CreateKaraokeEffects(nullptr, kIidWmpEffects2, reinterpret_cast<void**>(&second)), S_OK);
  TestPlayer otherPlayer;
  otherPlayer.controls.item = &song_;
  ASSERT_EQ(second->SetCore(&otherPlayer), S_OK);
  TestMedia otherSong;
  otherSong.url = song_.url;
  ASSERT_EQ(second->NotifyNewMedia(&otherSong), S_OK);
  EXPECT_EQ(ModuleTimingOffset().offset, 0);  // a song loaded: no shift
  EXPECT_EQ(ModuleTimingOffset().indicatorFrames, 1);

  // The owner goes; the hook goes with it and the next load installs one.
  effects_->Release();
  effects_ = nullptr;
  EXPECT_FALSE(IsOffsetKeyHookInstalled());
  ASSERT_EQ(second->NotifyNewMedia(&song_), S_OK);  // same song: restarts only
  EXPECT_FALSE(IsOffsetKeyHookInstalled());
  ASSERT_EQ(second->SetCore(nullptr), S_OK);
  second->Release();
}

// A plain top-level window for the windowed render and the keyboard.
class TestWindow {
 public:
  TestWindow() {
    hwnd = CreateWindowExA(0, "STATIC", "visualization", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           320, 160, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() { DestroyWindow(hwnd); }
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  HWND hwnd;
};

TEST_F(Effects, TheWindowedRenderLooksAtTheSongInItsFirstSecond) {
  TestWindow window;
  ASSERT_NE(window.hwnd, nullptr);
  ASSERT_EQ(effects_->SetCore(&player_), S_OK);
  ASSERT_EQ(effects_->Create(window.hwnd), S_OK);
  player_.controls.position = 1.00;
  ASSERT_EQ(effects_->RenderWindowed(nullptr, TRUE), S_OK);
  EXPECT_EQ(player_.controls.currentItemCalls, 0);
  player_.controls.position = 0.99;
  ASSERT_EQ(effects_->RenderWindowed(nullptr, TRUE), S_OK);
  EXPECT_EQ(player_.controls.currentItemCalls, 1);
  ASSERT_EQ(effects_->Destroy(), S_OK);
  EXPECT_EQ(effects_->RenderWindowed(nullptr, TRUE), E_UNEXPECTED);
}

TEST_F(Effects, AltArrowKeysShiftTheTimingAndReachThePlayer) {
  WriteLyrics();
  TestWindow window;
  ASSERT_EQ(effects_->SetCore(&player_), S_OK);
  ASSERT_EQ(effects_->NotifyNewMedia(&song_), S_OK);
  ASSERT_TRUE(IsOffsetKeyHookInstalled());
  SetForegroundWindow(window.hwnd);
  SetFocus(window.hwnd);
  window.Pump();
  auto press = [&](WORD key, bool alt) {
    INPUT input[4] = {};
    int n = 0;
    auto add = [&](WORD vk, DWORD flags) {
      input[n].type = INPUT_KEYBOARD;
      input[n].ki.wVk = vk;
      input[n].ki.dwFlags = flags | (vk == VK_LEFT || vk == VK_RIGHT ? KEYEVENTF_EXTENDEDKEY : 0);
      ++n;
    };
    if (alt) add(VK_MENU, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (alt) add(VK_MENU, KEYEVENTF_KEYUP);
    SendInput(n, input, sizeof(INPUT));
    Sleep(50);
    window.Pump();
  };
  for (int i = 0; i < 3; ++i) press(VK_LEFT, true);
  EXPECT_EQ(ModuleTimingOffset().offset, 3);  // key-ups change nothing
  EXPECT_EQ(ModuleTimingOffset().indicatorFrames, 31);
  press(VK_RIGHT, true);
  EXPECT_EQ(ModuleTimingOffset().offset, 2);
  press(VK_LEFT, false);  // without Alt: not an offset key
  EXPECT_EQ(ModuleTimingOffset().offset, 2);

  // A new song starts without the shift.
  TestMedia next;
  next.url = Widen(folder_ + "\\Next.mp3");
  ASSERT_EQ(effects_->NotifyNewMedia(&next), S_OK);
  ASSERT_EQ(effects_->NotifyNewMedia(&song_), S_OK);
  EXPECT_EQ(ModuleTimingOffset().offset, 0);
}

// A visualization made as the player makes it: through the DLL's factory.
IWMPEffects* CreateThroughServer(ServerModule& module) {
  IClassFactory* factory = nullptr;
  if (FAILED(module.getClassObject(kClsidKaraokeEffects, IID_IClassFactory,
                                   reinterpret_cast<void**>(&factory)))) {
    return nullptr;
  }
  IWMPEffects* effects = nullptr;
  factory->CreateInstance(nullptr, kIidWmpEffects, reinterpret_cast<void**>(&effects));
  factory->Release();
  return effects;
}

// Presses Cancel in the first property frame of this process, after noting
// the titles of its pages.
struct FrameWatch {
  int pages = 0;
  char firstTab[64] = {};
};

DWORD WINAPI CancelPropertyFrame(void* context) {
  auto* watch = static_cast<FrameWatch*>(context);
  for (int i = 0; i < 100; ++i) {
    Sleep(100);
    HWND frame = nullptr;
    while ((frame = FindWindowExA(nullptr, frame, "#32770", nullptr)) != nullptr) {
      DWORD process = 0;
      GetWindowThreadProcessId(frame, &process);
      if (process != GetCurrentProcessId() || !IsWindowVisible(frame)) continue;
      HWND tabs = FindWindowExA(frame, nullptr, "SysTabControl32", nullptr);
      if (tabs) {
        watch->pages = static_cast<int>(SendMessageA(tabs, 0x1304 /* TCM_GETITEMCOUNT */, 0, 0));
      }
      // Press Cancel until the frame goes: it may not be listening yet.
      for (int tries = 0; tries < 50 && IsWindow(frame); ++tries) {
        PostMessageA(frame, WM_COMMAND, IDCANCEL, 0);
        Sleep(100);
      }
      return 0;
    }
  }
  return 0;
}

TEST(EffectsFromTheServer, ThePropertyFrameShowsBothPagesAndReturns) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));  // as in the player's thread
  ServerModule module(KMWMP_PATH);
  ASSERT_TRUE(module.Loaded());
  ASSERT_EQ(module.registerServer(), S_OK);  // the frame creates the pages by class id
  IWMPEffects* effects = CreateThroughServer(module);
  ASSERT_NE(effects, nullptr);
  FrameWatch watch;
  HANDLE closer = CreateThread(nullptr, 0, CancelPropertyFrame, &watch, 0, nullptr);
  EXPECT_EQ(effects->DisplayPropertyPage(nullptr), S_OK);
  WaitForSingleObject(closer, 15000);
  CloseHandle(closer);
  EXPECT_EQ(watch.pages, 2);
  effects->Release();
  EXPECT_EQ(module.canUnloadNow(), S_OK);  // the pages are gone with the frame
  module.unregisterServer();
  CoUninitialize();
}

// An outer object that only counts the references its aggregate passes on.
class Outer : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 1;
};

TEST(EffectsObject, HoldsTheModuleWhileAliveAndAggregatesOnlyForIUnknown) {
  const LONG before = ModuleLockCount();
  Outer outer;
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreateKaraokeEffects(&outer, kIidWmpEffects, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(CreateKaraokeEffects(nullptr, IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(ModuleLockCount(), before);

  IUnknown* inner = nullptr;
  ASSERT_EQ(CreateKaraokeEffects(&outer, IID_IUnknown, reinterpret_cast<void**>(&inner)), S_OK);
  EXPECT_EQ(ModuleLockCount(), before + 1);
  IWMPEffects2* effects = nullptr;
  ASSERT_EQ(inner->QueryInterface(kIidWmpEffects2, reinterpret_cast<void**>(&effects)), S_OK);
  // The interface's references are the outer object's.
  EXPECT_EQ(outer.references, 2u);
  effects->Release();
  EXPECT_EQ(outer.references, 1u);
  inner->Release();
  EXPECT_EQ(ModuleLockCount(), before);
}

std::wstring Text(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : L"<null>"; }

TEST(EffectsFromTheServer, NamesItselfAndItsPresetsFromTheStringTable) {
  ServerModule module(KMWMP_PATH);
  ASSERT_TRUE(module.Loaded());
  IWMPEffects* effects = CreateThroughServer(module);
  ASSERT_NE(effects, nullptr);
  BSTR title = nullptr;
  ASSERT_EQ(effects->GetTitle(&title), S_OK);
  EXPECT_EQ(Text(title), L"Kamiru");
  SysFreeString(title);
  EXPECT_EQ(effects->GetTitle(nullptr), E_POINTER);
  const wchar_t* presets[] = {L"One Line", L"Two Lines", L"Three Lines", L"Five Lines",
                              L"Seven Lines"};
  for (LONG i = 0; i < 5; ++i) {
    ASSERT_EQ(effects->GetPresetTitle(i, &title), S_OK);
    EXPECT_EQ(Text(title), presets[i]);
    SysFreeString(title);
  }
  EXPECT_EQ(module.canUnloadNow(), S_FALSE);
  effects->Release();
  EXPECT_EQ(module.canUnloadNow(), S_OK);
}

}  // namespace
