#pragma once
// TDisplayThread: the one background thread that refreshes the panels and
// evaluates the warnings, pass after pass, sleeping "Update" milliseconds
// between two passes. Its control (pauses, wake, stop) is RefreshLoop; this
// is the Win32 thread with Win32's own lock and events around it.
#include <windows.h>

#include "bar/BarParts.h"
#include "bar/core/RefreshLoop.h"
#include "shared/win32/Handle.h"

// Waits for the handle on the main thread while still answering messages
// that other threads send to this thread's windows (a thread blocked in a
// plain wait could leave such a sender waiting for ever).
void WaitAnsweringSenders(HANDLE handle);

class Win32RefreshSync : public RefreshSync {
 public:
  Win32RefreshSync();
  void Lock() override { lock_.Enter(); }
  void Unlock() override { lock_.Leave(); }
  void Set(Event e) override { SetEvent(events_[e].Get()); }
  void Reset(Event e) override { ResetEvent(events_[e].Get()); }
  void Wait(Event e, uint32_t ms) override { WaitForSingleObject(events_[e].Get(), ms); }
  void WaitFromController(Event e) override { WaitAnsweringSenders(events_[e].Get()); }

 private:
  CriticalSection lock_;
  Handle events_[3];
};

class TDisplayThread : public DisplayThread {
 public:
  // Starts the thread at once (not suspended), with Interval 0.
  TDisplayThread(RefreshPanels& panels, RefreshWarnings& warnings);
  // Stops the thread if Stop has not.
  ~TDisplayThread() override;
  TDisplayThread(const TDisplayThread&) = delete;
  TDisplayThread& operator=(const TDisplayThread&) = delete;

  void Pause() override { loop_.Pause(); }
  void Resume() override { loop_.Resume(); }
  bool Paused() const override { return loop_.Paused(); }
  void SetInterval(int32_t ms) override { loop_.SetInterval(ms); }
  int32_t Interval() const { return loop_.Interval(); }
  void SetPriority(int priority) override;
  void Wake() override { loop_.Wake(); }
  void RefreshCycle() override;
  void Stop() override;
  // Passes the thread has run (not counting those run by RefreshCycle).
  int64_t PassCount() const { return loop_.PassCount(); }

 private:
  static DWORD WINAPI Execute(LPVOID self);
  static void Pass(void* self);

  RefreshPanels& panels_;
  RefreshWarnings& warnings_;
  mutable Win32RefreshSync sync_;
  mutable RefreshLoop loop_;
  Handle thread_;
};
