#pragma once
// What TBarForm drives besides its window: the panel row, the warnings, the
// display thread, the built-in sensors and the settings library's dialogs.
// One concrete type with two definitions chosen by the linker: the program's
// (bar/BarParts.cpp; the dialogs in Main.cpp) and the recording one of the
// window's in-process test (why: docs/ARCHITECTURE.md, "Seams between
// start-up and the rest of the bar").
//
// None of these waits for a pass, so nothing a pass does (an alert box left
// open, a plug-in that hangs) can hold the window; only StopThread waits, and
// for a bounded time. Once the lists or the thread are gone, what would reach
// them does nothing.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "bar/core/BarWindow.h"
#include "bar/core/RefreshLoop.h"

class BarPanels;
class BarWarnings;
class TDisplayThread;

class BarParts {
 public:
  BarParts();
  ~BarParts();
  BarParts(const BarParts&) = delete;
  BarParts& operator=(const BarParts&) = delete;

  // The panel row and the warnings of the bar window (the receiver of the
  // panels' texts and of the thread's notices; logAll is its LogAll flag),
  // and the display thread over them, created paused.
  void Create(HWND bar, const bool& logAll);

  // The lists. LoadPanels reloads the panels and LoadWarnings the warnings,
  // reporting their own errors; either may raise.
  void LoadPanels();
  void LoadWarnings();
  // Every panel shows "------" while refreshing is paused.
  void ShowPaused();
  // Lays the panels out for a bar of that width; answers the bar height
  // (kDockProposalHeight without panels).
  int32_t Arrange(int32_t width);
  // Frees the lists, first releasing the plug-in libraries when clear. Lists
  // that a thread left running may still walk are never freed.
  void FreeLists(bool clear);

  // The display thread: pauses (PauseMuted is the user's pause), the hold of
  // a reload, passes asked for and the idle notice, as RefreshLoop has them.
  void Pause();
  void PauseMuted();
  void Resume();
  bool Paused();
  void Hold();
  void Unhold();
  bool NoticeWhenIdle();
  void RequestPass(PassKind kind);
  void SetInterval(int32_t ms);
  void SetPriority(int priority);
  // Main thread, from time to time: a call of the thread into a sensor or
  // check function that has been under way for kCallHangLimitMs gives the
  // thread up (it ends by itself if the call ever returns), every panel and
  // warning of that function is disabled, and a new thread carries on. True
  // when it did.
  bool GiveUpHungThread();
  // Main thread: whether a call of the thread has been under way for at
  // least ms milliseconds (the watch looks closely then).
  bool CallUnderWayFor(uint32_t ms);
  // Requests the end and waits for it a bounded time, answering what other
  // threads send meanwhile. False when the thread has not ended (an alert box
  // is open, say): it keeps the lists and the libraries it may use.
  bool StopThread();

  // The built-in sensors' own settings.
  void InitBuiltIns(bool atStartUp);
  // Start-up's loads stay loaded; later loads start again from the first slot.
  void ForgetLoadedPlugins();
  // The settings library's modal dialogs.
  void ShowSettings();
  void ShowAbout(const AboutTexts& texts);

  BarPanels* Panels() const { return panels_.get(); }
  BarWarnings* Warnings() const { return warnings_.get(); }

 private:
  std::unique_ptr<BarPanels> panels_;
  std::unique_ptr<BarWarnings> warnings_;
  std::unique_ptr<TDisplayThread> thread_;
  bool threadLeftRunning_ = false;
};
