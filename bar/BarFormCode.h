#pragma once
// The bar window (TBarForm): its window, settings button, pop-up menu, hot
// keys, timers, notification icon and painting; the start-up sequence
// (FormCreate) and ApplySettings. Where the bar stands is decided by
// BarPositioner and what the commands do by BarCommands; this class is the
// BarWindow they act on.
#include <windows.h>

#include <memory>
#include <string>

#include "bar/DisplayThreadCode.h"
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

// The application-bar callback and the notification-icon callback.
constexpr UINT WM_BARCALLBACK = WM_USER + 153;  // 0x499
constexpr UINT WM_TRAYICON = WM_USER + 154;     // 0x49A

// The shell's application bar for the bar window (SHAppBarMessage with the
// 36-byte record).
class ShellAppBar : public AppBarShell {
 public:
  explicit ShellAppBar(HWND bar) : bar_(bar) {}
  void Register() override;
  void Remove() override;
  void QueryPos(int edge, EdgeRect& r) override;
  void SetPos(int edge, EdgeRect& r) override;
  void SetAutoHideBar(int edge, bool on) override;
  bool OtherAutoHideBar(int edge) override;

 private:
  HWND bar_;
};

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

  // The panel row and the warnings (nullptr once freed); whether the display
  // thread will notice the end of the pass under way (false: none runs).
  BarPanels* Panels() const { return panels_.get(); }
  BarWarnings* Warnings() const { return warnings_.get(); }
  bool NoticeWhenIdle();

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

  // The bar's parts: the panel row, the warnings and the display thread over
  // them. What reaches them, here and in BarWindow, is defined in
  // bar/BarParts.cpp; the window's in-process test links recording
  // definitions instead (why: docs/ARCHITECTURE.md, "Seams between start-up
  // and the rest of the bar"). None of them waits for a pass, so nothing a
  // pass does (an alert box left open, a plug-in that hangs) can hold the
  // window; only StopThread waits, and for a bounded time. Once the lists or
  // the thread are gone, what would reach them does nothing.
  //
  // The thread is created paused.
  void CreateParts();
  // A reload: no pass starts until UnholdThread.
  void HoldThread();
  void UnholdThread();
  void RequestFirstReadings();
  // Either may raise; each reports its own load errors.
  void LoadPanelList();
  void LoadWarningList();
  // Frees the lists, first releasing the plug-in libraries when clear. Lists
  // that a thread left running may still walk are never freed.
  void FreeLists(bool clear);
  // Start-up's loads stay loaded; later loads start again from the first slot.
  void ForgetLoadedPlugins();

  std::unique_ptr<BarPanels> panels_;
  std::unique_ptr<BarWarnings> warnings_;
  std::unique_ptr<TDisplayThread> thread_;
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

// The rules' bar window is this one.
inline TBarForm& Form(BarWindow& bar) { return static_cast<TBarForm&>(bar); }
