#pragma once
// The bar's commands (portable): the pop-up menu's items and their check
// marks, the hot keys, the notification icon and settings button clicks, the
// double-click, the width drag of the
// floating bar and the exit sequence, over the bar window.
#include <cstdint>
#include <string>

#include "bar/core/BarPositioning.h"
// The help file and the web site and updates addresses of the Help menu.
#include "shared/core/Addresses.h"

// Mouse messages the notification icon reports (Win32's values).
constexpr unsigned kMouseLeftDown = 0x0201;   // WM_LBUTTONDOWN
constexpr unsigned kMouseRightDown = 0x0204;  // WM_RBUTTONDOWN

enum class MouseButton { Left, Right, Middle };

// The menu item of each hot key, by its id (1..4).
constexpr BarMenuItem kHotKeyItems[] = {PauseMenu, BarTopMenu, BarBottomMenu, MinimiseMenu};

extern const AboutTexts kBarAboutTexts;

class BarCommands {
 public:
  BarCommands(BarWindow& bar, BarPositioner& positioner) : bar_(bar), pos_(positioner) {}

  // A menu item chosen (its id); other ids do nothing.
  void MenuCommand(unsigned id);

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
  void SettingsMenuClick();
  void PauseMenuClick();
  void BarFloatMenuClick();
  void OnTopMenuClick();
  void AutoHideMenuClick();
  void PositionCommand(BarMenuItem item, TBarPosition position);
  void SaveFloatingPlace();
  void Open(const std::string& target, const char* failure);
  // Hot keys and clicks wait while the settings dialog is open, and while a
  // box of a settings load is open (they would act on half-built lists).
  bool Gated() { return bar_.SettingsTimerEnabled() || bar_.ApplyingSettings(); }
  std::string Setting(const char* section, const char* key, const char* def);
  void Save(const char* section, const char* key, const std::string& value);

  BarWindow& bar_;
  BarPositioner& pos_;
};
