#pragma once
// Reading and applying the general settings, as a driver over the steps the
// bar window offers (portable, so its order and its error path are the same
// everywhere and can be checked without a window).
#include <cstdint>
#include <string>

#include "bar/core/BarWindow.h"
#include "shared/core/SettingsSource.h"

// The "Priorities" texts and the Win32 values they stand for (the bar
// window's Wine test checks the values against windows.h).
constexpr uint32_t kIdlePriorityClass = 0x40, kNormalPriorityClass = 0x20,
                   kHighPriorityClass = 0x80, kRealtimePriorityClass = 0x100;
constexpr int kThreadPriorityLowest = -2, kThreadPriorityBelowNormal = -1,
              kThreadPriorityNormal = 0, kThreadPriorityAboveNormal = 1,
              kThreadPriorityHighest = 2;

// Texts are compared exactly; false (and the output untouched) for any text
// that is not a process class name, so that priority stays as it is.
bool ProcessClassFromText(const std::string& text, uint32_t& priorityClass);
// The same for the thread priority names of "MainThread" and "TimerThread".
bool ThreadPriorityFromText(const std::string& text, int& priority);

// The hot keys for a "HotKeyModifiers" value: 1 Ctrl+Alt+Shift, 2 Ctrl+Alt,
// 3 Ctrl+Shift, 4 Ctrl, 5 and every other value but 0 Alt; 0 unregisters all
// four and leaves the captions without shortcut text.
HotKeyPlan HotKeyPlanFor(int32_t value);

// The plan of the safe defaults after a failed settings load: only the pause
// key, with Ctrl+Alt+Shift.
HotKeyPlan FallbackHotKeyPlan();

// The ten steps in order. When one raises, the rest are skipped: the error
// is shown with code "05." and the safe defaults are applied instead (each of
// them on its own, so one more failure does not leave the bar unplaced).
void ApplySettingsWith(bool atStartUp, SettingsSource& settings, BarWindow& steps);

// One tick of SettingsTimer while the settings dialog is open: "Applied"
// reloads and is answered with "Processed" once the reload is over (also one
// that had to wait for the pass under way). Inline, so that what links it
// needs no settings steps.
inline void SettingsTimerTimer(BarWindow& bar) {
  bar.SetAutoHideTimer(false);
  // Ticks that arrive inside a box of the reload itself, or while it waits
  // for an alert box of the pass under way, wait for its end.
  if (bar.ApplyingSettings() || bar.ReloadWaiting()) return;
  SettingsSource& settings = bar.Settings();
  if (bar.ProcessedOwed) {
    bar.ProcessedOwed = false;
    settings.SaveSetting(kAppName, "Settings", "SettingsStatus", "Processed");
    return;
  }
  if (settings.GetSetting(kAppName, "Settings", "SettingsStatus", "") != "Applied") return;
  bar.ApplySettings(false);
  if (bar.ReloadWaiting())
    bar.ProcessedOwed = true;
  else
    settings.SaveSetting(kAppName, "Settings", "SettingsStatus", "Processed");
}
