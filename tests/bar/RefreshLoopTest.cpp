// The display thread's control on real threads: no call of the main thread
// waits for a pass, pauses nest and take effect once the pass under way has
// ended (muted at once for the user's pause), a reload is told when that
// pass has ended, passes asked for run while paused, a given-up thread is
// replaced, and a stop ends the thread at once from a sleep or a pause.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "bar/core/RefreshLoop.h"

namespace {

using namespace std::chrono_literals;

// Events with Win32's semantics (manual and auto reset) on the standard library.
class StdSync : public RefreshSync {
 public:
  void Lock() override { lock_.lock(); }
  void Unlock() override { lock_.unlock(); }
  void Set(Event e) override {
    std::lock_guard<std::mutex> g(m_);
    set_[e] = true;
    cv_.notify_all();
  }
  void Reset(Event e) override {
    std::lock_guard<std::mutex> g(m_);
    set_[e] = false;
  }
  void Wait(Event e, uint32_t ms) override {
    std::unique_lock<std::mutex> g(m_);
    auto ready = [&] { return set_[e]; };
    if (ms == kForever)
      cv_.wait(g, ready);
    else
      cv_.wait_for(g, std::chrono::milliseconds(ms), ready);
    if (e == kWake) set_[e] = false;  // auto reset
  }
  void NoticeIdle() override { ++notices; }

  std::atomic<int> notices{0};

 private:
  std::recursive_mutex lock_;
  std::mutex m_;
  std::condition_variable cv_;
  bool set_[2] = {};
};

class Gate : public TextGate {
 public:
  void Open() override { open = true; }
  void Close() override { open = false; }
  std::atomic<bool> open{true};
};

// A pass that counts itself, notes its kind and can be held in the middle
// (on one thread only, when `only` names it).
struct Pass {
  std::atomic<int> count{0};
  std::atomic<bool> hold{false};
  std::atomic<bool> inside{false};
  std::atomic<std::thread::id> only{std::thread::id()};
  std::mutex m;
  std::vector<PassKind> kinds;
  bool Held() {
    const std::thread::id t = only;
    return hold && (t == std::thread::id() || t == std::this_thread::get_id());
  }
  static void Run(void* self, PassKind kind) {
    auto* p = static_cast<Pass*>(self);
    p->inside = true;
    while (p->Held()) std::this_thread::sleep_for(1ms);
    {
      std::lock_guard<std::mutex> g(p->m);
      p->kinds.push_back(kind);
    }
    ++p->count;
    p->inside = false;
  }
  PassKind Last() {
    std::lock_guard<std::mutex> g(m);
    return kinds.empty() ? PassKind::None : kinds.back();
  }
};

class Loop : public ::testing::Test {
 protected:
  void Start(int32_t interval) {
    loop.SetInterval(interval);
    thread = std::thread([this] { loop.Run(); });
  }
  void TearDown() override {
    pass.hold = false;
    loop.RequestStop();
    if (thread.joinable()) thread.join();
    if (given.joinable()) given.join();
  }
  template <typename Pred>
  bool Eventually(Pred p, std::chrono::milliseconds limit = 2000ms) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      if (p()) return true;
      std::this_thread::sleep_for(1ms);
    }
    return p();
  }
  // Runs f on another thread; true when it returned within 100 ms.
  template <typename F>
  bool ReturnsAtOnce(F f) {
    auto done = std::async(std::launch::async, f);
    return done.wait_for(100ms) == std::future_status::ready;
  }

  StdSync sync;
  Gate gate;
  Pass pass;
  RefreshLoop loop{sync, gate, &Pass::Run, &pass};
  std::thread thread, given;
};

}  // namespace

TEST_F(Loop, PausesNestAndOnlyTheLastResumeLetsPassesRunAgain) {
  Start(0);  // back to back
  ASSERT_TRUE(Eventually([&] { return pass.count > 3; }));
  loop.Pause();
  loop.Pause();
  EXPECT_TRUE(loop.Paused());
  ASSERT_TRUE(Eventually([&] { return !pass.inside; }));
  const int held = pass.count;
  std::this_thread::sleep_for(50ms);
  loop.Resume();
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(pass.count, held) << "one pause is still outstanding";
  EXPECT_TRUE(loop.Paused());
  loop.Resume();
  EXPECT_FALSE(loop.Paused());
  EXPECT_TRUE(Eventually([&] { return pass.count > held + 3; }));
  loop.Resume();  // an unmatched resume changes nothing
  EXPECT_FALSE(loop.Paused());
}

TEST_F(Loop, NothingWaitsForAPassThatDoesNotEndAndTheUsersPauseMutesIt) {
  pass.hold = true;  // an alert box left open
  Start(0);
  ASSERT_TRUE(Eventually([&] { return pass.inside.load(); }));
  EXPECT_TRUE(gate.open);
  EXPECT_TRUE(ReturnsAtOnce([&] { loop.PauseMuted(); }));
  EXPECT_FALSE(gate.open) << "the pass under way shows nothing more";
  EXPECT_TRUE(ReturnsAtOnce([&] { loop.Resume(); }));
  EXPECT_TRUE(ReturnsAtOnce([&] { loop.Pause(); }));
  EXPECT_TRUE(ReturnsAtOnce([&] { loop.RequestPass(PassKind::Full); }));
  EXPECT_TRUE(ReturnsAtOnce([&] { loop.SetInterval(10); }));
  pass.hold = false;
  // The pass finishes, then the one asked for while paused runs, and no more.
  ASSERT_TRUE(Eventually([&] { return pass.count == 2; }));
  EXPECT_TRUE(gate.open) << "a new pass opens the gate";
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(pass.count, 2);
}

TEST_F(Loop, AReloadIsToldWhenThePassUnderWayHasEndedAndHoldsEvenPassesAskedFor) {
  Start(0);
  ASSERT_TRUE(Eventually([&] { return pass.count > 0; }));
  loop.Pause();
  ASSERT_TRUE(Eventually([&] { return !pass.inside; }));
  loop.Hold();
  EXPECT_FALSE(loop.NoticeWhenIdle()) << "no pass runs: the reload goes ahead";
  loop.Unhold();

  pass.hold = true;
  loop.RequestPass(PassKind::Full);
  ASSERT_TRUE(Eventually([&] { return pass.inside.load(); }));
  loop.Hold();
  EXPECT_TRUE(loop.NoticeWhenIdle());
  std::this_thread::sleep_for(30ms);
  EXPECT_EQ(sync.notices, 0);
  const int before = pass.count;
  pass.hold = false;
  ASSERT_TRUE(Eventually([&] { return sync.notices == 1; }));
  EXPECT_EQ(pass.count, before + 1);
  // Held: the first readings asked for wait for the end of the reload.
  loop.RequestPass(PassKind::FirstReadings);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(pass.count, before + 1);
  loop.Unhold();
  ASSERT_TRUE(Eventually([&] { return pass.count == before + 2; }));
  EXPECT_EQ(pass.Last(), PassKind::FirstReadings);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(pass.count, before + 2) << "still paused";
  EXPECT_EQ(sync.notices, 1) << "one notice, not one per pass";
}

TEST_F(Loop, ARefreshGivesAnImmediatePassAndAStopEndsTheThreadWithoutAnother) {
  Start(60000);
  ASSERT_TRUE(Eventually([&] { return pass.count == 1; }));
  loop.RequestPass(PassKind::Full);
  EXPECT_TRUE(Eventually([&] { return pass.count == 2; }, 1000ms)) << "an immediate pass";

  const auto start = std::chrono::steady_clock::now();
  loop.RequestStop();
  thread.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1000ms) << "the sleep ends at once";
  EXPECT_EQ(pass.count, 2);
}

TEST_F(Loop, AGivenUpThreadIsReplacedAndAWaitingReloadGoesAhead) {
  pass.hold = true;  // a call that does not return
  Start(0);
  ASSERT_TRUE(Eventually([&] { return pass.inside.load(); }));
  loop.Hold();
  ASSERT_TRUE(loop.NoticeWhenIdle());
  loop.EndOfPass();
  EXPECT_EQ(sync.notices, 1) << "the given-up pass is no pass to wait for";
  EXPECT_FALSE(loop.NoticeWhenIdle());
  pass.only = thread.get_id();
  given = std::move(thread);
  thread = std::thread([this] { loop.Run(); });
  std::this_thread::sleep_for(30ms);
  EXPECT_EQ(pass.count, 0) << "still held by the reload";
  loop.Unhold();
  EXPECT_TRUE(Eventually([&] { return pass.count > 3; }))
      << "passes go on beside the one that never returns";
}

TEST_F(Loop, AShorterIntervalEndsTheLongSleepUnderWay) {
  Start(2147483647);  // "Update" damaged to 25 days
  ASSERT_TRUE(Eventually([&] { return pass.count == 1; }));
  loop.Pause();
  loop.SetInterval(1000);  // the settings mended while the thread is held
  loop.Resume();
  EXPECT_TRUE(Eventually([&] { return pass.count >= 2; }, 1000ms)) << "not after 25 days";
  loop.SetInterval(60000);  // a longer one waits for the sleep under way
  const int now = pass.count;
  std::this_thread::sleep_for(1300ms);
  EXPECT_LE(pass.count, now + 1);
}

TEST_F(Loop, AStopWhilePausedEndsTheThreadWhereItWaits) {
  Start(0);
  ASSERT_TRUE(Eventually([&] { return pass.count > 0; }));
  loop.Pause();
  loop.Pause();  // however many pauses are outstanding
  ASSERT_TRUE(Eventually([&] { return !pass.inside; }));
  const int held = pass.count;
  loop.RequestStop();
  thread.join();
  EXPECT_EQ(pass.count, held);
}

TEST_F(Loop, ANegativeIntervalCountsAsNoPause) {
  loop.SetInterval(-5);
  Start(-1);
  EXPECT_TRUE(Eventually([&] { return pass.count > 5; }, 1000ms));
}
