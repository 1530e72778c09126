#pragma once
// The control of the display thread (portable): passes with a sleep between
// them, pauses that nest, passes asked for while paused, the hold of a
// reload, and the stop. The lock and the events come from the platform
// (RefreshSync): Win32's own in the product, the standard library's in
// native tests. Who waits on what (nothing here suspends a thread or waits
// on the main thread), the text gate and the stop: docs/ARCHITECTURE.md,
// "Threads, and how a text reaches its panel".
#include <cstdint>

class RefreshSync {
 public:
  // Run: manual reset, set while the thread may start a pass (nothing holds
  // it, or a pass was asked for), and at the stop.
  // Wake: auto reset, ends the sleep between two passes.
  enum Event { kRun, kWake };
  static constexpr uint32_t kForever = 0xFFFFFFFFu;

  virtual ~RefreshSync() = default;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  virtual void Set(Event e) = 0;
  virtual void Reset(Event e) = 0;
  // On the refresh thread: waits for the event, at most ms milliseconds.
  virtual void Wait(Event e, uint32_t ms) = 0;
  // Tells the controlling thread, without waiting for it, that the pass it
  // was waiting for has ended (see NoticeWhenIdle).
  virtual void NoticeIdle() = 0;
};

// Whether the texts of the pass under way may still reach the panels. The
// loop opens the gate as a pass starts; the user's pause closes it (and drops
// texts not shown yet) under the same lock, so a pass that began before the
// pause never shows a text over the dashes.
class TextGate {
 public:
  virtual ~TextGate() = default;
  virtual void Open() = 0;
  virtual void Close() = 0;
};

enum class PassKind {
  None,
  // Every panel's first reading after a reload; no warning is checked (no
  // alert box while the settings dialog is open).
  FirstReadings,
  // Every panel, then every warning.
  Full,
};

class RefreshLoop {
 public:
  // pass runs one refresh pass of that kind and must not raise.
  RefreshLoop(RefreshSync& sync, TextGate& gate, void (*pass)(void*, PassKind), void* context);
  RefreshLoop(const RefreshLoop&) = delete;
  RefreshLoop& operator=(const RefreshLoop&) = delete;

  // The thread body: passes until stopped. When the thread running it has
  // been given up (EndOfPass), a new thread runs it again.
  void Run();

  // Main thread; none of these waits. Each Pause needs its Resume. While
  // paused, only passes asked for run.
  void Pause();
  // The user's pause: a Pause, and the pass under way shows no more texts.
  void PauseMuted();
  void Resume();
  bool Paused();
  // A reload: while held, no pass starts at all, not even one asked for.
  // The lists may be rebuilt once no pass runs (NoticeWhenIdle).
  void Hold();
  void Unhold();
  // A pass of that kind even while paused (not while held); a running
  // thread wakes for an immediate full pass instead.
  void RequestPass(PassKind kind);
  // False when no pass runs. Otherwise the thread calls NoticeIdle once the
  // pass under way has ended.
  bool NoticeWhenIdle();
  // The pass has ended, or the thread running the loop has been given up
  // inside a pass and will never come back to it: no pass runs now. Sends
  // the idle notice the pass owes.
  void EndOfPass();

  // Milliseconds between passes; 0 runs passes back to back. A negative value
  // counts as 0 (it would otherwise mean waiting for ever). A shorter
  // interval than before ends the sleep under way.
  void SetInterval(int32_t ms);
  // The thread ends at its next wait; Run returns.
  void RequestStop();

 private:
  // Under the lock: may a pass start now, and of which kind.
  PassKind Next() const;
  void UpdateRun();
  // One more pause or hold (step 1), or one fewer (step -1, never below 0).
  void Change(int& count, int step);

  RefreshSync& sync_;
  TextGate& gate_;
  void (*pass_)(void*, PassKind);
  void* context_;
  int pauses_ = 0;
  int holds_ = 0;
  PassKind requested_ = PassKind::None;
  bool inPass_ = false;
  bool idleWanted_ = false;
  bool stop_ = false;
  bool run_ = true;  // the state the Run event was last given
  int32_t interval_ = 0;
};
