// Decisions of the built-in warning kinds 1, 2, 3, 13, 14 and 15.
#include <gtest/gtest.h>

#include "sensors/core/DialUpTimer.h"
#include "sensors/core/SensorTexts.h"
#include "shared/core/CvlError.h"

namespace {

constexpr uint64_t kMb = 1048576;

TEST(BuiltInChecks, ThresholdComparisons) {
  EXPECT_FALSE(DiskSpaceCheck(100 * kMb, 100));
  EXPECT_FALSE(DiskSpaceCheck(99 * kMb + kMb / 2, 100));  // 99.5 rounds to 100
  EXPECT_TRUE(DiskSpaceCheck(98 * kMb + kMb / 2, 100));   // 98.5 rounds to 98
  EXPECT_FALSE(DiskSpaceCheck(uint64_t(40) << 30, 100));

  EXPECT_FALSE(BatteryCheck(255, 300));
  EXPECT_TRUE(BatteryCheck(40, 50));
  EXPECT_FALSE(BatteryCheck(50, 50));

  EXPECT_TRUE(MemoryLoadCheck(80, 79));
  EXPECT_FALSE(MemoryLoadCheck(80, 80));

  EXPECT_TRUE(SwapFileCheck(65 * kMb, 64));
  EXPECT_FALSE(SwapFileCheck(64 * kMb + kMb / 2, 64));
  EXPECT_TRUE(SwapFileCheck(int64_t(8) << 30, 8191));  // page files past 4 Gb
  EXPECT_FALSE(SwapFileCheck(int32_t(0x80000000u), 0));  // a 9x counter past 2^31
}

TEST(BuiltInChecks, RunningTimeRoundsHalvesToEven) {
  EXPECT_FALSE(RunningTimeCheck(3630000, 60));  // 60.5 minutes round to 60
  EXPECT_TRUE(RunningTimeCheck(3630001, 60));
  EXPECT_FALSE(RunningTimeCheck(3570000, 60));  // 59.5 rounds to 60
  EXPECT_TRUE(RunningTimeCheck(3690000, 61));   // 61.5 rounds to 62
  // Past 24.8 days the running time is still a long one.
  EXPECT_TRUE(RunningTimeCheck(0x80000000u, 60));
  EXPECT_FALSE(RunningTimeCheck(0xFFFFFFFFu, 71583));
  EXPECT_TRUE(RunningTimeCheck(0xFFFFFFFFu, 71582));
}

TEST(ConnectionTimeCheck, SharesTheTimerWithTheSensor) {
  DialUpTimer timer;
  DialUpReadings sensor;
  sensor.Windows98 = true;
  sensor.Speed = 28800;
  sensor.Now = 10000;
  DialUpText(sensor, timer, " / ");  // the sensor starts timing

  DialUpReadings r;
  r.Speed = 28800;
  r.Now = 70000;
  EXPECT_FALSE(ConnectionTimeCheck(r, timer, 1));  // exactly 60 s is not more
  r.Now = 70001;
  EXPECT_TRUE(ConnectionTimeCheck(r, timer, 1));
  EXPECT_EQ(timer.Start, 10000u);

  r.Speed = 9600;
  EXPECT_FALSE(ConnectionTimeCheck(r, timer, 0));
  EXPECT_FALSE(timer.Timing);
}

TEST(ConnectionTimeCheck, ThresholdZeroAndTheSpeedZeroPath) {
  DialUpTimer timer;
  DialUpReadings r;
  r.Speed = 0;
  r.Connected = true;
  r.Now = 5000;
  EXPECT_FALSE(ConnectionTimeCheck(r, timer, 0));  // just started: 0 s
  r.Now = 5001;
  EXPECT_TRUE(ConnectionTimeCheck(r, timer, 0));
  r.Connected = false;
  EXPECT_FALSE(ConnectionTimeCheck(r, timer, 0));
  EXPECT_FALSE(timer.Timing);

  // An overflowing threshold x 60 raises before the timer is touched: an
  // idle timer stays idle, a running one keeps its start.
  r.Speed = 33600;
  r.Now = 9000;
  EXPECT_THROW(ConnectionTimeCheck(r, timer, 35791395), CvlError);
  EXPECT_FALSE(timer.Timing);
  EXPECT_EQ(timer.Start, 5000u);
  EXPECT_FALSE(ConnectionTimeCheck(r, timer, 1));  // starts timing at 9000
  r.Now = 12000;
  EXPECT_THROW(ConnectionTimeCheck(r, timer, -35791395), CvlError);
  EXPECT_TRUE(timer.Timing);
  EXPECT_EQ(timer.Start, 9000u);
}

}  // namespace
