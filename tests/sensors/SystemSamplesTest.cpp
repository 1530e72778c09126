// The busy share and the rates that NT-family systems leave to be worked out
// from two samples of running totals.
#include <gtest/gtest.h>

#include "sensors/core/SystemSamples.h"

namespace {

constexpr uint64_t kSecond = 10000000;  // 100 ns units

ProcessorTimes Times(uint64_t idle, uint64_t busyKernel, uint64_t user) {
  return ProcessorTimes{idle, idle + busyKernel, user};  // kernel time includes idle
}

TEST(BusyShare, FirstReadingMeasuresFromTheSystemsStartThenBetweenSamples) {
  BusyShare load;
  EXPECT_EQ(load.Update(Times(30 * kSecond, 2 * kSecond, 8 * kSecond)), 25u);
  // One second of two processors later: 1.5 s busy of 2 s.
  EXPECT_EQ(load.Update(Times(30 * kSecond + kSecond / 2, 2 * kSecond + kSecond / 2,
                              9 * kSecond)),
            75u);
  // Fully idle and fully busy windows.
  EXPECT_EQ(load.Update(Times(32 * kSecond + kSecond / 2, 2 * kSecond + kSecond / 2,
                              9 * kSecond)),
            0u);
  EXPECT_EQ(load.Update(Times(32 * kSecond + kSecond / 2, 3 * kSecond, 10 * kSecond + kSecond / 2)),
            100u);
}

TEST(BusyShare, ShortWindowsKeepTheShareAndLetTheWindowGrow) {
  BusyShare load;
  const ProcessorTimes start = Times(10 * kSecond, 0, 10 * kSecond);
  ASSERT_EQ(load.Update(start), 50u);
  // 100 ms of busy time: too short, the last share stands ...
  const ProcessorTimes soon = Times(10 * kSecond, 0, 10 * kSecond + kSecond / 10);
  EXPECT_EQ(load.Update(soon), 50u);
  // ... and the next reading measures from the kept sample: 300 ms busy,
  // 100 ms idle.
  EXPECT_EQ(load.Update(Times(10 * kSecond + kSecond / 10, 0, 10 * kSecond + 3 * kSecond / 10)),
            75u);
  // Halves round to the even neighbour: 1 of 8 is 12.5%, 3 of 8 is 37.5%.
  BusyShare halves;
  EXPECT_EQ(halves.Update(Times(7 * kSecond, 0, kSecond)), 12u);
  EXPECT_EQ(halves.Update(Times(12 * kSecond, 0, 4 * kSecond)), 38u);
}

TEST(BusyShare, CountersPastTheirWrapAroundAndSamplesThatGoBack) {
  BusyShare load;
  const uint64_t top = ~uint64_t(0) - kSecond;  // one second before the wrap
  load.Update(ProcessorTimes{top, top, top});
  // Two seconds later every counter has wrapped: 1 s idle of 4 s.
  EXPECT_EQ(load.Update(ProcessorTimes{top + kSecond, top + 2 * kSecond, top + 2 * kSecond}), 75u);
  // A sample behind the kept one (more idle than elapsed) measures nothing
  // and becomes the new start.
  EXPECT_EQ(load.Update(ProcessorTimes{9 * kSecond, 6 * kSecond, 2 * kSecond}), 75u);
  EXPECT_EQ(load.Update(ProcessorTimes{9 * kSecond, 7 * kSecond, 3 * kSecond}), 100u);
  // A system up for centuries is still measured exactly.
  BusyShare old;
  EXPECT_EQ(old.Update(Times(uint64_t(1) << 62, uint64_t(1) << 62, 0)), 50u);
}

TEST(RateMeter, BytesPerSecondFromTheSecondReadingOn) {
  RateMeter rate;
  EXPECT_EQ(rate.Update(5000000, 1000), 0u);  // the first reading has no rate
  EXPECT_EQ(rate.Update(5000000 + 3 * 1048576, 3000), 1572864u);
  EXPECT_EQ(rate.Update(5000000 + 3 * 1048576, 4000), 0u);
  // 1 byte in 2 s is half a byte per second: even 0; 3 bytes: 1.5, even 2.
  EXPECT_EQ(rate.Update(5000000 + 3 * 1048576 + 1, 6000), 0u);
  EXPECT_EQ(rate.Update(5000000 + 3 * 1048576 + 4, 8000), 2u);
  // Rates beyond 32 bits.
  EXPECT_EQ(rate.Update(5000000 + 3 * 1048576 + 4 + (uint64_t(6) << 32), 10000), uint64_t(3) << 32);
}

TEST(RateMeter, ShortWindowsTickWrapAndTotalsThatGoBack) {
  RateMeter rate;
  rate.Update(0, 0xFFFFFF00u);  // 256 ms before the tick count wraps
  EXPECT_EQ(rate.Update(1000, 0xFFFFFF00u + 100), 0u);  // 100 ms: too short
  // 1256 ms after the first reading, across the wrap.
  EXPECT_EQ(rate.Update(1256, 1000), 1000u);
  // A total that went back (a counter started again) starts a new window.
  EXPECT_EQ(rate.Update(10, 2000), 1000u);
  EXPECT_EQ(rate.Update(2010, 4000), 1000u);
}

}  // namespace
