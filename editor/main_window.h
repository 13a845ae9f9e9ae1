// The editor's main window, class "KMEditMWnd": one object that owns every
// window, control and piece of state of the editor. Its member functions
// are spread over files by purpose:
//   main_window.cpp           class registration, window procedure, message table,
//                             the message loop's pre-translation and post-dispatch
//   main_window_create.cpp    WM_CREATE: the child windows and the lyrics text
//   main_window_layout.cpp    WM_SIZE, WM_SETTINGCHANGE, WM_GETMINMAXINFO, caret status
//   main_window_commands.cpp  the command table, command states, caption, Help,
//                             About and the exit procedure
//   document_commands.cpp     edits of the lyrics text (undo, clipboard, syncpoints)
//   timestamp_commands.cpp    timestamp tools and commands
//   audio_commands.cpp        audio file, transport and the audio engine's messages
//   file_commands.cpp         New, Open, Close, Save, Save As
//   options_commands.cpp      fonts and anti-aliasing
//   lyrics_display_handover.cpp  the document and the pairs to and from the display filter
#pragma once

#include <windows.h>

#include <richedit.h>

#include <cstdint>

#include "editor/audio_graph.h"
#include "editor/controls/band_container.h"
#include "editor/controls/menu_bar.h"
#include "editor/controls/position_bar.h"
#include "editor/controls/preview_host.h"
#include "editor/controls/time_display.h"
#include "editor/controls/toolbar.h"
#include "editor/document/lyrics_document.h"
#include "editor/document/timestamp_list.h"
#include "editor/editor_settings.h"
#include "editor/file_dialogs.h"
#include "editor/lyrics_text_access.h"
#include "filters/lyrics_display/ilyrics_display.h"

extern const char kMainWindowClass[];
extern const char kEditorName[];

// Playback states; the values are the editor's own codes.
enum class PlayState : int { kStopped = 1, kPaused = 2, kPlaying = 4 };

// The editor's own messages of the audio engine: decoding has completed
// (posted to itself), and the playback graph has events.
constexpr UINT kDecodingCompleteMessage = WM_USER + 12;
constexpr UINT kGraphEventMessage = WM_APP + 1;

class EditorMainWindow {
 public:
  EditorMainWindow() = default;
  ~EditorMainWindow();
  EditorMainWindow(const EditorMainWindow&) = delete;
  EditorMainWindow& operator=(const EditorMainWindow&) = delete;

  // Registers the class, loads the settings, creates the window and loads
  // the accelerators. False when the window could not be created.
  bool Create(HINSTANCE instance);

  // Called by the message loop before a queued message is translated: true
  // when the message was consumed (an accelerator).
  bool PreTranslateMessage(MSG& message);
  // Called by the message loop after a message was dispatched.
  void AfterDispatch(const MSG& message);

  HWND window() const { return window_; }
  HWND lyricsText() const { return text_; }

  // For the window procedure only.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // For the text window's subclass only: a message bound for the text
  // window, announced or refused before the window sees it.
  LRESULT HandleTextMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  // The character model of the lyrics text.
  const LyricsDocument& document() const { return document_; }
  // Units still waiting for their colours (coloured on a timer).
  bool recolouring() const { return recolourFrom_ >= 0; }
  // The lyrics display filter of the playback graph, or null: the holder
  // of the timestamps while audio is loaded.
  ILyricsDisplay* lyricsDisplay() const { return audio_.lyricsDisplay(); }

 private:
  using MessageHandler = bool (EditorMainWindow::*)(WPARAM, LPARAM, LRESULT&);
  struct MessageEntry {
    UINT message;
    MessageHandler handler;
  };
  using CommandHandler = void (EditorMainWindow::*)(int id, int code);
  struct CommandEntry {
    int id;
    CommandHandler handler;
  };
  static const MessageEntry kMessages[];
  static const CommandEntry kCommands[];

  // Window messages (main_window.cpp and the files named above).
  bool OnCreate(WPARAM, LPARAM, LRESULT& result);
  bool OnSize(WPARAM, LPARAM, LRESULT& result);
  bool OnPaint(WPARAM, LPARAM, LRESULT& result);
  bool OnEraseBackground(WPARAM, LPARAM, LRESULT& result);
  bool OnClose(WPARAM, LPARAM, LRESULT& result);
  bool OnDestroy(WPARAM, LPARAM, LRESULT& result);
  bool OnSettingChange(WPARAM, LPARAM, LRESULT& result);
  bool OnGetMinMaxInfo(WPARAM, LPARAM, LRESULT& result);
  bool OnNotify(WPARAM, LPARAM, LRESULT& result);
  bool OnCommand(WPARAM, LPARAM, LRESULT& result);
  bool OnMenuChar(WPARAM, LPARAM, LRESULT& result);
  // The audio engine's messages (audio_commands.cpp).
  bool OnPairsChanged(WPARAM, LPARAM, LRESULT& result);
  bool OnUnitChosen(WPARAM, LPARAM, LRESULT& result);
  bool OnPositionReport(WPARAM, LPARAM, LRESULT& result);
  bool OnSeekRequest(WPARAM, LPARAM, LRESULT& result);
  bool OnPlayOrPause(WPARAM, LPARAM, LRESULT& result);
  bool OnDecodingComplete(WPARAM, LPARAM, LRESULT& result);
  bool OnGraphEvent(WPARAM, LPARAM, LRESULT& result);

  // Creation steps (main_window_create.cpp).
  bool CreateContainers(int menuHeight);
  bool CreateLyricsText();
  bool CreateControls();
  bool FillBands(int menuHeight);
  bool FillToolbars();
  void PrepareLyricsText();
  void SetInitialCommandStates();

  // Layout (main_window_layout.cpp).
  void LayOut(int width, int height);
  void PlaceBelowTopBands(bool repaint);
  void UpdateCaretStatus();

  // Command states, caption, Help, About, exit (main_window_commands.cpp).
  void EnableCommand(int id, bool enabled, Toolbar* toolbar);
  void RefreshEditState();
  void RefreshTimestampState();
  void RefreshFileCommands();
  void UpdateTitle();
  bool AskToSaveChanges();
  void OnExit(int, int);
  void OnHelpTopics(int, int);
  void OnAbout(int, int);
  void RunExitProcedure();

  // Lyrics text edits (document_commands.cpp).
  void OnUndo(int, int);
  void OnRedo(int, int);
  void OnCut(int, int);
  void OnCopy(int, int);
  void OnPaste(int, int);
  void OnSetSyncpoint(int, int);
  void OnRemoveSyncpoint(int, int);
  void OnLyricsTextChanged(int, int);
  // Catching and mirroring changes (lyrics_text_capture.cpp).
  void SubclassLyricsText();
  bool AnnounceChange(UINT message, WPARAM wParam, LPARAM lParam);
  bool HeaderChangeAllowed(UINT message, WPARAM wParam, CHARRANGE& range);
  void MirrorChange();
  bool MirrorAnnouncedChange(int oldLength, int newLength, int caret);
  void MirrorUnannouncedChange();
  void ReplaceInModel(int start, int end, int insertedCount, bool recolour);
  // Colours and blanks of the lyrics (lyrics_colours.cpp).
  void RecolourUnits(int from);
  int ColourUnitsFrom(int p, int until, int more);
  void ShiftPendingRecolour(int start, int removed, int inserted);
  bool OnTimer(WPARAM, LPARAM, LRESULT& result);
  void ShowBlanks(int from, int to);
  void SetInsertionColour();
  void ApplyEditStep(bool undo);
  void ToggleSyncpoint(bool on);
  LRESULT OnLyricsTextNotify(const NMHDR& header);
  void PrepareTextInput();
  bool CanUndoEdit() const;
  bool CanRedoEdit() const;
  bool CanSetSyncpoint() const;
  bool CanRemoveSyncpoint() const;
  int TextLength() const;

  // Timestamps (timestamp_commands.cpp).
  void OnPlayUnit(int id, int);
  void OnUndoTimestamp(int, int);
  void OnRedoTimestamp(int, int);
  void OnChooseTool(int id, int);
  bool CanUndoTimestamp() const;
  bool CanRedoTimestamp() const;
  void FollowClickedUnit();
  void StepTimestampHistory(bool undo);
  int32_t LastTimedUnitOfLine(int32_t unit, int32_t pairCount) const;
  void ShowUnitLine(int32_t unit);
  // The document and the pairs to and from the lyrics display filter
  // (lyrics_display_handover.cpp).
  void HandDocumentToDisplay();
  void TakePairsFromDisplay();
  int TimestampCount() const;

  // Audio (audio_commands.cpp).
  void OnAudioOpen(int, int);
  void OnPlay(int, int);
  void OnPause(int, int);
  void OnStop(int, int);
  void OnScan(int id, int code);
  void OnPositionBarMoved(int, int);
  void TearDownAudio();
  void DeleteWorkFile();
  void FailAudio();
  void PauseUnlessPaused();
  void SeekTo(int64_t time);
  void SeekPausedTo(int64_t time);
  int64_t CurrentPosition() const;
  void ShowPosition(int64_t time);
  void ShowStoppedAtStart();

  // Files (file_commands.cpp).
  void OnNew(int, int);
  void OnOpen(int, int);
  void OnSave(int, int);
  void OnSaveAs(int, int);
  bool SaveLyrics();
  bool SaveLyricsAs(bool lrcAllowed);
  void ResetDocument();
  void SetLyricsFile(const char* path);
  bool OpenLyricsFile(const char* path);
  bool NothingToSave() const;
  void ProposeSaveName(char (&name)[MAX_PATH]) const;
  bool WriteLyricsFile(const char* path, LyricsFileType type);

  // Options (options_commands.cpp).
  void OnTextFont(int, int);
  void OnLyricsFont(int, int);
  void OnAntiAliased(int, int);
  void OnRestoreDefaults(int, int);
  void ShowLyricsFont();

  // Handles.
  HINSTANCE instance_ = nullptr;
  HWND window_ = nullptr;
  HWND text_ = nullptr;
  HWND status_ = nullptr;
  HACCEL accelerators_ = nullptr;

  // Child controls.
  BandContainer topBands_;
  BandContainer lowerBands_;
  MenuBar menuBar_;
  Toolbar audioToolbar_;
  Toolbar editToolbar_;
  PositionBar positionBar_;
  TimeDisplay timeDisplay_;
  PreviewHost previewHost_;

  // The lyrics text's model, the change announced before the text window
  // makes it, and the text window's own window procedure.
  struct PendingEdit {
    UINT kind;  // 0 none, else the announcing message
    WPARAM key;
    LPARAM lParam;
    CHARRANGE range;
  };
  LyricsDocument document_{IsLyricsLeadByte};
  PendingEdit pendingEdit_ = {};
  WNDPROC textWindowProc_ = nullptr;
  // The pairs of the units while no lyrics display filter holds them.
  TimestampList timestamps_;

  // Colours of the lyrics units, even and odd.
  COLORREF evenUnitColour_ = 0x00FFCC00;
  COLORREF oddUnitColour_ = 0x0000CCFF;
  // Where colouring the units goes on when the timer next runs; -1 when
  // every unit has its colour.
  int recolourFrom_ = -1;

  // Playback.
  PlayState playState_ = PlayState::kStopped;
  PlayState playStateBeforeSeek_ = PlayState::kStopped;
  LyricsTool toolMode_ = kToolSet;  // the mouse tool of the lyrics display
  int64_t position_ = 0;  // 100-nanosecond units
  int64_t duration_ = 0;
  bool audioReady_ = false;
  // The decoding or playback graph.
  AudioGraph audio_;

  // File names without directory, for the caption.
  char audioFileName_[MAX_PATH] = {};
  char lyricsFileName_[MAX_PATH] = {};
  // The current lyrics file with its directory.
  char lyricsPath_[MAX_PATH] = {};
  // The current lyrics file is word-timed LRC: Save writes the word tags.
  bool lyricsWordTimed_ = false;

  // The enabled state of Save: raised by every edit of the text, its
  // syncpoints or the pairs; lowered by New, Close, Open and a save.
  bool modified_ = false;

  EditorSettings settings_ = {};
};
