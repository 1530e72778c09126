// Texts of built-in sensors 1-15 composed from given readings.
#include <gtest/gtest.h>

#include "sensors/core/BuiltInCatalogue.h"
#include "sensors/core/CheckedMath.h"
#include "sensors/core/DialUpTimer.h"
#include "sensors/core/SensorTexts.h"
#include "shared/core/CvlError.h"

namespace {

const std::string kSep = " / ";
constexpr uint32_t kMb = 1048576;

TEST(CheckedMath, RoundsExactQuotientsHalfToEven) {
  EXPECT_EQ(RoundQuotient(5, 2), 2);
  EXPECT_EQ(RoundQuotient(7, 2), 4);
  EXPECT_EQ(RoundQuotient(-5, 2), -2);
  EXPECT_EQ(RoundQuotient(-7, 2), -4);
  EXPECT_EQ(RoundQuotient(-6, 4), -2);
  EXPECT_EQ(RoundQuotient(1, 3), 0);
  EXPECT_EQ(RoundQuotient(2, 3), 1);
  EXPECT_EQ(RoundQuotient(5, -2), -2);
  EXPECT_EQ(RoundMb(kMb / 2), 0);
  EXPECT_EQ(RoundMb(kMb / 2 + 1), 1);
  EXPECT_EQ(RoundMb(3 * kMb / 2), 2);
  EXPECT_EQ(RoundKb(2560), 2);
  EXPECT_EQ(RoundKb(3584), 4);
  // A 100-percent rate that is not a whole number: 2/3 of 100 is 66.67.
  EXPECT_EQ(RoundQuotient(200, 3), 67);
}

TEST(CheckedMath, OverflowRaises) {
  EXPECT_EQ(CheckedAdd(INT32_MAX - 1, 1), INT32_MAX);
  EXPECT_THROW(CheckedAdd(INT32_MAX, 1), CvlError);
  EXPECT_THROW(CheckedAdd(INT32_MIN, -1), CvlError);
  EXPECT_EQ(CheckedMul(35791394, 60), 2147483640);
  EXPECT_THROW(CheckedMul(35791395, 60), CvlError);
  EXPECT_THROW(RoundQuotient(int64_t(1) << 40, 2), CvlError);
  EXPECT_THROW(RoundQuotient(1, 0), CvlError);
  try {
    CheckedMul(65536, 65536);
  } catch (const CvlError& e) {
    EXPECT_STREQ(e.what(), "Integer overflow");
  }
}

TEST(Catalogue, NumbersOutsideTheCataloguesAreRangeErrors) {
  EXPECT_STREQ(BuiltInSensorName(24), "Fans Speed : Fan 3");
  EXPECT_STREQ(BuiltInWarningMessage(15), "Windows has been running longer than");
  for (int32_t bad : {0, 25, -1}) EXPECT_THROW(BuiltInSensorName(bad), CvlError) << bad;
  for (int32_t bad : {0, 16}) EXPECT_THROW(BuiltInWarningUnits(bad), CvlError) << bad;
}

TEST(Separator, BlankValueBlankCutToThree) {
  EXPECT_EQ(SeparatorFrom("/"), " / ");
  EXPECT_EQ(SeparatorFrom("|"), " | ");
  EXPECT_EQ(SeparatorFrom("-"), " - ");
  EXPECT_EQ(SeparatorFrom("||"), " ||");
  EXPECT_EQ(SeparatorFrom("--"), " --");
  EXPECT_EQ(SeparatorFrom("abc"), " ab");
}

TEST(SensorTexts, MemoryCacheSwapNetworkAndCounters) {
  EXPECT_EQ(CpuUsageText(12), "12%");
  EXPECT_EQ(MemoryText({23 * uint64_t(kMb) + kMb / 2, 67}, kSep), "24Mb / 67%");
  EXPECT_EQ(MemoryText({uint64_t(3) << 30, 5}, " | "), "3072Mb | 5%");

  EXPECT_EQ(DiskCacheText({2 * kMb, 3, 1}, kSep), "2Mb / 75%");
  EXPECT_EQ(DiskCacheText({0, 0, 0}, kSep), "0Mb / N/A");
  EXPECT_EQ(DiskCacheText({0, 1, 7}, kSep), "0Mb / 12%");  // 12.5
  EXPECT_EQ(DiskCacheText({0, 3, 5}, kSep), "0Mb / 38%");  // 37.5
  EXPECT_THROW(DiskCacheText({0, 0x7FFFFFFF, 1}, kSep), CvlError);

  EXPECT_EQ(SwapFileText(64 * kMb, 10 * kMb + kMb / 2, kSep), "64Mb / 10Mb");
  EXPECT_EQ(NetworkText(3 * kMb, 0, "||"), "3Mb||0Mb");
  EXPECT_EQ(ProcessesText(7, 42, kSep), "7 / 42");
  EXPECT_EQ(WindowsText(WindowCounts{9, 31, 5, 2}, kSep), "5 / 2 / 31");
  EXPECT_EQ(MonitorsText(2, MonitorRect{-1024, 0, 2048, 768}, kSep), "2 / 2048 x 768");
}

TEST(SensorTexts, DiskInformationReadsWritesThenFixedDrives) {
  DiskReadings r;
  r.FixedDriveFree = {1020 * uint64_t(kMb), 3071 * uint64_t(kMb)};
  EXPECT_EQ(DiskInfoText(r, kSep), "0Mb / 0Mb /  [ 1020Mb / 3071Mb ]");

  r.Reads = 0x80000000u;
  r.Writes = 5 * kMb;
  EXPECT_EQ(DiskInfoText(r, kSep).substr(0, 17), ">2Gb / 5Mb /  [ 1");
  r.Writes = 0xFFFFFFFFu;
  EXPECT_EQ(DiskInfoText(r, " | ").substr(0, 17), ">2Gb / >2Gb /  [ ");

  DiskReadings none;
  none.Reads = 2 * kMb;
  EXPECT_EQ(DiskInfoText(none, kSep), "2Mb / 0Mb /  ]");
  const std::string noneOther = DiskInfoText(none, " - ");
  EXPECT_EQ(noneOther.substr(noneOther.size() - 4), "-  ]");
}

TEST(SensorTexts, RunningTimeKeepsCountingPastTwentyFourDays) {
  EXPECT_EQ(RunningTimeText(18462000), "5:07:42");
  EXPECT_EQ(RunningTimeText(0), "0:00:00");
  EXPECT_EQ(RunningTimeText(0x7FFFFFFFu), "596:31:23");
  EXPECT_EQ(RunningTimeText(0x80000000u), "596:31:23");
  EXPECT_EQ(RunningTimeText(0x80000000u + 36000000u), "606:31:23");
  EXPECT_EQ(RunningTimeText(0xFFFFFFFFu), "1193:02:47");
}

TEST(SensorTexts, BatteryChargeAndTimeLeft) {
  EXPECT_EQ(BatteryText({255, 3600}, kSep), "Battery N/A");
  EXPECT_EQ(BatteryText({80, 3725}, kSep), "80% / 1:02:05");
  EXPECT_EQ(BatteryText({100, 0xFFFFFFFFu}, kSep), "100% / N/A");
  EXPECT_EQ(BatteryText({0, 0}, kSep), "0% / 0:00:00");
  EXPECT_THROW(BatteryText({50, 2147484}, kSep), CvlError);  // seconds x 1000 overflows
}

TEST(SensorTexts, DisplayDepthTable) {
  EXPECT_EQ(ColourDepthText(1, 8), "8 Bit");
  EXPECT_EQ(ColourDepthText(1, 16), "16 Bit");
  EXPECT_EQ(ColourDepthText(1, 24), "24 Bit");
  EXPECT_EQ(ColourDepthText(1, 32), "32 Bit");
  EXPECT_EQ(ColourDepthText(1, 15), "N/A");
  EXPECT_EQ(ColourDepthText(1, 4), "N/A");
  EXPECT_EQ(ColourDepthText(4, 1), "N/A");  // planar 16 colours
  EXPECT_EQ(ColourDepthText(2, 8), "16 Bit");  // (2 x 2) ^ 8
  EXPECT_EQ(ColourDepthText(0, 0), "N/A");
  EXPECT_EQ(DisplayText({1024, 768, 1, 16}, kSep), "1024 x 768 / 16 Bit");
  EXPECT_EQ(DisplayText({640, 480, 1, 15}, " | "), "640 x 480 | N/A");
}

TEST(DialUpSensor, WindowsNinetyEightCountersAndTheTimer) {
  DialUpTimer timer;
  DialUpReadings r;
  r.Windows98 = true;
  r.Speed = 28800;
  r.Now = 1000;
  EXPECT_EQ(DialUpText(r, timer, kSep), "0:00:00 / 28800bps / 0Kb / 0Kb");
  EXPECT_TRUE(timer.Timing);
  r.Now = 66000;
  r.Received = 2560;
  r.Sent = 3584;
  EXPECT_EQ(DialUpText(r, timer, kSep), "0:01:05 / 28800bps / 2Kb / 4Kb");

  // Speed 0: no adapter information, the timer is left as it is.
  r.Speed = 0;
  EXPECT_EQ(DialUpText(r, timer, kSep), "No Dial-Up Adapter Information Available");
  EXPECT_TRUE(timer.Timing);

  // 9600 means no connection: the timer stops, and starts again from zero.
  r.Speed = 9600;
  r.Received = r.Sent = 0;
  EXPECT_EQ(DialUpText(r, timer, kSep), "0:00:00 / 9600bps / 0Kb / 0Kb");
  EXPECT_FALSE(timer.Timing);
  r.Speed = 28800;
  r.Now = 500000;
  EXPECT_EQ(DialUpText(r, timer, kSep), "0:00:00 / 28800bps / 0Kb / 0Kb");
  r.Now = 503000;
  EXPECT_EQ(DialUpText(r, timer, kSep), "0:00:03 / 28800bps / 0Kb / 0Kb");
}

TEST(DialUpSensor, OtherSystemsAskWhetherAConnectionIsUp) {
  DialUpTimer timer;
  DialUpReadings r;
  r.Windows98 = false;
  r.Speed = 28800;  // ignored off Windows 98
  r.Connected = true;
  r.Now = 0xFFFFF000u;  // the tick count is about to wrap
  EXPECT_EQ(DialUpText(r, timer, kSep), "0:00:00");
  r.Now = 0x00001000u;
  EXPECT_EQ(DialUpText(r, timer, kSep), "0:00:08");
  r.Connected = false;
  EXPECT_EQ(DialUpText(r, timer, kSep), "0:00:00");
  EXPECT_FALSE(timer.Timing);
}

}  // namespace
