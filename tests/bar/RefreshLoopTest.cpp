// The display thread's control on real threads: pauses nest and wait for a
// pass under way, a wake gives an immediate pass, a stop ends the thread at
// once from a sleep or a pause.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

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
  void WaitFromController(Event e) override { Wait(e, kForever); }

 private:
  std::recursive_mutex lock_;
  std::mutex m_;
  std::condition_variable cv_;
  bool set_[3] = {};
};

// A pass that counts itself and can be held in the middle.
struct Pass {
  std::atomic<int> count{0};
  std::atomic<bool> hold{false};
  std::atomic<bool> inside{false};
  static void Run(void* self) {
    auto* p = static_cast<Pass*>(self);
    p->inside = true;
    while (p->hold) std::this_thread::sleep_for(1ms);
    ++p->count;
    p->inside = false;
  }
};

class Loop : public ::testing::Test {
 protected:
  void Start(int32_t interval) {
    loop.SetInterval(interval);
    thread = std::thread([this] { loop.Run(); });
  }
  void TearDown() override {
    loop.RequestStop();
    if (thread.joinable()) thread.join();
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

  StdSync sync;
  Pass pass;
  RefreshLoop loop{sync, &Pass::Run, &pass};
  std::thread thread;
};

}  // namespace

TEST_F(Loop, PausesNestAndOnlyTheLastResumeLetsPassesRunAgain) {
  Start(0);  // back to back
  ASSERT_TRUE(Eventually([&] { return pass.count > 3; }));
  loop.Pause();
  loop.Pause();
  EXPECT_TRUE(loop.Paused());
  const int held = pass.count;
  EXPECT_FALSE(pass.inside) << "Pause returns between two passes";
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

TEST_F(Loop, PauseWaitsForThePassUnderWay) {
  pass.hold = true;
  Start(0);
  ASSERT_TRUE(Eventually([&] { return pass.inside.load(); }));
  auto paused = std::async(std::launch::async, [&] { loop.Pause(); });
  EXPECT_EQ(paused.wait_for(100ms), std::future_status::timeout);
  pass.hold = false;
  EXPECT_EQ(paused.wait_for(2000ms), std::future_status::ready);
  const int held = pass.count;
  EXPECT_EQ(held, 1);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(pass.count, held);
}

TEST_F(Loop, AWakeEndsTheSleepAndAStopEndsTheThreadWithoutAnotherPass) {
  Start(60000);
  ASSERT_TRUE(Eventually([&] { return pass.count == 1; }));
  loop.Wake();
  EXPECT_TRUE(Eventually([&] { return pass.count == 2; }, 1000ms)) << "an immediate pass";

  const auto start = std::chrono::steady_clock::now();
  loop.RequestStop();
  thread.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1000ms) << "the sleep ends at once";
  EXPECT_EQ(pass.count, 2);
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
  const int held = pass.count;
  loop.RequestStop();
  thread.join();
  EXPECT_EQ(pass.count, held);
}

TEST_F(Loop, ANegativeIntervalCountsAsNoPause) {
  loop.SetInterval(-5);
  EXPECT_EQ(loop.Interval(), 0);
  Start(-1);
  EXPECT_TRUE(Eventually([&] { return pass.count > 5; }, 1000ms));
}
