// The chip library's readings against the register model: request sequences,
// conversions, the driver's open sequence and the scale factors.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chipwatch/core/ChipMonitor.h"
#include "tests/chipmodel/Lm78Model.h"
#include "tests/chipmodel/MemoryFudgeStore.h"

namespace {

using Log = std::vector<std::string>;

const Log kOpen = {"open \\\\.\\LM78"};
const Log kReset = {"write 40 00", "read 40", "write 40 80", "read 40", "write 40 08",
                    "word 45 7FFF", "word 43 7FFF", "write 40 01"};
const Log kNoDriver = {"open \\\\.\\LM78 failed", "open \\\\.\\LM78.VXD failed"};

// open, reset, the operation's own requests, close.
Log Reading(const Log& own) {
  Log all = kOpen;
  all.insert(all.end(), kReset.begin(), kReset.end());
  all.insert(all.end(), own.begin(), own.end());
  all.push_back("close");
  return all;
}

class ChipMonitorTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_TRUE(chip.faults.empty()) << chip.faults.front();
    EXPECT_EQ(chip.OpenHandles(), expectedOpenHandles) << "a reading left a handle open";
  }
  // Runs call on a fresh log and returns what it logged.
  template <typename Call>
  Log Logged(Call call) {
    chip.ClearLog();
    call();
    return chip.log;
  }

  Lm78Model chip;
  MemoryFudgeStore store;
  ChipMonitor monitor{chip, store};
  size_t expectedOpenHandles = 0;
};

// ---- request sequences ----------------------------------------------------

TEST_F(ChipMonitorTest, ResetRestoresPowerOnStateMasksInterruptsAndStartsMonitoring) {
  chip.SetRegister(0x40, 0x0B);
  chip.SetRegister(0x47, 0xF5);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetUnknown(0x47), 0x55); }), Reading({"read 47"}));
  EXPECT_EQ(chip.initialisations, 1);
  EXPECT_EQ(chip.Register(0x40), 0x01);
  // Both mask pairs: low byte into the named register, high byte into the next.
  EXPECT_EQ(chip.Register(0x43), 0xFF);
  EXPECT_EQ(chip.Register(0x44), 0x7F);
  EXPECT_EQ(chip.Register(0x45), 0xFF);
  EXPECT_EQ(chip.Register(0x46), 0x7F);
}

TEST_F(ChipMonitorTest, VoltageChannelsReadTheirRegistersAndOutOfRangeReadsChannelOne) {
  const int channels[] = {1, 2, 3, 4, 5, 6, 7};
  for (int channel : channels) {
    char reg[8];
    std::snprintf(reg, sizeof reg, "read %02X", 0x1F + channel);
    EXPECT_EQ(Logged([&] { monitor.GetVoltage(channel); }), Reading({reg})) << channel;
  }
  const int outside[] = {0, 8, -1, 1000};
  for (int channel : outside)
    EXPECT_EQ(Logged([&] { monitor.GetVoltage(channel); }), Reading({"read 20"})) << channel;
}

TEST_F(ChipMonitorTest, FanReadsCountThenSetsAndReadsBackDivisorsTwiceWhenThereIsACount) {
  chip.SetRegister(0x28, 135);
  chip.SetRegister(0x29, 135);
  chip.SetRegister(0x2A, 135);
  const Log fan1 = Reading({"read 28", "write 47 A0", "read 47", "read 47"});
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetFan(1), 2500); }), fan1);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetFan(4), 2500); }), fan1);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetFan(0), 2500); }), fan1);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetFan(2), 2500); }),
            Reading({"read 29", "write 47 A0", "read 47", "read 47"}));
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetFan(3), 2500); }),
            Reading({"read 2A", "write 47 A0", "read 47", "read 47"}));
  // The processor's voltage id bits of 0x47 survive the divisor write.
  EXPECT_EQ(chip.Register(0x47), 0xA5);
  // No count (or nothing connected): the divisor register is left alone.
  chip.SetRegister(0x28, 0);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetFan(1), 0); }), Reading({"read 28"}));
  chip.SetRegister(0x28, 255);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetFan(1), 0); }), Reading({"read 28"}));
}

TEST_F(ChipMonitorTest, TemperatureChannelsSelectTheirBankAndAlwaysLeaveBank81) {
  EXPECT_EQ(Logged([&] { monitor.GetTemperature(1); }),
            Reading({"write 4E 81", "read 27", "write 4E 81"}));
  EXPECT_EQ(Logged([&] { monitor.GetTemperature(2); }),
            Reading({"write 4E 82", "read 50", "read 51", "write 4E 81"}));
  EXPECT_EQ(Logged([&] { monitor.GetTemperature(3); }),
            Reading({"write 4E 84", "read 50", "write 4E 81"}));
  EXPECT_EQ(Logged([&] { monitor.GetTemperature(4); }),
            Reading({"port E805", "port E806", "write 4E 81"}));
  for (int channel : {0, 5, -3})
    EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetTemperature(channel), 0); }),
              Reading({"write 4E 81"}))
        << channel;
  EXPECT_EQ(chip.Register(0x4E), 0x81);
}

// ---- conversions ----------------------------------------------------------

TEST_F(ChipMonitorTest, VoltageIsFactorTimesReadingAndAbsentInputIsZero) {
  chip.SetRegister(0x23, 160);
  EXPECT_DOUBLE_EQ(monitor.GetVoltage(4), 4.288);
  chip.SetRegister(0x25, 200);
  EXPECT_DOUBLE_EQ(monitor.GetVoltage(6), -11.1);
  chip.SetRegister(0x20, 255);
  EXPECT_EQ(monitor.GetVoltage(1), 0.0);
  chip.SetRegister(0x20, 254);
  EXPECT_DOUBLE_EQ(monitor.GetVoltage(1), 254 * 0.016);
}

TEST_F(ChipMonitorTest, FanDivisorFieldsReadingZeroGiveTheRawCount) {
  chip.SetRegister(0x28, 135);
  chip.divisorReadback = 0x00;
  EXPECT_EQ(monitor.GetFan(1), 135);
  chip.divisorReadback = 0x20;  // fan 1 field 2, fan 2 field 0
  EXPECT_EQ(monitor.GetFan(1), 135);
  chip.divisorReadback = 0x70;  // fan 1 field 3, fan 2 field 1
  EXPECT_EQ(monitor.GetFan(1), 675000 / (3 * 135));
  chip.SetRegister(0x29, 135);
  EXPECT_EQ(monitor.GetFan(2), 675000 / 135);
  chip.SetRegister(0x2A, 7);
  EXPECT_EQ(monitor.GetFan(3), 337500 / 7);
}

TEST_F(ChipMonitorTest, TemperatureConversions) {
  chip.SetBanked(2, 0x28, 0x80);
  EXPECT_EQ(monitor.GetTemperature(2), 81);
  chip.SetBanked(2, 0x28, 0x7F);
  EXPECT_EQ(monitor.GetTemperature(2), 80);
  chip.SetBanked(2, 0x7F, 0x80);  // exactly 255: an absent input
  EXPECT_EQ(monitor.GetTemperature(2), 0);
  chip.SetBanked(4, 0x2D, 0xFF);
  EXPECT_EQ(monitor.GetTemperature(3), 45);
  chip.SetRegister(0x27, 38);
  EXPECT_EQ(monitor.GetTemperature(1), 38);
  chip.SetRegister(0x27, 255);
  EXPECT_EQ(monitor.GetTemperature(1), 0);

  chip.SetPort(0xE805, 0xFB);
  chip.SetPort(0xE806, 0x80);
  EXPECT_EQ(monitor.GetTemperature(4), -4);
  chip.SetPort(0xE806, 0x7F);
  EXPECT_EQ(monitor.GetTemperature(4), -5);
  chip.SetPort(0xE805, 0x29);
  chip.SetPort(0xE806, 0x80);
  EXPECT_EQ(monitor.GetTemperature(4), 41);
  // Where ports cannot be read there is no reading, and the bank is still restored.
  chip.portsAllowed = false;
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetTemperature(4), 0); }),
            Reading({"port E805", "write 4E 81"}));
}

TEST_F(ChipMonitorTest, RawRegisterPassesAbsentInputOnAndRefusedReadsAreAbsentInput) {
  chip.SetRegister(0x3F, 255);
  EXPECT_EQ(monitor.GetUnknown(0x3F), 255);
  chip.SetRegister(0x2B, 0x12);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetUnknown(0x12B), 0x12); }), Reading({"read 2B"}));
  // A refused request leaves garbage in the block; it must not become a reading.
  chip.SetRegister(0x20, 100);
  chip.SetRegister(0x27, 30);
  chip.failRequests = true;
  EXPECT_EQ(monitor.GetUnknown(0x20), 255);
  EXPECT_EQ(monitor.GetVoltage(1), 0.0);
  EXPECT_EQ(monitor.GetTemperature(1), 0);
  EXPECT_EQ(monitor.GetFan(1), 0);
}

// ---- the driver's open sequence --------------------------------------------

TEST_F(ChipMonitorTest, WithoutDriverEveryReadingGivesItsNoDriverValueAndSendsNothing) {
  chip.driverLoaded = false;
  chip.SetRegister(0x20, 100);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetTemperature(1), 0); }), kNoDriver);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetVoltage(1), 0.0); }), kNoDriver);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetFan(1), 0); }), kNoDriver);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetUnknown(0x20), 65535); }), kNoDriver);
  EXPECT_EQ(Logged([&] { EXPECT_FALSE(monitor.InitialiseLM78()); }),
            Log({kNoDriver[0], kNoDriver[1], kNoDriver[0], kNoDriver[1], kNoDriver[0],
                 kNoDriver[1]}));
}

TEST_F(ChipMonitorTest, LoaderNameLoadsTheDriverOnceAndStaysOpen) {
  chip.driverLoaded = false;
  chip.loaderAvailable = true;
  chip.SetRegister(0x27, 33);
  // The reading that loads the driver ends as if there were none.
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetTemperature(1), 0); }),
            Log({"open \\\\.\\LM78 failed", "open \\\\.\\LM78.VXD"}));
  EXPECT_EQ(chip.OpenHandles(), 1u);
  EXPECT_EQ(Logged([&] { EXPECT_EQ(monitor.GetTemperature(1), 33); }),
            Reading({"write 4E 81", "read 27", "write 4E 81"}));
  // Should the driver vanish again, no second loader handle is opened.
  chip.driverLoaded = false;
  EXPECT_EQ(Logged([&] { monitor.GetTemperature(1); }), Log({"open \\\\.\\LM78 failed"}));
  expectedOpenHandles = 1;
}

// ---- presence and scale factors -----------------------------------------------

TEST_F(ChipMonitorTest, ChipIsPresentOnceAnyOfTheFirstThreeVoltagesIsNonZero) {
  EXPECT_FALSE(monitor.InitialiseLM78());  // all inputs absent
  EXPECT_EQ(store.loads, 3);
  chip.SetRegister(0x24, 100);  // channel 5 does not count
  EXPECT_FALSE(monitor.InitialiseLM78());
  chip.SetRegister(0x22, 100);
  EXPECT_TRUE(monitor.InitialiseLM78());
  chip.driverLoaded = false;
  EXPECT_TRUE(monitor.InitialiseLM78());
}

TEST_F(ChipMonitorTest, FactorsOutsideOneToSevenAreZeroAndCannotBeSet) {
  EXPECT_FALSE(monitor.SetFudgeFactor(0, 1.0));
  EXPECT_FALSE(monitor.SetFudgeFactor(8, 1.0));
  EXPECT_EQ(store.loads + store.saves, 0);
  EXPECT_TRUE(monitor.SetFudgeFactor(7, -0.03));
  EXPECT_EQ(store.saves, 1);
  EXPECT_DOUBLE_EQ(store.stored.value[7], -0.03);
  EXPECT_EQ(monitor.GetFudgeFactor(0), 0.0);
  EXPECT_EQ(monitor.GetFudgeFactor(8), 0.0);
  EXPECT_EQ(monitor.GetFudgeFactor(-1), 0.0);
}

TEST_F(ChipMonitorTest, SetFudgeFactorKeepsTheOtherStoredFactors) {
  store.stored.value[4] = 0.027;  // written by another program
  EXPECT_TRUE(monitor.SetFudgeFactor(1, 0.017));
  EXPECT_DOUBLE_EQ(store.stored.value[4], 0.027);
  EXPECT_DOUBLE_EQ(store.stored.value[1], 0.017);
}

// ---- factor texts -----------------------------------------------------------------

double Parsed(const std::string& text, double before = 0.5) {
  FactorFromText(text.data(), text.size(), before);
  return before;
}

TEST(FudgeFactorText, LeadingIntegerTimesOneTenThousandth) {
  EXPECT_DOUBLE_EQ(Parsed("160"), 0.016);
  EXPECT_DOUBLE_EQ(Parsed("-555"), -0.0555);
  EXPECT_DOUBLE_EQ(Parsed(" \t+42x7"), 0.0042);
  EXPECT_DOUBLE_EQ(Parsed("162"), 0.0162);
  EXPECT_DOUBLE_EQ(Parsed(std::string("99\0 5", 5)), 0.0099);
  EXPECT_DOUBLE_EQ(Parsed("1234567890"), 123456.789);  // ten bytes, no terminator
  double factor = 0.5;
  EXPECT_TRUE(FactorFromText("1234", 2, factor));  // reading stops at the given size
  EXPECT_DOUBLE_EQ(factor, 0.0012);
  // Nothing usable keeps the factor.
  for (const char* text : {"0", "-0", "", "abc", "-", " ", "00"})
    EXPECT_EQ(Parsed(text), 0.5) << '"' << text << '"';
}

TEST(FudgeFactorText, StoredTextIsTruncatedTowardZero) {
  FudgeFactors defaults;
  const char* expected[] = {"0", "160", "160", "160", "268", "610", "-555", "-240"};
  for (int i = 0; i <= kFudgeFactorCount; ++i)
    EXPECT_EQ(FactorToText(defaults.value[i]), expected[i]) << i;
  EXPECT_EQ(FactorToText(0.0163), "162");
  EXPECT_EQ(FactorToText(-0.01639), "-163");
  EXPECT_EQ(FactorToText(0.00009), "0");
  EXPECT_EQ(FactorToText(1e20), "2147483647");
  EXPECT_EQ(FactorToText(-1e20), "-2147483648");
  EXPECT_EQ(FactorToText(std::nan("")), "0");
  EXPECT_EQ(FudgeValueName(3), "Fudge 3");
}

}  // namespace
