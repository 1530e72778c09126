#include "shared/core/WarningAlert.h"

bool RunWarningAlert(const std::string& message, SettingsSource& settings, AlertOutput& out) {
  const std::string entry = "Warning: " + message;
  if (settings.GetSetting(kAppName, "Settings", "AudioWarnings", "FALSE") == "TRUE") {
    for (int round = 0; round < 3; ++round) {
      for (int i = 0; i < 50; ++i) {
        out.Beep();
        out.Pause(1);
      }
      for (int i = 0; i < 10; ++i) {
        out.Beep();
        out.Pause(5);
      }
      out.Pause(100);
    }
  }
  out.ShowBox(entry);
  if (settings.GetSetting(kAppName, "Settings", "LogWarnings", "FALSE") == "TRUE")
    out.AppendLog(entry);
  return true;
}
