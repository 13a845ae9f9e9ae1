#include "hosts/wmphost/host_window.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "tools/bmp/picture_capture.h"
#include "hosts/wmphost/host_core.h"
#include "hosts/wmphost/visual_window.h"

namespace {

const char kClassName[] = "WmpHostFrameWnd";
const UINT_PTR kFrameTimer = 1;
const UINT kFrameMilliseconds = 33;
// A real player that does not move for this long past --seconds has failed.
const double kStallSeconds = 30;

enum Command : WORD {
  kCommandExit = 100,
  kCommandProperties = 101,
  kCommandPresetFirst = 1000,
  kCommandPresetLast = 1999,
};

std::wstring UrlOf(IWMPMedia* item) {
  BSTR url = nullptr;
  if (!item || FAILED(item->get_sourceURL(&url)) || !url) return std::wstring();
  std::wstring text(url);
  SysFreeString(url);
  return text;
}

}  // namespace

const HostWindow::MessageEntry HostWindow::kMessages[] = {
    {WM_TIMER, &HostWindow::OnTimer},
    {WM_COMMAND, &HostWindow::OnCommand},
    {WM_CLOSE, &HostWindow::OnClose},
    {WM_DESTROY, &HostWindow::OnDestroy},
};

HostWindow::HostWindow(const HostOptions& options, EffectsSession& session,
                       ScriptedPlayer* scripted, WinePlayer* wine)
    : options_(options),
      session_(session),
      scripted_(scripted),
      wine_(wine),
      source_(scripted ? static_cast<PlayerSource*>(scripted) : wine) {}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* host = static_cast<HostWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    host->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
  }
  auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (host) {
    for (const MessageEntry& entry : kMessages) {
      if (entry.message == message) return (host->*entry.handler)(wParam, lParam);
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool HostWindow::Open(std::string& error) {
  QueryPerformanceFrequency(&frequency_);
  windowed_ = options_.render == RenderMode::kWindowed && session_.effects2();
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);

  HMENU menu = BuildMenu();
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame = {0, 0, options_.width, options_.height};
  AdjustWindowRect(&frame, style, TRUE);
  if (!CreateWindowExA(0, kClassName, "Visualization host", style, 20, 20,
                       frame.right - frame.left, frame.bottom - frame.top, nullptr, menu,
                       windowClass.hInstance, this)) {
    DestroyMenu(menu);
    error = "the host window could not be created";
    return false;
  }
  visual_ = VisualWindow::Create(window_, options_.width, options_.height);
  if (!visual_) {
    error = "the visualization window could not be created";
    return false;
  }
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);

  // The player's order: the core, the window (windowed use), the preset.
  core_ = CreateHostCore(source_);
  session_.Attach(core_, windowed_ ? visual_->window() : nullptr);
  if (windowed_) visual_->SetPlugin(session_.effects2());
  if (options_.preset >= 0) {
    if (FAILED(session_.effects()->SetCurrentPreset(options_.preset))) {
      error = "the visualization refused preset " + std::to_string(options_.preset);
      return false;
    }
  }
  UpdateCaption();
  QueryPerformanceCounter(&started_);
  SetTimer(window_, kFrameTimer, options_.frames.empty() ? kFrameMilliseconds : 1, nullptr);
  return true;
}

int HostWindow::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return exitCode_;
}

HMENU HostWindow::BuildMenu() {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kCommandExit, "E&xit");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  presetMenu_ = CreatePopupMenu();
  presetCount_ = session_.PresetCount();
  if (presetCount_ > kCommandPresetLast - kCommandPresetFirst + 1) {
    presetCount_ = kCommandPresetLast - kCommandPresetFirst + 1;
  }
  for (int preset = 0; preset < presetCount_; ++preset) {
    std::string title = session_.PresetTitle(preset);
    if (title.empty()) title = "Preset " + std::to_string(preset);
    AppendMenuA(presetMenu_, MF_STRING, kCommandPresetFirst + preset, title.c_str());
  }
  if (presetCount_ > 0) AppendMenuA(presetMenu_, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(presetMenu_, MF_STRING | (session_.HasPropertyPage() ? 0 : MF_GRAYED),
              kCommandProperties, "&Properties...");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(presetMenu_), "&Visualization");
  return bar;
}

void HostWindow::UpdateCaption() {
  const int preset = session_.CurrentPreset();
  if (preset >= 0 && preset < presetCount_) {
    CheckMenuRadioItem(presetMenu_, kCommandPresetFirst, kCommandPresetFirst + presetCount_ - 1,
                       kCommandPresetFirst + preset, MF_BYCOMMAND);
  }
  std::string caption = session_.Title();
  const std::string presetTitle = preset >= 0 ? session_.PresetTitle(preset) : std::string();
  if (!presetTitle.empty()) caption += ": " + presetTitle;
  caption = "Visualization host - " + caption;
  SetWindowTextA(window_, caption.c_str());
}

LRESULT HostWindow::OnCommand(WPARAM wParam, LPARAM) {
  const WORD command = LOWORD(wParam);
  if (command == kCommandExit) {
    OnExit();
  } else if (command == kCommandProperties) {
    OnProperties();
  } else if (command >= kCommandPresetFirst && command < kCommandPresetFirst + presetCount_) {
    SelectPreset(command - kCommandPresetFirst);
  }
  return 0;
}

void HostWindow::OnExit() { Finish(0); }

void HostWindow::OnProperties() {
  if (!session_.HasPropertyPage()) return;
  // The frame is modal; frames stop while it is open, as in the player.
  KillTimer(window_, kFrameTimer);
  session_.effects()->DisplayPropertyPage(window_);
  if (!finished_) SetTimer(window_, kFrameTimer, kFrameMilliseconds, nullptr);
}

void HostWindow::SelectPreset(int preset) {
  session_.effects()->SetCurrentPreset(preset);
  UpdateCaption();
}

LRESULT HostWindow::OnTimer(WPARAM wParam, LPARAM) {
  if (wParam == kFrameTimer && !finished_) Frame();
  return 0;
}

LRESULT HostWindow::OnClose(WPARAM, LPARAM) {
  Finish(0);
  return 0;
}

LRESULT HostWindow::OnDestroy(WPARAM, LPARAM) {
  KillTimer(window_, kFrameTimer);
  // The child still exists here: the plug-in lets go of it first.
  if (visual_) visual_->SetPlugin(nullptr);
  session_.Close();
  if (core_) core_->Release();
  core_ = nullptr;
  PostQuitMessage(exitCode_);
  return 0;
}

void HostWindow::Finish(int code, const char* message) {
  if (finished_) return;
  finished_ = true;
  exitCode_ = code;
  if (message) std::fprintf(stderr, "wmphost: %s\n", message);
  DestroyWindow(window_);
}

double HostWindow::WallSeconds() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart - started_.QuadPart) / double(frequency_.QuadPart);
}

void HostWindow::Frame() {
  // The time of this frame on the player's timeline.
  double time = 0;
  const bool stepping = !options_.frames.empty();
  if (stepping) {
    if (nextFrame_ >= options_.frames.size()) return Finish(0);
    time = options_.frames[nextFrame_++];
  } else if (scripted_) {
    time = WallSeconds();
  }
  if (scripted_) {
    scripted_->SetTime(time);
    if (scripted_->Ended()) return Finish(0);
  } else {
    double position = 0;
    if (wine_->Position(&position) != S_OK) position = 0;
    time = position;
    if (wine_->Ended()) return Finish(0);
    if (options_.seconds > 0 && WallSeconds() > options_.seconds + kStallSeconds) {
      return Finish(1, "playback did not advance");
    }
  }
  if (!stepping && options_.seconds > 0 && time >= options_.seconds) return Finish(0);

  CheckMedia();
  double position = 0;
  if (source_->Position(&position) != S_OK) position = 0;
  if (!Render(position)) return Finish(1, "the frame could not be drawn");

  bool save = stepping && !options_.out.empty();
  if (!stepping && options_.saveEvery > 0 && time >= nextSave_) {
    save = true;
    nextSave_ = (std::floor(time / options_.saveEvery) + 1) * options_.saveEvery;
  }
  if (save && !SaveFrame(time)) return Finish(1, "a frame could not be saved");
}

void HostWindow::CheckMedia() {
  ComRef<IWMPMedia> item;
  if (source_->CurrentItem(item.Out()) != S_OK) item.Reset();
  const std::wstring url = UrlOf(item.get());
  if (bool(item) == hadItem_ && url == mediaUrl_) return;
  hadItem_ = bool(item);
  mediaUrl_ = url;
  // The player tells windowed-capable plug-ins about every new item.
  if (item && session_.effects2()) session_.effects2()->NotifyNewMedia(item.get());
}

bool HostWindow::Render(double position) {
  TimedLevel levels = {};
  levels.state = 2;  // playing
  levels.timeStamp = static_cast<LONGLONG>(position * 1e7);
  for (int channel = 0; channel < 2; ++channel) {
    for (int i = 0; i < kEffectsBufferSize; ++i) levels.waveform[channel][i] = 128;
  }
  if (windowed_) {
    session_.effects2()->RenderWindowed(&levels, visual_->TakeRequiredRender());
    return true;
  }
  HDC memory = visual_->MemoryFrame();
  if (!memory) return false;
  RECT area;
  GetClientRect(visual_->window(), &area);
  session_.effects()->Render(&levels, memory, &area);
  visual_->ShowMemoryFrame();
  return true;
}

bool HostWindow::SaveFrame(double seconds) {
  RECT client;
  GetClientRect(visual_->window(), &client);
  Picture picture;
  bool ok;
  if (windowed_) {
    HDC dc = GetDC(visual_->window());
    ok = CapturePicture(dc, client.right, client.bottom, picture);
    if (dc) ReleaseDC(visual_->window(), dc);
  } else {
    ok = CapturePicture(visual_->MemoryFrame(), client.right, client.bottom, picture);
  }
  return ok && WriteBitmapFile(FrameFileName(options_.out, seconds).c_str(), picture);
}
