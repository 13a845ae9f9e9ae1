#include "hosts/wmphost/visual_window.h"

namespace {

const char kClassName[] = "WmpHostVisualWnd";

}  // namespace

const VisualWindow::MessageEntry VisualWindow::kMessages[] = {
    {WM_PAINT, &VisualWindow::OnPaint},
    {WM_SIZE, &VisualWindow::OnSize},
    {WM_ERASEBKGND, &VisualWindow::OnEraseBackground},
    {WM_NCDESTROY, &VisualWindow::OnNcDestroy},
};

VisualWindow* VisualWindow::Create(HWND parent, int width, int height) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  VisualWindow* visual = new VisualWindow;
  if (!CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, width,
                       height, parent, nullptr, windowClass.hInstance, visual)) {
    delete visual;
    return nullptr;
  }
  return visual;
}

LRESULT CALLBACK VisualWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* visual = static_cast<VisualWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    visual->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(visual));
  }
  auto* visual = reinterpret_cast<VisualWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!visual) return DefWindowProcA(window, message, wParam, lParam);
  if (visual->plugin_ && message != WM_NCDESTROY) {
    LRESULT result = 0;
    if (visual->plugin_->OnWindowMessage(message, wParam, lParam, &result) == S_OK) return result;
  }
  for (const MessageEntry& entry : kMessages) {
    if (entry.message == message) return (visual->*entry.handler)(wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT VisualWindow::OnPaint(WPARAM, LPARAM) {
  // The next frame redraws everything; a memory frame is shown right away.
  requiredRender_ = true;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  if (dc && memoryDc_) BitBlt(dc, 0, 0, memoryWidth_, memoryHeight_, memoryDc_, 0, 0, SRCCOPY);
  EndPaint(window_, &paint);
  return 0;
}

LRESULT VisualWindow::OnSize(WPARAM, LPARAM) {
  requiredRender_ = true;
  DropMemoryFrame();
  return 0;
}

LRESULT VisualWindow::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT VisualWindow::OnNcDestroy(WPARAM, LPARAM) {
  DropMemoryFrame();
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  delete this;
  return 0;
}

bool VisualWindow::TakeRequiredRender() {
  const bool required = requiredRender_;
  requiredRender_ = false;
  return required;
}

HDC VisualWindow::MemoryFrame() {
  if (memoryDc_) return memoryDc_;
  RECT client;
  GetClientRect(window_, &client);
  if (client.right <= 0 || client.bottom <= 0) return nullptr;
  HDC windowDc = GetDC(window_);
  if (!windowDc) return nullptr;
  memoryDc_ = CreateCompatibleDC(windowDc);
  memoryBitmap_ = CreateCompatibleBitmap(windowDc, client.right, client.bottom);
  ReleaseDC(window_, windowDc);
  if (!memoryDc_ || !memoryBitmap_) {
    DropMemoryFrame();
    return nullptr;
  }
  oldBitmap_ = SelectObject(memoryDc_, memoryBitmap_);
  memoryWidth_ = client.right;
  memoryHeight_ = client.bottom;
  return memoryDc_;
}

void VisualWindow::ShowMemoryFrame() {
  if (!memoryDc_) return;
  HDC dc = GetDC(window_);
  if (!dc) return;
  BitBlt(dc, 0, 0, memoryWidth_, memoryHeight_, memoryDc_, 0, 0, SRCCOPY);
  ReleaseDC(window_, dc);
}

void VisualWindow::DropMemoryFrame() {
  if (memoryDc_ && oldBitmap_) SelectObject(memoryDc_, oldBitmap_);
  if (memoryBitmap_) DeleteObject(memoryBitmap_);
  if (memoryDc_) DeleteDC(memoryDc_);
  memoryDc_ = nullptr;
  memoryBitmap_ = nullptr;
  oldBitmap_ = nullptr;
  memoryWidth_ = memoryHeight_ = 0;
}
