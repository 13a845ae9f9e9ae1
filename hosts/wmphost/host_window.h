// The host's frame window: the menu (presets, "Properties..."), the
// visualization's child window and the render loop that calls the plug-in
// about 30 times a second, as the player does.
#pragma once

#include <windows.h>

#include <string>

#include "hosts/wmphost/effects_session.h"
#include "hosts/wmphost/host_options.h"
#include "hosts/wmphost/player_source.h"
#include "hosts/wmphost/scripted_player.h"
#include "hosts/wmphost/wine_player.h"

class VisualWindow;

class HostWindow {
 public:
  // `scripted` or `wine` is the player (the other one is null).
  HostWindow(const HostOptions& options, EffectsSession& session, ScriptedPlayer* scripted,
             WinePlayer* wine);
  // Creates the windows, attaches the plug-in and starts the frames.
  bool Open(std::string& error);
  // Runs the message loop; the exit code.
  int Run();

 private:
  using Handler = LRESULT (HostWindow::*)(WPARAM, LPARAM);
  struct MessageEntry {
    UINT message;
    Handler handler;
  };
  static const MessageEntry kMessages[];
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnCommand(WPARAM, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);

  void OnExit();
  void OnProperties();
  void SelectPreset(int preset);

  HMENU BuildMenu();
  void UpdateCaption();
  void Frame();
  void CheckMedia();
  bool Render(double position);
  bool SaveFrame(double seconds);
  void Finish(int code, const char* message = nullptr);
  double WallSeconds() const;

  const HostOptions& options_;
  EffectsSession& session_;
  ScriptedPlayer* scripted_;
  WinePlayer* wine_;
  PlayerSource* source_;
  IWMPCore* core_ = nullptr;
  HWND window_ = nullptr;
  VisualWindow* visual_ = nullptr;
  HMENU presetMenu_ = nullptr;
  int presetCount_ = 0;
  bool windowed_ = true;
  bool finished_ = false;
  int exitCode_ = 0;
  size_t nextFrame_ = 0;       // index into options_.frames
  double nextSave_ = 0;        // --save-every: the next time to save
  LARGE_INTEGER started_ = {};
  LARGE_INTEGER frequency_ = {};
  std::wstring mediaUrl_;      // the item last reported to the plug-in
  bool hadItem_ = false;
};
