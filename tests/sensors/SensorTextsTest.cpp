// Texts of built-in sensors 1-15 composed from given readings.
#include <gtest/gtest.h>

#include <string>

#include "sensors/core/BuiltInCatalogue.h"
#include "sensors/core/CheckedMath.h"
#include "sensors/core/DialUpTimer.h"
#include "tests/fakes/SensorTextStrings.h"
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

// The stored numbers mean these texts in every configuration ever written, so
// each is compared byte for byte: the blank that ends the names of 16 to 19
// and the ANSI degree byte of the temperature unit included.
TEST(Catalogue, EveryNameTextAndUnitByteForByte) {
  const char* const names[24] = {
      "CPU Usage",
      "System Memory : Free / Load",
      "Disk Cache : Size / Percentage Hits",
      "Disk Information : Writes / Reads / [All Fixed Drives Free Space]",
      "Dial Up Internet Connection Information : Time Connected [/ Connection Speed / "
      "Recieved / Sent]-Windows 98 Only",
      "Windows Running Time",
      "Swap File : Size / Usage",
      "Microsoft-Network : Reads / Writes",
      "Active Processes : No. of Processes / No. of Threads",
      "Current Time",
      "Battery Status : Percentage Free / Time Remaining",
      "Current Date",
      "Primary Display : Resolution / Colour Depth",
      "Multiple Monitor Info : No. Of Monitors / Total Desktop Size",
      "Windows : Visible / Minimised / Total",
      "System Temperature : Temperature 1 ",
      "System Temperature : Temperature 2 ",
      "System Temperature : Temperature 3 ",
      "System Temperature : Temperature 4 ",
      "CPU Voltages : Core / I/O",
      "System Voltages : +5V / -5V / +12V / -12V",
      "Fans Speed : Fan 1",
      "Fans Speed : Fan 2",
      "Fans Speed : Fan 3",
  };
  for (int32_t n = 1; n <= 24; ++n)
    EXPECT_EQ(std::string(BuiltInSensorName(n)), names[n - 1]) << "sensor " << n;
  EXPECT_EQ(std::string(BuiltInSensorName(19)).back(), ' ');

  const std::string degrees = "\xB0" "C";
  const char* const texts[15][2] = {
      {"Disk space has dropped below", "Mb"},
      {"Internet Connection Time has exceeded", "Mins"},
      {"Battery Power has dropped below", "%"},
      {"Temperature 1 has risen above", degrees.c_str()},
      {"Temperature 2 has risen above", degrees.c_str()},
      {"Temperature 3 has risen above", degrees.c_str()},
      {"Temperature 4 has risen above", degrees.c_str()},
      {"A CPU Voltage has deviated beyond", "%"},
      {"A System Voltage has deviated beyond", "%"},
      {"Fan 1 speed has dropped below", "rpm"},
      {"Fan 2 speed has dropped below", "rpm"},
      {"Fan 3 speed has dropped below", "rpm"},
      {"Memory Load has exceeded", "%"},
      {"Swap File size has exceeded", "Mb"},
      {"Windows has been running longer than", "Mins"},
  };
  for (int32_t n = 1; n <= 15; ++n) {
    EXPECT_EQ(std::string(BuiltInWarningMessage(n)), texts[n - 1][0]) << "warning " << n;
    EXPECT_EQ(std::string(BuiltInWarningUnits(n)), texts[n - 1][1]) << "warning " << n;
  }
  EXPECT_EQ(std::string(BuiltInWarningUnits(4)), std::string("\xB0\x43", 2));
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
  // Figures of an NT-family system: a cache past 4 Gb, counts past 32 bits
  // halved into the text's range with their rate kept.
  DiskCacheReadings big{int64_t(6) << 30};
  SetCacheCounts(big, uint64_t(3) << 40, uint64_t(1) << 40);
  EXPECT_EQ(DiskCacheText(big, kSep), "6144Mb / 75%");
  SetCacheCounts(big, 0x7FFFFFFF, 1);
  EXPECT_EQ(DiskCacheText(big, kSep), "6144Mb / 100%");

  EXPECT_EQ(SwapFileText({64 * kMb, 10 * kMb + kMb / 2}, kSep), "64Mb / 10Mb");
  // A 9x counter past 2^31 arrives as its negative value, as it always showed.
  EXPECT_EQ(SwapFileText({int32_t(0x80000000u), int64_t(5) << 30}, kSep), "-2048Mb / 5120Mb");
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
  r.Reads = 0x7FFFFFFFu;  // the largest rate shown in Mb
  r.Writes = uint64_t(5) << 32;
  EXPECT_EQ(DiskInfoText(r, kSep).substr(0, 22), "2048Mb / >2Gb /  [ 102");

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
  EXPECT_STREQ(ColourDepthName(1, 8), "8 Bit");
  EXPECT_STREQ(ColourDepthName(1, 16), "16 Bit");
  EXPECT_STREQ(ColourDepthName(1, 24), "24 Bit");
  EXPECT_STREQ(ColourDepthName(1, 32), "32 Bit");
  EXPECT_STREQ(ColourDepthName(1, 15), "N/A");
  EXPECT_STREQ(ColourDepthName(1, 4), "N/A");
  EXPECT_STREQ(ColourDepthName(4, 1), "N/A");  // planar 16 colours
  EXPECT_STREQ(ColourDepthName(2, 8), "16 Bit");  // (2 x 2) ^ 8
  EXPECT_STREQ(ColourDepthName(0, 0), "N/A");
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
