#pragma once
// The warning alert as a sequence over its outputs (portable), so the order
// tones, box, log line is the same on every system and can be checked.
#include <string>

#include "shared/core/SettingsSource.h"

class AlertOutput {
 public:
  virtual ~AlertOutput() = default;
  virtual void Beep() = 0;
  virtual void Pause(unsigned ms) = 0;
  // Shows the box and returns when the user has closed it.
  virtual void ShowBox(const std::string& text) = 0;
  // Appends a log line for the entry text; may raise CvlError.
  virtual void AppendLog(const std::string& entry) = 0;
};

// Entry text "Warning: " + message. With "AudioWarnings" "TRUE": three times
// fifty beeps with 1 ms pauses, ten beeps with 5 ms pauses and a 100 ms pause.
// Then the box; then, with "LogWarnings" "TRUE", the log line (so its time is
// the time the box was closed). Always answers true.
bool RunWarningAlert(const std::string& message, SettingsSource& settings, AlertOutput& out);
