#pragma once
// The parts of the bar that start-up creates and drives, each behind a small
// interface: the panel row, the warning list, the display thread, the
// built-in sensors, the table of loaded plug-in libraries and the placement
// of the window. StartUpParts gives the plain ones; the parts that grow into
// full subsystems replace theirs through BarParts.
#include <cstdint>
#include <memory>

#include "bar/core/BarPosition.h"

class TBarForm;

class PanelRow {  // TDisplayPanels
 public:
  virtual ~PanelRow() = default;
  // Reloads the panels from the registry; may raise.
  virtual void LoadPanels() = 0;
  // Every panel shows "------" while refreshing is paused.
  virtual void ShowPaused() = 0;
  // Frees the panels and releases the plug-in libraries.
  virtual void ClearPanels() = 0;
};

class WarningList {  // TWarnings
 public:
  virtual ~WarningList() = default;
  virtual void LoadWarnings() = 0;
};

class DisplayThread {
 public:
  virtual ~DisplayThread() = default;
  // Pauses nest: each Pause needs its Resume.
  virtual void Pause() = 0;
  virtual void Resume() = 0;
  virtual bool Paused() const = 0;
  virtual void SetInterval(int32_t ms) = 0;
  virtual void SetPriority(int priority) = 0;
  // Requests the end and waits for it.
  virtual void Stop() = 0;
};

// Where the window stands: docked, floating or minimised.
class BarPlacement {
 public:
  virtual ~BarPlacement() = default;
  // Applies position p (0: the current one again), checks its menu item and
  // writes "BarPosition".
  virtual void SetBarPosition(TBarPosition p) = 0;
  // Every second while the AutoHideTimer runs.
  virtual void AutoHideTick() = 0;
  // At exit: the application bar and the notification icon go.
  virtual void Leave() = 0;
};

class BarParts {
 public:
  virtual ~BarParts() = default;
  virtual std::unique_ptr<PanelRow> CreatePanels(TBarForm& bar) = 0;
  virtual std::unique_ptr<WarningList> CreateWarnings(TBarForm& bar) = 0;
  // The thread starts running at once; the bar pauses it before reading any setting.
  virtual std::unique_ptr<DisplayThread> CreateDisplayThread(PanelRow& panels,
                                                             WarningList& warnings) = 0;
  virtual std::unique_ptr<BarPlacement> CreatePlacement(TBarForm& bar) = 0;
  // The built-in sensors' own settings.
  virtual void InitBuiltIns(bool atStartUp) = 0;
  // Start-up's loads stay loaded; later loads start again from the first slot.
  virtual void ForgetLoadedPlugins() = 0;
};
