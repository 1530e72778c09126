#pragma once
// TDisplayThread: the background thread that refreshes the panels and
// evaluates the warnings, pass after pass. Its control (pauses, passes asked
// for, the hold of a reload, the stop) is RefreshLoop; this is the Win32
// thread with Win32's own lock and events around it, and the watch over its
// calls (docs/ARCHITECTURE.md, "Threads": calls that hang).
#include <windows.h>

#include "bar/core/DisplayPanelCode.h"
#include "bar/core/RefreshLoop.h"
#include "sensors/core/WarningObjectCode.h"
#include "shared/win32/Handle.h"

// Posted to the bar window once the pass it waited for has ended.
constexpr UINT WM_THREADIDLE = WM_USER + 162;

// How long Stop waits for the thread's end.
constexpr DWORD kStopWaitMs = 2000;

class Win32RefreshSync : public RefreshSync {
 public:
  // notices: the window that receives WM_THREADIDLE.
  explicit Win32RefreshSync(HWND notices);
  void Lock() override { lock_.Enter(); }
  void Unlock() override { lock_.Leave(); }
  void Set(Event e) override { SetEvent(events_[e].Get()); }
  void Reset(Event e) override { ResetEvent(events_[e].Get()); }
  void Wait(Event e, uint32_t ms) override { WaitForSingleObject(events_[e].Get(), ms); }
  void NoticeIdle() override { PostMessageA(notices_, WM_THREADIDLE, 0, 0); }

 private:
  CriticalSection lock_;
  Handle events_[2];
  HWND notices_;
};

// The warnings as a pass checks them, over the process's plug-in contract,
// the built-in catalogue and the alert and error boxes.
class BarWarnings : public RefreshWarnings, private TWarningHost {
 public:
  BarWarnings();
  int WarningCount() override { return list_.Count(); }
  void CheckWarning(int i) override { list_.Items(i).Check(); }
  void DisableCheck(int i) override { list_.Items(i).CheckFunc = nullptr; }
  TWarnings& List() { return list_; }

 private:
  // TWarningHost.
  TBuiltInWarning BuiltInWarning(int32_t number) override;
  bool StoppedResponding(TWarningFunction fn) override;
  void RaiseWarning(const std::string& text) override;
  void ShowError(const std::string& message, const std::string& code,
                 const std::string& description) override;

  TWarnings list_;
};

// The thread as the bar window drives it.
class TDisplayThread {
 public:
  // Starts the thread paused once, with Interval 0.
  TDisplayThread(TDisplayPanels& panels, RefreshWarnings& warnings, TextGate& gate,
                 HWND notices);
  // Stops the thread if Stop has not.
  ~TDisplayThread();
  TDisplayThread(const TDisplayThread&) = delete;
  TDisplayThread& operator=(const TDisplayThread&) = delete;

  // Pauses, passes asked for, the hold of a reload.
  RefreshLoop& Loop() { return loop_; }
  void SetPriority(int priority);
  // A call under way for kCallHangLimitMs gives the thread up and takes its
  // function (fn) out of service. No thread runs passes until StartThread.
  bool GiveUpHungThread(void*& fn);
  bool CallUnderWayFor(uint32_t ms);
  void StartThread();
  // False when the thread has not ended within kStopWaitMs.
  bool Stop();

 private:
  struct Worker;
  static DWORD WINAPI Execute(LPVOID worker);
  static void Pass(void* self, PassKind kind);

  TDisplayPanels& panels_;
  RefreshWarnings& warnings_;
  Win32RefreshSync sync_;
  RefreshLoop loop_;
  Handle thread_;
  Worker* worker_ = nullptr;  // the record of the thread in thread_
  int priority_ = THREAD_PRIORITY_NORMAL;
};
