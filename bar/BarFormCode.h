#pragma once
// The bar window (TBarForm): its window, settings button, pop-up menu, hot
// keys, timers, notification icon and painting; the start-up sequence
// (FormCreate) and ApplySettings. Where the bar stands is decided by
// BarPositioner and what the commands do by BarCommands; this class applies
// their decisions to the window. Panels, warnings, the display thread and
// the shell come from BarParts.
#include <windows.h>

#include <memory>
#include <string>

#include "bar/BarMenu.h"
#include "bar/BarParts.h"
#include "bar/PanelWindows.h"
#include "bar/core/ApplySettings.h"
#include "bar/core/BarCommands.h"
#include "bar/core/BarPositioning.h"
#include "shared/core/PluginContract.h"
#include "shared/VBFunctions.h"
#include "shared/win32/Library.h"

constexpr const char* kBarClassName = "TBarForm";
constexpr const char* kBarCaption = "Corvella";
constexpr const char* kVersionText = "1.6";

// Control id of the settings button (22 x 22 at 3, 3).
constexpr int kSettingsPanelId = 100;

// Timer ids of the bar window.
// WatchTimer looks for a call of the display thread that hangs: every
// kWatchMs while no call has been under way for kWatchCloseMs, every
// kWatchCloseMs while one has. Healthy passes wake the window once in a few
// seconds, and a call that hangs is still given up at most kWatchCloseMs
// after the hang limit (the slow look comes before the limit is half over).
constexpr UINT kWatchMs = kCallHangLimitMs / 2;
constexpr UINT kWatchCloseMs = 500;
enum BarTimer : UINT_PTR {
  DisplayTimer = 1,
  ResizeTimer = 2,
  SettingsTimer = 3,
  AutoHideTimer = 4,
  WatchTimer = 5
};

class TBarForm : public BarFields, private SettingsSteps, private BarControls {
 public:
  explicit TBarForm(BarParts& parts);
  ~TBarForm() override;
  TBarForm(const TBarForm&) = delete;
  TBarForm& operator=(const TBarForm&) = delete;

  // Creates the window, owned by the application window (so the bar has no
  // taskbar button of its own), and runs FormCreate. False when the window
  // cannot be created.
  bool Create(HWND applicationWindow);
  HWND Handle() const { return hwnd_; }

  // Reads and applies every general setting (true from FormCreate, false
  // after the settings dialog) while the display thread runs no pass: when a
  // pass is under way (an alert box open), the reload waits for its end
  // without holding the window, and runs by itself then.
  void ApplySettings(bool atStartUp) override;
  bool ApplyingSettings() override { return applying_; }
  bool ReloadWaiting() override { return reloadWaiting_; }

  // A menu command (BarCommands::MenuCommand) unless the bar has closed.
  void Command(BarMenuItem item);
  void SetBarPosition(TBarPosition p);
  // Runs the exit sequence and destroys the window.
  void Close();

  HMENU PopupMenu() const { return menu_; }
  bool Checked(BarMenuItem item) override;
  void SetChecked(BarMenuItem item, bool checked) override;
  bool AutoHideTimerEnabled() override { return autoHideTimer_; }
  bool SettingsTimerEnabled() override { return settingsTimer_; }
  bool TrayIconShown() const { return trayShown_; }

  PanelRow* Panels() const { return panels_.get(); }
  WarningList* Warnings() const { return warnings_.get(); }
  DisplayThread* Thread() const { return displayThread_.get(); }

 private:
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
  void SetTimerOn(UINT_PTR id, UINT ms, bool on, bool& flag);

  // SettingsSteps.
  void InitBuiltIns(bool atStartUp) override;
  void SetAutoHide(bool on) override;
  void SetLogAll(bool on) override { LogAll = on; }
  void ApplyHotKeys(const HotKeyPlan& plan) override;
  void SetProcessPriority(uint32_t priorityClass) override;
  void SetMainThreadPriority(int priority) override;
  void SetDisplayThreadPriority(int priority) override;
  void LoadPanels() override;
  void LoadWarnings() override;
  void RunPositionCommand(TBarPosition position) override;
  void SetOnTopChecked(bool checked) override { SetChecked(OnTopMenu, checked); }
  void RunOnTopCommand() override { Command(OnTopMenu); }
  void SetDisplayInterval(int32_t ms) override;
  bool IsMinimised() override { return Checked(MinimiseMenu); }
  void HideAndShow() override;
  void ShowError(const std::string& message, const std::string& code,
                 const std::string& description) override;

  // BarSurface.
  BarFields& Fields() override { return *this; }
  SettingsSource& Settings() override { return settings_; }
  MonitorRect Monitor() override;
  BarBounds Bounds() override;
  bool Visible() override;
  int32_t ClientWidth() override;
  void SetBounds(const BarBounds& b) override;
  void ShowBar() override;
  void HideBar() override;
  void SetCaption(const std::string& caption) override;
  uint32_t Style() override;
  void SetStyle(uint32_t style) override;
  BorderKind Border() override { return BorderKind::Dialog; }
  int32_t CaptionHeight() override;
  int32_t Arrange(int32_t width) override;
  void SetTrayIcon(bool show) override;
  void SetDisplayTimer(bool on) override;
  void SetAutoHideTimer(bool on) override;
  void ShowAutoHideRefusal(const std::string& text) override;
  void ShowFatalError(const std::string& message, const std::string& code,
                      const std::string& description) override;
  void RunPauseCommand() override { Command(PauseMenu); }

  // BarControls.
  void PauseThread() override;
  void PauseThreadMuted() override;
  void ResumeThread() override;
  bool ThreadPaused() override;
  void RefreshNow() override;
  void StopThread() override;
  void ShowPanelsPaused() override;
  void FreePanels() override;
  void SetSettingsTimer(bool on) override;
  void SetResizeTimer(bool on) override;
  void ShowSettingsDialog() override { parts_.ShowSettings(); }
  void ShowAboutBox(const AboutTexts& texts) override { parts_.ShowAbout(texts); }
  bool ShellOpen(const std::string& target) override;
  void ShowFailure(const std::string& text) override;
  void OpenPopupMenu() override;
  bool Closed() override { return closed_; }
  void SetOnTop(bool on) override;
  void SetSizingCursor(bool sizing) override;
  int32_t CursorScreenX() override;
  // A display thread left running may be inside the dial-up sensor.
  void ReleaseDialUpLibrary() override {
    if (!threadLeftRunning_) rasLibrary_.Release();
  }
  void UnregisterHotKeys() override;
  void BeepAndTerminate() override;

  BarParts& parts_;
  RegistrySettings settings_;
  HWND hwnd_ = nullptr;
  HWND settingsPanel_ = nullptr;
  HMENU menu_ = nullptr;
  HBITMAP settingsImage_ = nullptr;
  bool autoHideTimer_ = false;
  bool settingsTimer_ = false;
  bool displayTimer_ = false;
  bool resizeTimer_ = false;
  bool trayShown_ = false;
  bool sizing_ = false;
  bool closed_ = false;
  bool applying_ = false;
  bool reloadWaiting_ = false;
  bool freeListsAfterLoad_ = false;
  // The display thread did not end at exit: what it may touch stays.
  bool threadLeftRunning_ = false;
  bool watchTimer_ = false;
  bool watchClose_ = false;  // WatchTimer runs every kWatchCloseMs
  UINT taskbarCreated_ = 0;
  Library rasLibrary_;
  std::unique_ptr<PanelToolTips> tips_;
  std::unique_ptr<AppBarShell> shell_;
  std::unique_ptr<BarPositioner> positioner_;
  std::unique_ptr<BarCommands> commands_;
  std::unique_ptr<PanelRow> panels_;
  std::unique_ptr<WarningList> warnings_;
  std::unique_ptr<DisplayThread> displayThread_;
};

// The one bar window of the program, or nullptr.
extern TBarForm* BarForm;
