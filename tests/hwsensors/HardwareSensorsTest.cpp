// The hardware-monitor sensors and checks: the "LM78" settings, the texts
// and alert decisions over a fake reader, and the whole chain from chip
// registers through the chip library's readings.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

#include "chipwatch/core/ChipMonitor.h"
#include "sensors/core/HardwareChecks.h"
#include "sensors/core/HardwareTexts.h"
#include "shared/core/CvlError.h"
#include "tests/chipmodel/Lm78Model.h"
#include "tests/chipmodel/MemoryFudgeStore.h"
#include "tests/fakes/MemorySettings.h"

namespace {

const std::string kSep = " / ";
const std::string kDegC = "\xB0" "C";

// Readings chosen per channel; every reading is logged ("T1", "V4", "F2").
class FakeReader : public HardwareReader {
 public:
  std::map<int32_t, int32_t> temperature, fan;
  std::map<int32_t, double> voltage;
  std::vector<std::string> log;

  int32_t GetTemperature(int32_t channel) override {
    log.push_back("T" + std::to_string(channel));
    return temperature[channel];
  }
  double GetVoltage(int32_t channel) override {
    log.push_back("V" + std::to_string(channel));
    return voltage[channel];
  }
  int32_t GetFan(int32_t n) override {
    log.push_back("F" + std::to_string(n));
    return fan[n];
  }
};

// The settings a store holding these "LM78" values gives.
HardwareSettings With(std::map<std::string, std::string> values) {
  MemorySettings store;
  for (const auto& [key, value] : values) store.Set("LM78", key, value);
  return ReadHardwareSettings(store);
}

// ---- settings --------------------------------------------------------------

class KeyLog : public MemorySettings {
 public:
  std::vector<std::string> keys;
  std::string GetSetting(const std::string& app, const std::string& section,
                         const std::string& key, const std::string& def) override {
    keys.push_back(app + "/" + section + "/" + key + "=" + def);
    return MemorySettings::GetSetting(app, section, key, def);
  }
};

TEST(HardwareSettings, SectionIsReadInOrderWithItsDefaults) {
  KeyLog store;
  HardwareSettings s = ReadHardwareSettings(store);
  const std::vector<std::string> expected = {
      "Corvella/LM78/CorePort1=FALSE",  "Corvella/LM78/CoreVolt=250",
      "Corvella/LM78/TempComp1=0",      "Corvella/LM78/TempComp2=0",
      "Corvella/LM78/TempComp3=0",      "Corvella/LM78/TempComp4=0",
      "Corvella/LM78/Temp1Enable=TRUE", "Corvella/LM78/Temp2Enable=TRUE",
      "Corvella/LM78/Temp3Enable=TRUE", "Corvella/LM78/Temp4Enable=TRUE",
      "Corvella/LM78/LM78Enable=FALSE", "Corvella/LM78/Fan1Type=0",
      "Corvella/LM78/Fan2Type=0",       "Corvella/LM78/Fan3Type=0"};
  EXPECT_EQ(store.keys, expected);
  EXPECT_FALSE(s.CoreOnPort1);
  EXPECT_EQ(s.CoreVoltNominal, 250);
  EXPECT_FALSE(s.HardwareEnabled);
  for (int n = 1; n <= 4; ++n) {
    EXPECT_TRUE(s.TempEnabled[n]) << n;
    EXPECT_EQ(s.TempComp[n], 0) << n;
  }
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(s.FanType[n], 0) << n;
}

TEST(HardwareSettings, FlagsNeedExactlyTRUEAndNumbersAreLenient) {
  for (const char* off : {"true", "True", "TRUE ", " TRUE", "1", "FALSE"}) {
    HardwareSettings s = With({{"LM78Enable", off}, {"CorePort1", off}, {"Temp2Enable", off}});
    EXPECT_FALSE(s.HardwareEnabled) << off;
    EXPECT_FALSE(s.CoreOnPort1) << off;
    EXPECT_FALSE(s.TempEnabled[2]) << off;
    EXPECT_TRUE(s.TempEnabled[1]) << off;
  }
  HardwareSettings on = With({{"LM78Enable", "TRUE"}, {"CorePort1", "TRUE"}});
  EXPECT_TRUE(on.HardwareEnabled);
  EXPECT_TRUE(on.CoreOnPort1);

  HardwareSettings n = With({{"CoreVolt", " 280mV"}, {"TempComp3", "-3"}, {"TempComp4", "x"},
                             {"Fan2Type", "$3"}, {"Fan3Type", "99999999999"}});
  EXPECT_EQ(n.CoreVoltNominal, 280);
  EXPECT_EQ(n.TempComp[3], -3);
  EXPECT_EQ(n.TempComp[4], 0);
  EXPECT_EQ(n.FanType[2], 3);
  EXPECT_EQ(n.FanType[3], INT_MAX);
  // An empty stored value is a missing one.
  EXPECT_TRUE(With({{"Temp1Enable", ""}}).TempEnabled[1]);
}

// ---- texts and checks over a fake reader ------------------------------------

TEST(HardwareEntries, DefaultsShowTemperaturesAndHideVoltagesAndFans) {
  FakeReader chip;
  chip.temperature = {{1, 41}, {2, 35}, {3, 0}, {4, -4}};
  const HardwareSettings s = With({});
  EXPECT_EQ(TemperatureText(chip, s, 1), "41" + kDegC);
  EXPECT_EQ(TemperatureText(chip, s, 2), "35" + kDegC);
  EXPECT_EQ(TemperatureText(chip, s, 3), "0" + kDegC);
  EXPECT_EQ(TemperatureText(chip, s, 4), "-4" + kDegC);
  EXPECT_TRUE(TemperatureCheck(chip, s, 2, 34));
  chip.log.clear();
  EXPECT_EQ(ProcessorVoltagesText(chip, s, kSep), "------");
  EXPECT_EQ(SystemVoltagesText(chip, s, kSep), "------");
  for (int fan = 1; fan <= 3; ++fan) EXPECT_EQ(FanText(chip, s, fan), "------");
  EXPECT_FALSE(ProcessorVoltageCheck(chip, s, 0));
  EXPECT_FALSE(SystemVoltageCheck(chip, s, 0));
  for (int fan = 1; fan <= 3; ++fan) EXPECT_FALSE(FanCheck(chip, s, fan, INT_MAX));
  EXPECT_TRUE(chip.log.empty()) << "the chip was read for an inactive entry";
}

TEST(HardwareEntries, TemperatureCompensationEnablingAndOverflow) {
  FakeReader chip;
  chip.temperature[1] = 41;
  HardwareSettings s = With({{"TempComp1", "-3"}});
  EXPECT_EQ(TemperatureText(chip, s, 1), "38\xB0" "C");
  EXPECT_FALSE(TemperatureCheck(chip, s, 1, 38));
  EXPECT_TRUE(TemperatureCheck(chip, s, 1, 37));

  // Switched off: the panel still reads the chip, the warning does not.
  s = With({{"Temp1Enable", "FALSE"}, {"LM78Enable", "FALSE"}});
  chip.log.clear();
  EXPECT_EQ(TemperatureText(chip, s, 1), "------");
  EXPECT_EQ(chip.log, std::vector<std::string>{"T1"});
  chip.log.clear();
  EXPECT_FALSE(TemperatureCheck(chip, s, 1, INT_MIN));
  EXPECT_TRUE(chip.log.empty());
  // Only its own flag governs a temperature, not "LM78Enable".
  EXPECT_EQ(TemperatureText(chip, s, 2), "0" + kDegC);

  s = With({{"TempComp3", "2147483647"}});
  chip.temperature[3] = 1;
  for (int round = 0; round < 2; ++round) {
    try {
      if (round == 0) TemperatureText(chip, s, 3);
      else TemperatureCheck(chip, s, 3, 0);
      ADD_FAILURE() << "no overflow in round " << round;
    } catch (const CvlError& e) {
      EXPECT_STREQ(e.what(), "Integer overflow");
    }
  }
  chip.temperature[3] = -1;
  EXPECT_EQ(TemperatureText(chip, s, 3), "2147483646" + kDegC);
}

TEST(HardwareEntries, ProcessorVoltagesAgainstTheNominalCore) {
  FakeReader chip;
  chip.voltage = {{1, 1.6}, {2, 2.5}, {3, 3.3149}};
  HardwareSettings s = With({{"LM78Enable", "TRUE"}});
  chip.log.clear();
  EXPECT_EQ(ProcessorVoltagesText(chip, s, kSep), "+2.50V / +3.31V");
  EXPECT_EQ(chip.log, (std::vector<std::string>{"V2", "V3"}));
  EXPECT_EQ(ProcessorVoltagesText(chip, s, " ||"), "+2.50V ||+3.31V");

  // "CorePort1" moves the core to channel 1, for the panel and the warning.
  s = With({{"LM78Enable", "TRUE"}, {"CorePort1", "TRUE"}, {"CoreVolt", "160"}});
  chip.log.clear();
  EXPECT_EQ(ProcessorVoltagesText(chip, s, kSep), "+1.60V / +3.31V");
  EXPECT_FALSE(ProcessorVoltageCheck(chip, s, 5));
  EXPECT_EQ(chip.log, (std::vector<std::string>{"V1", "V3", "V1", "V3"}));
  chip.voltage[1] = 2.5;
  EXPECT_TRUE(ProcessorVoltageCheck(chip, s, 5));

  // 2.80 V nominal, 5%: the band is 2.667 V to 2.94 V.
  s = With({{"LM78Enable", "TRUE"}, {"CoreVolt", "280"}});
  chip.voltage[3] = 3.44;
  for (double core : {2.67, 2.7, 2.8, 2.94}) {
    chip.voltage[2] = core;
    EXPECT_FALSE(ProcessorVoltageCheck(chip, s, 5)) << core;
  }
  for (double core : {2.95, 2.66, 0.0}) {
    chip.voltage[2] = core;
    EXPECT_TRUE(ProcessorVoltageCheck(chip, s, 5)) << core;
  }
  // The I/O voltage has its own band around 3.44 V (3.276 V to 3.612 V).
  chip.voltage[2] = 2.8;
  for (double io : {3.62, 3.27}) {
    chip.voltage[3] = io;
    EXPECT_TRUE(ProcessorVoltageCheck(chip, s, 5)) << io;
  }
  chip.voltage[3] = 3.28;
  EXPECT_FALSE(ProcessorVoltageCheck(chip, s, 5));
}

TEST(HardwareEntries, SystemVoltagesInRailOrderAndTheirBands) {
  FakeReader chip;
  chip.voltage = {{4, 5.0116}, {5, 12.139}, {6, -11.988}, {7, -5.04}};
  const HardwareSettings s = With({{"LM78Enable", "TRUE"}});
  chip.log.clear();
  EXPECT_EQ(SystemVoltagesText(chip, s, kSep), "+5.01V / -5.04V / +12.14V / -11.99V");
  EXPECT_EQ(chip.log, (std::vector<std::string>{"V4", "V7", "V5", "V6"}));
  chip.log.clear();
  EXPECT_FALSE(SystemVoltageCheck(chip, s, 5));
  EXPECT_EQ(chip.log, (std::vector<std::string>{"V4", "V7", "V5", "V6"}));

  // Each rail outside its band alerts on its own; a negative rail's band
  // lies between -nominal x f (below) and -nominal / f (above).
  struct Case { int channel; double value; bool alerts; };
  const Case cases[] = {{4, 5.26, true},    {4, 4.77, false},   {4, 4.7, true},
                        {7, -5.3, true},    {7, -4.77, false},  {7, -4.7, true},
                        {5, 12.61, true},   {5, 11.43, false},  {5, 11.4, true},
                        {6, -12.61, true},  {6, -11.43, false}, {6, -11.4, true}};
  for (const Case& c : cases) {
    FakeReader rail;
    rail.voltage = {{4, 5.0}, {5, 12.0}, {6, -12.0}, {7, -5.0}};
    rail.voltage[c.channel] = c.value;
    EXPECT_EQ(SystemVoltageCheck(rail, s, 5), c.alerts) << c.channel << " at " << c.value;
  }
}

TEST(HardwareEntries, ThresholdZeroAlertsForAnyDeviation) {
  FakeReader chip;
  const HardwareSettings s = With({{"LM78Enable", "TRUE"}, {"CoreVolt", "200"}});
  chip.voltage = {{2, 2.0}, {3, 3.44}, {4, 5.0}, {5, 12.0}, {6, -12.0}, {7, -5.0}};
  EXPECT_FALSE(ProcessorVoltageCheck(chip, s, 0));
  EXPECT_FALSE(SystemVoltageCheck(chip, s, 0));
  for (auto [channel, value] : std::map<int, double>{{2, 2.01}, {3, 3.43}}) {
    FakeReader off = chip;
    off.voltage[channel] = value;
    EXPECT_TRUE(ProcessorVoltageCheck(off, s, 0)) << channel;
  }
  const std::map<int, double> rails = {{4, 4.99}, {5, 12.01}, {6, -11.99}, {7, -5.01}};
  for (auto [channel, value] : rails) {
    FakeReader off = chip;
    off.voltage[channel] = value;
    EXPECT_TRUE(SystemVoltageCheck(off, s, 0)) << channel;
  }
}

TEST(HardwareEntries, FanTypesConvertTheReading) {
  FakeReader chip;
  HardwareSettings s = With({{"LM78Enable", "TRUE"}, {"Fan1Type", "1"}, {"Fan2Type", "2"},
                             {"Fan3Type", "3"}});
  chip.fan = {{1, 1300}, {2, 2499}, {3, 4500}};
  EXPECT_EQ(FanText(chip, s, 1), "2600rpm");
  EXPECT_EQ(FanText(chip, s, 2), "2499rpm");
  EXPECT_EQ(FanText(chip, s, 3), "2250rpm");
  chip.fan[3] = 4501;  // 2250.5 goes to the even 2250
  EXPECT_EQ(FanText(chip, s, 3), "2250rpm");
  chip.fan[3] = 4503;  // 2251.5 goes to the even 2252
  EXPECT_EQ(FanText(chip, s, 3), "2252rpm");

  EXPECT_FALSE(FanCheck(chip, s, 1, 2600));  // 2600 is not below 2600
  EXPECT_TRUE(FanCheck(chip, s, 1, 2601));
  EXPECT_FALSE(FanCheck(chip, s, 2, 2499));
  EXPECT_TRUE(FanCheck(chip, s, 2, 2500));
  EXPECT_FALSE(FanCheck(chip, s, 3, 2252));
  EXPECT_TRUE(FanCheck(chip, s, 3, 2253));

  chip.fan[1] = 0x40000000;
  EXPECT_THROW(FanText(chip, s, 1), CvlError);
  EXPECT_THROW(FanCheck(chip, s, 1, 0), CvlError);
}

TEST(HardwareEntries, NoFanAndUnknownFanTypesShowDashesWithoutReading) {
  FakeReader chip;
  chip.fan = {{1, 1300}, {2, 1300}, {3, 1300}};
  const HardwareSettings s = With({{"LM78Enable", "TRUE"}, {"Fan1Type", "0"}, {"Fan2Type", "4"},
                                   {"Fan3Type", "-1"}});
  for (int fan = 1; fan <= 3; ++fan) {
    EXPECT_EQ(FanText(chip, s, fan), "------") << fan;
    EXPECT_FALSE(FanCheck(chip, s, fan, INT_MAX)) << fan;
  }
  EXPECT_TRUE(chip.log.empty());
}

// ---- the chain from chip registers -------------------------------------------

// The chip library's own readings over the register model.
class ModelReader : public HardwareReader {
 public:
  ModelReader(Lm78Model& chip, MemoryFudgeStore& store) : monitor_(chip, store) {}
  int32_t GetTemperature(int32_t channel) override { return monitor_.GetTemperature(channel); }
  double GetVoltage(int32_t channel) override { return monitor_.GetVoltage(channel); }
  int32_t GetFan(int32_t fan) override { return monitor_.GetFan(fan); }

 private:
  ChipMonitor monitor_;
};

class ChipChain : public ::testing::Test {
 protected:
  Lm78Model chip;
  MemoryFudgeStore store;
  ModelReader reader{chip, store};
};

TEST_F(ChipChain, RegistersBecomePanelTextsAndAlerts) {
  chip.SetRegister(0x27, 41);   // temperature 1
  chip.SetRegister(0x21, 156);  // core on channel 2: 2.496 V
  chip.SetRegister(0x22, 207);  // processor I/O: 3.312 V
  chip.SetRegister(0x23, 187);  // +5 V: 5.0116 V
  chip.SetRegister(0x24, 199);  // +12 V: 12.139 V
  chip.SetRegister(0x25, 216);  // -12 V: -11.988 V
  chip.SetRegister(0x26, 210);  // -5 V: -5.04 V
  chip.SetRegister(0x28, 135);  // fan 1: 2500 rpm with divisor 2
  const HardwareSettings s = With({{"LM78Enable", "TRUE"}, {"TempComp1", "-3"},
                                   {"Fan1Type", "3"}});
  EXPECT_EQ(TemperatureText(reader, s, 1), "38" + kDegC);
  EXPECT_TRUE(TemperatureCheck(reader, s, 1, 37));
  EXPECT_FALSE(TemperatureCheck(reader, s, 1, 38));
  EXPECT_EQ(ProcessorVoltagesText(reader, s, kSep), "+2.50V / +3.31V");
  EXPECT_FALSE(ProcessorVoltageCheck(reader, s, 5));
  EXPECT_EQ(SystemVoltagesText(reader, s, kSep), "+5.01V / -5.04V / +12.14V / -11.99V");
  EXPECT_FALSE(SystemVoltageCheck(reader, s, 5));
  EXPECT_EQ(FanText(reader, s, 1), "1250rpm");
  EXPECT_TRUE(FanCheck(reader, s, 1, 1251));
  // An absent negative rail reads 0, shown without a minus sign.
  chip.SetRegister(0x26, 255);
  EXPECT_EQ(SystemVoltagesText(reader, s, kSep), "+5.01V / 0.00V / +12.14V / -11.99V");
  EXPECT_TRUE(SystemVoltageCheck(reader, s, 5));
  EXPECT_TRUE(chip.faults.empty());
}

TEST_F(ChipChain, ANominalCoreFromTheChipIsNoDeviation) {
  // 175 and 215 counts of 0.016 V are the nominal 2.80 V and 3.44 V.
  chip.SetRegister(0x20, 175);
  chip.SetRegister(0x22, 215);
  const HardwareSettings s = With({{"LM78Enable", "TRUE"}, {"CorePort1", "TRUE"},
                                   {"CoreVolt", "280"}});
  EXPECT_EQ(ProcessorVoltagesText(reader, s, kSep), "+2.80V / +3.44V");
  EXPECT_FALSE(ProcessorVoltageCheck(reader, s, 0));
  chip.SetRegister(0x20, 176);
  EXPECT_TRUE(ProcessorVoltageCheck(reader, s, 0));
  chip.SetRegister(0x20, 174);
  EXPECT_TRUE(ProcessorVoltageCheck(reader, s, 0));
}

TEST_F(ChipChain, WithoutTheDriverEveryReadingIsZero) {
  chip.driverLoaded = false;
  const HardwareSettings s = With({{"LM78Enable", "TRUE"}, {"TempComp2", "5"}, {"Fan1Type", "1"},
                                   {"Fan2Type", "2"}, {"Fan3Type", "3"}});
  EXPECT_EQ(TemperatureText(reader, s, 1), "0" + kDegC);
  EXPECT_EQ(TemperatureText(reader, s, 2), "5" + kDegC);
  EXPECT_EQ(ProcessorVoltagesText(reader, s, kSep), "+0.00V / +0.00V");
  EXPECT_EQ(SystemVoltagesText(reader, s, kSep), "+0.00V / 0.00V / +0.00V / 0.00V");
  EXPECT_TRUE(ProcessorVoltageCheck(reader, s, 100));
  EXPECT_TRUE(SystemVoltageCheck(reader, s, 100));
  for (int fan = 1; fan <= 3; ++fan) {
    EXPECT_EQ(FanText(reader, s, fan), "0rpm") << fan;
    EXPECT_TRUE(FanCheck(reader, s, fan, 1)) << fan;
    EXPECT_FALSE(FanCheck(reader, s, fan, 0)) << fan;
  }
}

}  // namespace
