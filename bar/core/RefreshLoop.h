#pragma once
// The control of the display thread (portable): passes with a sleep between
// them, pauses that nest and take effect between two passes, an immediate
// pass on request, and the stop. The lock and the events come from the
// platform (RefreshSync): Win32's own in the product, the standard library's
// in native tests.
//
// Nothing here suspends a thread: a thread frozen inside the heap or a window
// call would hold a lock the main thread may need. Instead the thread itself
// waits, between passes, while the pause count is above zero.
//
// A stop ends the thread without a further pass: during the sleep it wakes
// the thread at once, and a paused thread ends where it waits, however many
// pauses are outstanding.
#include <cstdint>

class RefreshSync {
 public:
  // Resume: manual reset, set while nothing holds the thread (and at stop).
  // Idle: manual reset, set while no pass runs.
  // Wake: auto reset, ends the sleep between two passes.
  enum Event { kResume, kIdle, kWake };
  static constexpr uint32_t kForever = 0xFFFFFFFFu;

  virtual ~RefreshSync() = default;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  virtual void Set(Event e) = 0;
  virtual void Reset(Event e) = 0;
  // On the refresh thread: waits for the event, at most ms milliseconds.
  virtual void Wait(Event e, uint32_t ms) = 0;
  // On the controlling (main) thread: waits for the event without ever
  // leaving a thread that sends to the main thread unanswered.
  virtual void WaitFromController(Event e) = 0;
};

class RefreshLoop {
 public:
  // pass runs one refresh pass and must not raise.
  RefreshLoop(RefreshSync& sync, void (*pass)(void*), void* context);
  RefreshLoop(const RefreshLoop&) = delete;
  RefreshLoop& operator=(const RefreshLoop&) = delete;

  // The thread body: passes until stopped.
  void Run();

  // Main thread. Pause returns once the thread is between passes (a pass
  // under way finishes first). Each Pause needs its Resume.
  void Pause();
  void Resume();
  bool Paused();
  // Milliseconds between passes; 0 runs passes back to back. A negative value
  // counts as 0 (it would otherwise mean waiting for ever). A shorter
  // interval than before ends the sleep under way.
  void SetInterval(int32_t ms);
  int32_t Interval();
  // Ends the current sleep: the next pass starts at once (a running thread only).
  void Wake();
  // The thread ends at its next wait; Run returns.
  void RequestStop();
  bool StopRequested();
  int64_t PassCount();

 private:
  RefreshSync& sync_;
  void (*pass_)(void*);
  void* context_;
  int pauses_ = 0;
  bool inPass_ = false;
  bool stop_ = false;
  int32_t interval_ = 0;
  int64_t passes_ = 0;
};
