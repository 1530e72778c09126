#pragma once
// The bar's commands (portable): the pop-up menu's items and their check
// marks, the hot keys, the notification icon and settings button clicks, the
// settings dialog hand-shake, the double-click, the width drag of the
// floating bar and the exit sequence. The window, the display thread and the
// shell are reached through BarControls.
#include <cstdint>
#include <string>

#include "bar/core/BarPositioning.h"
// The help file and the web site and updates addresses of the Help menu.
#include "shared/core/Addresses.h"

// Mouse messages the notification icon reports (Win32's values).
constexpr unsigned kMouseLeftDown = 0x0201;   // WM_LBUTTONDOWN
constexpr unsigned kMouseRightDown = 0x0204;  // WM_RBUTTONDOWN

enum class MouseButton { Left, Right, Middle };

// The five texts of the About box.
struct AboutTexts {
  const char* Head;
  const char* Name;
  const char* Version;
  const char* Notice;
  const char* About;
};
extern const AboutTexts kBarAboutTexts;

class BarControls : public BarSurface {
 public:
  // The display thread; no call waits for a pass under way.
  virtual void PauseThread() = 0;
  // The user's pause: the pass under way shows no more texts.
  virtual void PauseThreadMuted() = 0;
  virtual void ResumeThread() = 0;
  virtual bool ThreadPaused() = 0;
  // One pass of the display thread at once, paused or not; its texts show.
  virtual void RefreshNow() = 0;
  // Requests the end and waits for it a bounded time.
  virtual void StopThread() = 0;

  virtual void ShowPanelsPaused() = 0;
  // ClearPanels, then the panel list goes.
  virtual void FreePanels() = 0;
  virtual void ApplySettings(bool atStartUp) = 0;
  // An ApplySettings is under way (a box it shows runs a message loop).
  virtual bool ApplyingSettings() = 0;
  // An ApplySettings waits for the pass under way to end (an alert box is
  // open); it runs by itself then.
  virtual bool ReloadWaiting() = 0;

  virtual bool SettingsTimerEnabled() = 0;
  virtual void SetSettingsTimer(bool on) = 0;
  virtual bool AutoHideTimerEnabled() = 0;
  virtual void SetResizeTimer(bool on) = 0;

  // Modal calls into the settings library; they return when the user closes
  // the dialog.
  virtual void ShowSettingsDialog() = 0;
  virtual void ShowAboutBox(const AboutTexts& texts) = 0;
  // The shell's default action on a path or address; false on failure.
  virtual bool ShellOpen(const std::string& target) = 0;
  // A box owned by the bar: title "Corvella", exclamation icon.
  virtual void ShowFailure(const std::string& text) = 0;
  virtual void OpenPopupMenu() = 0;
  // The exit sequence has run.
  virtual bool Closed() = 0;

  virtual void SetOnTop(bool on) = 0;
  virtual void SetSizingCursor(bool sizing) = 0;
  virtual int32_t CursorScreenX() = 0;

  // Last steps of the exit sequence.
  virtual void ReleaseDialUpLibrary() = 0;
  virtual void UnregisterHotKeys() = 0;
  // The default system beep, and the program is told to end.
  virtual void BeepAndTerminate() = 0;
};

class BarCommands {
 public:
  BarCommands(BarControls& bar, BarPositioner& positioner) : bar_(bar), pos_(positioner) {}

  // A menu item chosen (its id); other ids do nothing.
  void MenuCommand(unsigned id);

  void SettingsMenuClick();
  void PauseMenuClick();
  void RefreshMenuClick();
  void HelpMenuClick();
  void WebMenuClick();
  void UpdatesMenuClick();
  void AboutMenuClick();

  void BarTopMenuClick() { PositionCommand(BarTopMenu, bpTop); }
  void BarBottomMenuClick() { PositionCommand(BarBottomMenu, bpBottom); }
  void MinimiseMenuClick() { PositionCommand(MinimiseMenu, bpMinimised); }
  void BarFloatMenuClick();
  void OnTopMenuClick();
  void AutoHideMenuClick();

  // While the settings dialog is open. "Processed" follows a reload that had
  // to wait for the pass under way.
  void SettingsTimerTimer();
  // Ignored while the settings dialog is open or the settings are loading.
  void HotKey(int id);
  void TrayIcon(unsigned mouseMessage);
  void SettingsImageMouseDown(MouseButton button);

  void FormDblClick();
  // Client x of the pointer.
  void FormMouseDown(int32_t x);
  void FormMouseMove(int32_t x);
  void FormMouseUp(int32_t x);
  void ResizeTimerTimer();

  // The exit sequence; every step runs even when one before it failed.
  void FormCloseQuery();

 private:
  void PositionCommand(BarMenuItem item, TBarPosition position);
  void SaveFloatingPlace();
  void Open(const std::string& target, const char* failure);
  // Hot keys and clicks wait while the settings dialog is open, and while a
  // box of a settings load is open (they would act on half-built lists).
  bool Gated() { return bar_.SettingsTimerEnabled() || bar_.ApplyingSettings(); }
  std::string Setting(const char* section, const char* key, const char* def);
  void Save(const char* section, const char* key, const std::string& value);

  BarControls& bar_;
  BarPositioner& pos_;
  bool processedOwed_ = false;
};
