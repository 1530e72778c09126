#include "bar/core/RefreshCycle.h"

#include "shared/core/PluginFault.h"

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

}  // namespace

void RefreshCycle(RefreshPanels& panels, RefreshWarnings& warnings) noexcept {
  try {
    for (int i = 1; i <= panels.PanelCount(); ++i) {
      if (!Survives(i, [&](int n) { panels.UpdatePanel(n); },
                    [&](int n) { panels.DisableSensor(n); }))
        return;
    }
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
