#include <gtest/gtest.h>

#include "editor/controls/band_container.h"
#include "editor/controls/preview_host.h"
#include "editor/controls/tests/control_test_host.h"

namespace {

// A plain child window to stand in for the controls a band holds.
HWND CreatePlainChild(HWND parent) {
  return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

RECT PlaceIn(HWND window, HWND container) {
  RECT place;
  GetWindowRect(window, &place);
  MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

#define EXPECT_PLACE(window, container, x, y, width, height)          \
  do {                                                                \
    const RECT place = PlaceIn(window, container);                    \
    EXPECT_EQ(x, place.left);                                         \
    EXPECT_EQ(y, place.top);                                          \
    EXPECT_EQ(width, place.right - place.left);                       \
    EXPECT_EQ(height, place.bottom - place.top);                      \
  } while (0)

class BandContainerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (HWND& window : windows_) window = CreatePlainChild(TestParent());
  }
  void TearDown() override {
    for (HWND window : windows_) DestroyWindow(window);
  }

  HWND windows_[6] = {};
  BandContainer container_;
};

TEST_F(BandContainerTest, LaysOutBandsOfFixedAndSharedWidths) {
  // A band added before the container exists takes its window at creation.
  ASSERT_TRUE(container_.AddBand(windows_[0], nullptr, nullptr, kSharedWidth, 0, 0, 25));
  ASSERT_TRUE(container_.CreateControl(TestParent(), GetModuleHandleA(nullptr), MakeRect(0, 0, 400, 79), 1000));
  ASSERT_TRUE(container_.AddBand(windows_[1], windows_[2], windows_[3], kSharedWidth,
                                 kSharedWidth, kSharedWidth, 23));
  ASSERT_TRUE(container_.AddBand(windows_[4], windows_[5], nullptr, kSharedWidth, 105, 0, 23));
  HWND box = container_.hwnd();
  for (HWND window : windows_) EXPECT_EQ(box, GetParent(window));

  // Bands at y 2, h0 + 4 and h0 + h1 + 6; windows from x 2, 1 pixel apart.
  EXPECT_PLACE(windows_[0], box, 2, 2, 396, 25);
  EXPECT_PLACE(windows_[1], box, 2, 29, 131, 23);  // (400 - 6) / 3
  EXPECT_PLACE(windows_[2], box, 134, 29, 131, 23);
  EXPECT_PLACE(windows_[3], box, 266, 29, 132, 23);  // and the remainder
  EXPECT_PLACE(windows_[4], box, 2, 54, 290, 23);    // 400 - 4 - 105 - 1
  EXPECT_PLACE(windows_[5], box, 293, 54, 105, 23);

  // A fourth band fails and moves nothing.
  HWND extra = CreatePlainChild(TestParent());
  EXPECT_FALSE(container_.AddBand(extra, nullptr, nullptr, 100, 0, 0, 23));
  EXPECT_EQ(3, container_.BandsInUse());
  EXPECT_EQ(TestParent(), GetParent(extra));
  DestroyWindow(extra);
  EXPECT_PLACE(windows_[5], box, 293, 54, 105, 23);

  // Resizing the container lays every band out again.
  MoveWindow(box, 0, 0, 500, 79, TRUE);
  EXPECT_PLACE(windows_[0], box, 2, 2, 496, 25);
  EXPECT_PLACE(windows_[3], box, 332, 29, 166, 23);
  EXPECT_PLACE(windows_[4], box, 2, 54, 390, 23);
  EXPECT_PLACE(windows_[5], box, 393, 54, 105, 23);

  // A taller first band moves the bands below it.
  EXPECT_TRUE(container_.SetBandHeight(0, 30));
  EXPECT_FALSE(container_.SetBandHeight(3, 30));
  EXPECT_PLACE(windows_[0], box, 2, 2, 496, 30);
  EXPECT_PLACE(windows_[1], box, 2, 34, 164, 23);
  EXPECT_PLACE(windows_[5], box, 393, 59, 105, 23);
}

TEST_F(BandContainerTest, PaintsAnEtchedFrameAndSeparators) {
  ASSERT_TRUE(container_.CreateControl(TestParent(), GetModuleHandleA(nullptr), MakeRect(0, 0, 400, 79), 1000));
  EXPECT_FALSE(container_.AddBand(nullptr, windows_[0], nullptr, 0, 0, 0, 23));
  ASSERT_TRUE(container_.AddBand(windows_[0], windows_[1], nullptr, 100, 100, 0, 25));
  ASSERT_TRUE(container_.AddBand(windows_[2], nullptr, nullptr, 0, 0, 0, 23));
  ASSERT_TRUE(container_.AddBand(windows_[3], nullptr, nullptr, 0, 0, 0, 23));
  UpdateWindow(container_.hwnd());
  const ClientPicture shown = CaptureClient(container_.hwnd());
  const uint32_t shadow = PixelOf(GetSysColor(COLOR_BTNSHADOW));
  const uint32_t light = PixelOf(GetSysColor(COLOR_BTNHIGHLIGHT));
  const uint32_t face = PixelOf(GetSysColor(COLOR_BTNFACE));
  // Etched frame and separators below bands 0 and 1; right of the first
  // band's two fixed windows (100 + 1 + 100) and in the gap between them,
  // button face.
  const struct {
    int x, y;
    uint32_t pixel;
  } kExpected[] = {{300, 0, shadow},  {300, 1, light},  {300, 77, shadow}, {300, 78, light},
                   {0, 40, shadow},   {1, 40, light},   {398, 40, shadow}, {399, 40, light},
                   {300, 27, shadow}, {300, 28, light}, {300, 52, shadow}, {300, 53, light},
                   {102, 10, face},   {300, 10, face}};
  for (const auto& expected : kExpected) {
    EXPECT_EQ(expected.pixel, shown.at(expected.x, expected.y)) << expected.x << "," << expected.y;
  }
}

// An IVideoWindow that records where it was asked to go.
class FakeVideoWindow : public IVideoWindow {
 public:
  LONG references = 1;
  int positionCalls = 0;
  RECT position = {};

  HRESULT STDMETHODCALLTYPE SetWindowPosition(long left, long top, long width, long height) override {
    ++positionCalls;
    position = {left, top, left + width, top + height};
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }

#define KM_NOT_USED(name, ...) \
  HRESULT STDMETHODCALLTYPE name(__VA_ARGS__) override { return E_NOTIMPL; }
#define KM_PROPERTY(name, type) KM_NOT_USED(put_##name, type) KM_NOT_USED(get_##name, type*)
  KM_PROPERTY(Caption, BSTR) KM_PROPERTY(WindowStyle, long) KM_PROPERTY(WindowStyleEx, long)
  KM_PROPERTY(AutoShow, long) KM_PROPERTY(WindowState, long) KM_PROPERTY(BackgroundPalette, long)
  KM_PROPERTY(Visible, long) KM_PROPERTY(Left, long) KM_PROPERTY(Width, long)
  KM_PROPERTY(Top, long) KM_PROPERTY(Height, long) KM_PROPERTY(Owner, OAHWND)
  KM_PROPERTY(MessageDrain, OAHWND) KM_PROPERTY(BorderColor, long) KM_PROPERTY(FullScreenMode, long)
  KM_NOT_USED(GetTypeInfoCount, UINT*)
  KM_NOT_USED(GetTypeInfo, UINT, LCID, ITypeInfo**)
  KM_NOT_USED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
  KM_NOT_USED(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
  KM_NOT_USED(SetWindowForeground, long)
  KM_NOT_USED(NotifyOwnerMessage, OAHWND, long, LONG_PTR, LONG_PTR)
  KM_NOT_USED(GetWindowPosition, long*, long*, long*, long*)
  KM_NOT_USED(GetRestorePosition, long*, long*, long*, long*)
  KM_NOT_USED(GetMinIdealImageSize, long*, long*)
  KM_NOT_USED(GetMaxIdealImageSize, long*, long*)
  KM_NOT_USED(HideCursor, long)
  KM_NOT_USED(IsCursorHidden, long*)
#undef KM_PROPERTY
#undef KM_NOT_USED
};

TEST(PreviewHost, KeepsTheAttachedVideoWindowFillingItsClientArea) {
  FakeVideoWindow first;
  FakeVideoWindow second;
  {
    PreviewHost host;
    host.AttachVideoWindow(&first);  // before the window exists
    ASSERT_TRUE(host.CreateControl(TestParent(), GetModuleHandleA(nullptr), MakeRect(0, 50, 400, 204), 1007));
    EXPECT_EQ(2, first.references);
    RECT client;
    GetClientRect(host.hwnd(), &client);
    EXPECT_EQ(200, client.bottom);  // inside the sunken edge

    MoveWindow(host.hwnd(), 0, 50, 520, 204, TRUE);
    const RECT filled = {0, 0, 516, 200};
    EXPECT_TRUE(EqualRect(&filled, &first.position));

    // Another window takes the place of the first, which is let go.
    host.AttachVideoWindow(&second);
    EXPECT_EQ(1, first.references);
    EXPECT_EQ(2, second.references);
    const int callsBefore = first.positionCalls;
    MoveWindow(host.hwnd(), 0, 50, 300, 150, TRUE);
    EXPECT_EQ(callsBefore, first.positionCalls);
    const RECT smaller = {0, 0, 296, 146};
    EXPECT_TRUE(EqualRect(&smaller, &second.position));

    // While attached the host leaves its background to the video window.
    HDC dc = GetDC(host.hwnd());
    SetPixelV(dc, 5, 5, RGB(0xFF, 0x00, 0xFF));
    ReleaseDC(host.hwnd(), dc);
    RedrawWindow(host.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(0xFF00FFu, CaptureClient(host.hwnd()).at(5, 5));
    host.AttachVideoWindow(nullptr);
    EXPECT_EQ(1, second.references);
    RedrawWindow(host.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(0xFFFFFFu, CaptureClient(host.hwnd()).at(5, 5));

    host.AttachVideoWindow(&first);
    EXPECT_EQ(2, first.references);
  }
  // The host let go of the window when it went.
  EXPECT_EQ(1, first.references);
}

}  // namespace
