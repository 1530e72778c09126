#pragma once
// The bar window (TBarForm): its window, settings button, pop-up menu, hot
// keys, timers, notification icon and painting; the start-up sequence
// (FormCreate) and ApplySettings. Where the bar stands is decided by
// BarPositioner and what the commands do by BarCommands; this class is the
// BarWindow they act on. Panels, warnings and the display thread are its
// BarParts.
#include <windows.h>

#include <memory>
#include <string>

#include "bar/BarParts.h"
#include "bar/PanelWindows.h"
#include "bar/core/ApplySettings.h"
#include "bar/core/BarCommands.h"
#include "bar/core/BarPositioning.h"
#include "shared/core/PluginOperations.h"
#include "shared/VBFunctions.h"
#include "shared/win32/Library.h"

constexpr const char* kBarClassName = "TBarForm";
constexpr const char* kBarCaption = "Corvella";
constexpr const char* kVersionText = "1.6";

// Control id of the settings button (22 x 22 at 3, 3).
constexpr int kSettingsPanelId = 100;

// Timer ids of the bar window. WatchTimer's two rates: docs/ARCHITECTURE.md,
// "Threads" (calls that hang).
constexpr UINT kWatchMs = kCallHangLimitMs / 2;
constexpr UINT kWatchCloseMs = 500;
enum BarTimer : UINT_PTR {
  DisplayTimer = 1,
  ResizeTimer = 2,
  SettingsTimer = 3,
  AutoHideTimer = 4,
  WatchTimer = 5
};

class TBarForm : public BarWindow {
 public:
  // shell: the shell's application bar as the positioning sees it (not
  // owned); by default the system's.
  explicit TBarForm(AppBarShell* shell = nullptr);
  ~TBarForm();

  // Creates the window, owned by the application window (so the bar has no
  // taskbar button of its own), and runs FormCreate. False when the window
  // cannot be created.
  bool Create(HWND applicationWindow);
  HWND Handle() const { return hwnd_; }

  // A menu command (BarCommands::MenuCommand) unless the bar has closed.
  void Command(BarMenuItem item);
  void SetBarPosition(TBarPosition p);
  // Runs the exit sequence and destroys the window.
  void Close();

  HMENU PopupMenu() const { return menu_; }
  bool TrayIconShown() const { return trayShown_; }

  BarParts& Parts() { return parts_; }

 private:
  // The window's side of the rules is defined with the window.
  friend class BarWindow;

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
  LRESULT Dispatch(UINT msg, WPARAM w, LPARAM l);
  void FormCreate();
  void FormPaint();
  void PaintBackground(HDC dc);
  void OnTimer(UINT_PTR id);
  // The thread is held and runs no pass.
  void Reload(bool atStartUp);
  void ThreadIdle();
  void WatchDisplayThread();
  void CreateSettingsPanel();
  void SetTimerOn(BarTimer id, UINT ms, bool on);

  BarParts parts_;
  RegistrySettings settings_;
  HWND hwnd_ = nullptr;
  HWND settingsPanel_ = nullptr;
  HMENU menu_ = nullptr;
  HBITMAP settingsImage_ = nullptr;
  bool timerOn_[WatchTimer + 1] = {};  // by BarTimer
  bool trayShown_ = false;
  bool sizing_ = false;
  bool closed_ = false;
  bool applying_ = false;
  bool reloadWaiting_ = false;
  bool freeListsAfterLoad_ = false;
  // The display thread did not end at exit: what it may touch stays.
  bool threadLeftRunning_ = false;
  bool watchClose_ = false;  // WatchTimer runs every kWatchCloseMs
  UINT taskbarCreated_ = 0;
  Library rasLibrary_;
  std::unique_ptr<PanelToolTips> tips_;
  AppBarShell* shell_;
  std::unique_ptr<AppBarShell> systemShell_;
  std::unique_ptr<BarPositioner> positioner_;
  std::unique_ptr<BarCommands> commands_;
};

// The one bar window of the program, or nullptr.
extern TBarForm* BarForm;
