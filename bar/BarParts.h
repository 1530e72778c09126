#pragma once
// The parts of the bar that start-up creates and drives, each behind a small
// interface: the panel row, the warning list, the display thread, the shell's
// application bar, the built-in sensors, the table of loaded plug-in
// libraries and the settings library's dialogs. SystemParts gives the real
// ones; tests give their own.
#include <cstdint>
#include <memory>

#include "bar/core/BarCommands.h"
#include "bar/core/BarPositioning.h"
#include "bar/core/RefreshCycle.h"

class TBarForm;

class PanelRow : public RefreshPanels {  // TDisplayPanels
 public:
  // Reloads the panels from the registry; may raise.
  virtual void LoadPanels() = 0;
  // Every panel shows "------" while refreshing is paused.
  virtual void ShowPaused() = 0;
  // Frees the panels and releases the plug-in libraries.
  virtual void ClearPanels() = 0;
  // Lays the panels out for a bar of that width; answers the bar height.
  virtual int32_t Arrange(int32_t width) = 0;
  // Main thread: shows the texts that passes have handed over.
  virtual void ShowTexts() = 0;
};

class WarningList : public RefreshWarnings {  // TWarnings
 public:
  virtual void LoadWarnings() = 0;
};

class DisplayThread {
 public:
  virtual ~DisplayThread() = default;
  // Pauses nest: each Pause needs its Resume. Pause returns once no pass runs.
  virtual void Pause() = 0;
  virtual void Resume() = 0;
  virtual bool Paused() const = 0;
  virtual void SetInterval(int32_t ms) = 0;
  virtual void SetPriority(int priority) = 0;
  // An immediate pass of a running thread.
  virtual void Wake() = 0;
  // One pass on the calling thread (only while the thread is paused).
  virtual void RefreshCycle() = 0;
  // Requests the end and waits for it.
  virtual void Stop() = 0;
};

class BarParts {
 public:
  virtual ~BarParts() = default;
  virtual std::unique_ptr<PanelRow> CreatePanels(TBarForm& bar) = 0;
  virtual std::unique_ptr<WarningList> CreateWarnings(TBarForm& bar) = 0;
  // The thread starts running at once; the bar pauses it before reading any setting.
  virtual std::unique_ptr<DisplayThread> CreateDisplayThread(PanelRow& panels,
                                                             WarningList& warnings) = 0;
  virtual std::unique_ptr<AppBarShell> CreateShell(TBarForm& bar) = 0;
  // The built-in sensors' own settings.
  virtual void InitBuiltIns(bool atStartUp) = 0;
  // Start-up's loads stay loaded; later loads start again from the first slot.
  virtual void ForgetLoadedPlugins() = 0;
  // The settings library's modal dialogs.
  virtual void ShowSettings() = 0;
  virtual void ShowAbout(const AboutTexts& texts) = 0;
};
