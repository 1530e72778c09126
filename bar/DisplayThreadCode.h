#pragma once
// TDisplayThread: the background thread that refreshes the panels and
// evaluates the warnings, pass after pass. Its control (pauses, passes asked
// for, the hold of a reload, the stop) is RefreshLoop; this is the Win32
// thread with Win32's own lock and events around it, and the watch over its
// calls (docs/ARCHITECTURE.md, "Threads": calls that hang).
#include <windows.h>

#include "bar/BarParts.h"
#include "bar/core/RefreshLoop.h"
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

class TDisplayThread : public DisplayThread {
 public:
  // Starts the thread paused once, with Interval 0.
  TDisplayThread(RefreshPanels& panels, RefreshWarnings& warnings, TextGate& gate,
                 HWND notices);
  // Stops the thread if Stop has not (see DisplayThread).
  ~TDisplayThread() override;
  TDisplayThread(const TDisplayThread&) = delete;
  TDisplayThread& operator=(const TDisplayThread&) = delete;

  void Pause() override { loop_.Pause(); }
  void PauseMuted() override { loop_.PauseMuted(); }
  void Resume() override { loop_.Resume(); }
  bool Paused() const override { return loop_.Paused(); }
  void Hold() override { loop_.Hold(); }
  void Unhold() override { loop_.Unhold(); }
  bool NoticeWhenIdle() override { return loop_.NoticeWhenIdle(); }
  void RequestPass(PassKind kind) override { loop_.RequestPass(kind); }
  void SetInterval(int32_t ms) override { loop_.SetInterval(ms); }
  void SetPriority(int priority) override;
  bool GiveUpHungThread(void*& fn) override;
  bool CallUnderWayFor(uint32_t ms) override;
  void StartThread() override;
  bool Stop() override;

 private:
  struct Worker;
  static DWORD WINAPI Execute(LPVOID worker);
  static void Pass(void* self, PassKind kind);

  RefreshPanels& panels_;
  RefreshWarnings& warnings_;
  mutable Win32RefreshSync sync_;
  mutable RefreshLoop loop_;
  Handle thread_;
  Worker* worker_ = nullptr;  // the record of the thread in thread_
  int priority_ = THREAD_PRIORITY_NORMAL;
};
