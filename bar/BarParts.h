#pragma once
// The parts of the bar that start-up creates and drives, each behind a small
// interface (why: docs/ARCHITECTURE.md, "Seams between start-up and the rest
// of the bar").
#include <cstdint>
#include <memory>

#include "bar/core/BarCommands.h"
#include "bar/core/BarPositioning.h"
#include "bar/core/DisplayPanelCode.h"
#include "bar/core/RefreshLoop.h"

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
  // Main thread, while no pass runs: every panel of fn shows "Error" from
  // now on, its tool tip saying that it stopped responding.
  virtual void DisableStopped(void* fn) = 0;
  // Where the texts of a pass are let through or muted.
  virtual TextGate& Gate() = 0;
};

class WarningList : public RefreshWarnings {  // TWarnings
 public:
  virtual void LoadWarnings() = 0;
  // Main thread, while no pass runs: no warning calls fn again.
  virtual void DisableStopped(void* fn) = 0;
};

// The display thread as the bar drives it. None of these waits for a pass,
// so nothing a pass does (an alert box left open, a plug-in that hangs) can
// hold the window; only Stop waits, and for a bounded time.
class DisplayThread {
 public:
  // The owner never destroys a thread that Stop could not end.
  virtual ~DisplayThread() = default;
  // Pauses nest: each Pause needs its Resume. A pass under way finishes when
  // it can; only passes asked for run while paused.
  virtual void Pause() = 0;
  // The user's pause: the pass under way shows no more texts.
  virtual void PauseMuted() = 0;
  virtual void Resume() = 0;
  virtual bool Paused() const = 0;
  // A reload: while held no pass starts, not even one asked for.
  virtual void Hold() = 0;
  virtual void Unhold() = 0;
  // False when no pass runs; otherwise the bar window receives
  // WM_THREADIDLE once the pass under way has ended (or been given up).
  virtual bool NoticeWhenIdle() = 0;
  // A pass of that kind at once, even while paused (not while held).
  virtual void RequestPass(PassKind kind) = 0;
  virtual void SetInterval(int32_t ms) = 0;
  virtual void SetPriority(int priority) = 0;
  // Main thread, from time to time: a call of the thread into a sensor or
  // check function that has been under way for kCallHangLimitMs gives the
  // thread up (it ends by itself if the call ever returns) and takes fn out
  // of service. No thread runs passes until StartThread.
  virtual bool GiveUpHungThread(void*& fn) = 0;
  // Main thread: whether a call of the thread has been under way for at
  // least ms milliseconds (the watch looks closely then).
  virtual bool CallUnderWayFor(uint32_t ms) { return ms == 0; }
  virtual void StartThread() = 0;
  // Requests the end and waits for it a bounded time, answering what other
  // threads send meanwhile. False when the thread has not ended (an alert box
  // is open, say): it may still use the lists and the libraries.
  virtual bool Stop() = 0;
};

class BarParts {
 public:
  virtual ~BarParts() = default;
  virtual std::unique_ptr<PanelRow> CreatePanels(TBarForm& bar) = 0;
  virtual std::unique_ptr<WarningList> CreateWarnings(TBarForm& bar) = 0;
  // The thread starts paused (once): the bar resumes it after the first
  // settings load. Its notices go to the bar window.
  virtual std::unique_ptr<DisplayThread> CreateDisplayThread(TBarForm& bar, PanelRow& panels,
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
