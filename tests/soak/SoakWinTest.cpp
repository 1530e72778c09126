// The shipped bar under load for a bounded time: 20,000 passes back to back
// ("Update" "0") with 100 panels and 100 warnings, then 200 settings
// hand-shakes that reload both lists. Nothing may grow: private bytes, GDI
// objects and USER objects stay within 1 % (or 16 objects) of what they were
// once the bar had settled. Read from the bar's own accounting: its memory
// from outside, its CPU and GUI objects by the pass probe inside it, which
// also counts the passes (tests/perf/PassProbe.h).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "tests/perf/BarMeasure.h"

using namespace barmeasure;
using namespace wintest;

namespace {

constexpr long kSettledPasses = 1000;
constexpr long kPasses = 20000;
constexpr int kReloads = 200;
constexpr int kSettledReloads = 20;
// The settings dialog's first few openings in a process grow its heap (pages,
// pictures, fonts of the dialog library) until about the fourth, after which
// an opening costs nothing more; the reload rounds are measured from then on.
constexpr int kWarmUpOpenings = 4;

struct Figures {
  Memory memory;
  passprobe::Sample sample{};
};

std::string Describe(const Figures& f) {
  return std::to_string(f.sample.Passes) + " passes: private bytes " +
         std::to_string(f.memory.PrivateBytes) + ", GDI objects " +
         std::to_string(f.sample.GdiObjects) + ", USER objects " +
         std::to_string(f.sample.UserObjects);
}

// Within 1 %, or 16 for object counts.
bool Close(uint64_t settled, uint64_t now, uint64_t slack) {
  const uint64_t allowed = std::max<uint64_t>(settled / 100, slack);
  return now <= settled + allowed && now + allowed >= settled;
}

void ExpectNoGrowth(const Figures& settled, const Figures& now) {
  EXPECT_TRUE(Close(settled.memory.PrivateBytes, now.memory.PrivateBytes, 0))
      << "private bytes\n  settled at " << Describe(settled) << "\n  now at " << Describe(now);
  EXPECT_TRUE(Close(settled.sample.GdiObjects, now.sample.GdiObjects, 16))
      << "GDI objects\n  settled at " << Describe(settled) << "\n  now at " << Describe(now);
  EXPECT_TRUE(Close(settled.sample.UserObjects, now.sample.UserObjects, 16))
      << "USER objects\n  settled at " << Describe(settled) << "\n  now at " << Describe(now);
}

class Soak : public ::testing::Test {
 protected:
  void TearDown() override {
    if (bar.Process().Running()) bar.Process().Close(15000);
    ResetVeltropKeys();
  }

  // The figures once the pass count reaches n.
  Figures At(long n) {
    Figures f;
    EXPECT_TRUE(probe.WaitForPasses(n, 1200000)) << probe.Passes() << " passes";
    EXPECT_TRUE(ReadMemory(bar.Process().Process(), f.memory));
    EXPECT_TRUE(probe.Sample(f.sample, 10000));
    return f;
  }
  // Reloads while the settings dialog is open, then closes it; the figures
  // are taken once the thread has run a few passes again.
  Figures AfterReloads(int rounds) {
    EXPECT_TRUE(bar.OpenSettings(20000));
    for (int i = 0; i < rounds; ++i) {
      if (bar.ReloadRound(20000) < 0) {
        ADD_FAILURE() << "reload " << i + 1 << " did not finish";
        break;
      }
    }
    EXPECT_TRUE(bar.CloseSettings(20000));
    return At(probe.Passes() + 20);
  }

  MessageBoxWatcher boxes;
  ProbeBlock probe;
  RunningBar bar;
};

}  // namespace

TEST_F(Soak, TwentyThousandPassesThenTwoHundredReloadsWithoutGrowth) {
  ASSERT_TRUE(probe.Valid());
  const std::string dir = MakeInstallation();
  ASSERT_FALSE(dir.empty());
  // The chip switched off, as on a machine without one: under Wine its every
  // request fails through the system, which would make the run last hours.
  BarConfiguration config = SoakConfiguration(dir, "0");
  config.Hardware = false;
  WriteConfiguration(config);
  ASSERT_TRUE(bar.Start(dir));
  ASSERT_GE(bar.WaitForFirstText(20000), 0);
  ASSERT_EQ(bar.CellCount(), 100);

  const Figures settled = At(kSettledPasses);
  const Figures passed = At(kPasses);
  ExpectNoGrowth(settled, passed);
  EXPECT_GT(probe.SensorCalls(), kPasses) << "the probe's own panel is refreshed every pass";
  std::printf("[ soak ] %s\n[ soak ] %s\n", Describe(settled).c_str(), Describe(passed).c_str());

  for (int i = 0; i < kWarmUpOpenings; ++i) AfterReloads(1);
  const Figures reloaded = AfterReloads(kSettledReloads);
  const Figures again = AfterReloads(kReloads - kSettledReloads);
  ExpectNoGrowth(reloaded, again);
  std::printf("[ soak ] after %d reloads, %s\n[ soak ] after %d more, %s\n", kSettledReloads,
              Describe(reloaded).c_str(), kReloads - kSettledReloads, Describe(again).c_str());

  // Still the whole bar, still refreshing; no warning held, no error box.
  EXPECT_EQ(bar.CellCount(), 100);
  const long now = probe.Passes();
  EXPECT_TRUE(probe.WaitForPasses(now + 100, 60000));
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();
  EXPECT_TRUE(bar.Exit(20000));
}
