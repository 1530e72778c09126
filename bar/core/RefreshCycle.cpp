#include "bar/core/RefreshCycle.h"

#include "shared/core/PluginOperations.h"

namespace {

// Runs step(i); false when it raised (the pass ends). A fault disables.
template <typename Step, typename Disable>
bool Survives(int i, Step step, Disable disable) noexcept {
  try {
    step(i);
    return true;
  } catch (const PluginFault&) {
    try {
      disable(i);
    } catch (...) {
    }
  } catch (...) {
  }
  return false;
}

// The panels' texts of a pass leave together, before any warning is checked
// (an alert box may hold the pass for long).
class HeldTexts {
 public:
  explicit HeldTexts(RefreshPanels& panels) : panels_(panels) { panels_.HoldTexts(); }
  ~HeldTexts() { Send(); }
  HeldTexts(const HeldTexts&) = delete;
  HeldTexts& operator=(const HeldTexts&) = delete;
  void Send() noexcept {
    if (held_) panels_.SendTexts();
    held_ = false;
  }

 private:
  RefreshPanels& panels_;
  bool held_ = true;
};

}  // namespace

void RefreshCycle(RefreshPanels& panels, RefreshWarnings& warnings) noexcept {
  try {
    HeldTexts texts(panels);
    for (int i = 1; i <= panels.PanelCount(); ++i) {
      if (!Survives(i, [&](int n) { panels.UpdatePanel(n); },
                    [&](int n) { panels.DisableSensor(n); }))
        return;
    }
    texts.Send();
    for (int i = 1; i <= warnings.WarningCount(); ++i) {
      if (!Survives(i, [&](int n) { warnings.CheckWarning(n); },
                    [&](int n) { warnings.DisableCheck(n); }))
        return;
    }
  } catch (...) {
    // A count that cannot be read ends the pass like any other error.
  }
}

void FirstReadings(RefreshPanels& panels) noexcept {
  try {
    HeldTexts texts(panels);
    for (int i = 1; i <= panels.PanelCount(); ++i) {
      try {
        panels.UpdatePanel(i);
      } catch (const PluginFault&) {
        try {
          panels.DisableSensor(i);
          panels.UpdatePanel(i);  // "Error", without a function
        } catch (...) {
        }
      } catch (...) {
      }
    }
  } catch (...) {
  }
}
