#pragma once
// Reading and applying the general settings, as a driver over the steps the
// bar window offers (portable, so its order and its error path are the same
// everywhere and can be checked without a window).
#include <cstdint>
#include <string>

#include "bar/core/BarPosition.h"
#include "bar/core/HotKeys.h"
#include "shared/core/SettingsSource.h"

// What ApplySettings asks of the bar. Any step may raise an error.
class SettingsSteps {
 public:
  virtual ~SettingsSteps() = default;
  virtual void InitBuiltIns(bool atStartUp) = 0;
  // AutoHideTimer enabled and AutoHideMenu checked, or both off.
  virtual void SetAutoHide(bool on) = 0;
  virtual void SetLogAll(bool on) = 0;
  virtual void ApplyHotKeys(const HotKeyPlan& plan) = 0;
  virtual void SetProcessPriority(uint32_t priorityClass) = 0;
  // The thread that runs ApplySettings: the main thread.
  virtual void SetMainThreadPriority(int priority) = 0;
  virtual void SetDisplayThreadPriority(int priority) = 0;
  virtual void LoadPanels() = 0;
  virtual void LoadWarnings() = 0;
  // The position commands: top, floating, bottom or minimise.
  virtual void RunPositionCommand(TBarPosition position) = 0;
  virtual void SetOnTopChecked(bool checked) = 0;
  // Toggles the check of OnTopMenu, applies it and writes "OnTop".
  virtual void RunOnTopCommand() = 0;
  virtual void SetDisplayInterval(int32_t ms) = 0;
  virtual bool IsMinimised() = 0;
  virtual void HideAndShow() = 0;
  virtual void ShowError(const std::string& message, const std::string& code,
                         const std::string& description) = 0;
};

// The ten steps in order. When one raises, the rest are skipped: the error
// is shown with code "05." and the safe defaults are applied instead (each of
// them on its own, so one more failure does not leave the bar unplaced).
void ApplySettingsWith(bool atStartUp, SettingsSource& settings, SettingsSteps& steps);
