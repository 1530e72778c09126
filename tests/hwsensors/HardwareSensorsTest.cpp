// The hardware-monitor sensors and checks: the "LM78" settings, the texts
// and alert decisions over a fake reader, and the chain from chip registers
// through the chip library's readings.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

#include "chipwatch/core/ChipMonitor.h"
#include "sensors/core/HardwareMonitor.h"
#include "shared/core/CvlError.h"
#include "tests/chipmodel/Lm78Model.h"
#include "tests/chipmodel/MemoryFudgeStore.h"
#include "tests/fakes/MemorySettings.h"
#include "tests/fakes/SensorTextStrings.h"

namespace {

using Log = std::vector<std::string>;
const std::string kSep = " / ";
const std::string kDegC = "\xB0" "C";

// Readings chosen per channel; every reading is logged ("T1", "V4", "F2").
class FakeReader : public HardwareReader {
 public:
  std::map<int32_t, int32_t> temperature, fan;
  std::map<int32_t, double> voltage;
  Log log;
  int32_t GetTemperature(int32_t n) override { return Note("T", n), temperature[n]; }
  double GetVoltage(int32_t n) override { return Note("V", n), voltage[n]; }
  int32_t GetFan(int32_t n) override { return Note("F", n), fan[n]; }

 private:
  void Note(const char* kind, int32_t n) { log.push_back(kind + std::to_string(n)); }
};

// The settings a store holding these "LM78" values gives.
HardwareSettings With(const std::map<std::string, std::string>& values) {
  MemorySettings store;
  for (const auto& [key, value] : values) store.Set("LM78", key, value);
  return ReadHardwareSettings(store);
}

class KeyLog : public MemorySettings {
 public:
  Log keys;
  std::string GetSetting(const std::string& app, const std::string& section,
                         const std::string& key, const std::string& def) override {
    keys.push_back(app + "/" + section + "/" + key + "=" + def);
    return MemorySettings::GetSetting(app, section, key, def);
  }
};

TEST(HardwareSettings, SectionIsReadInOrderWithItsDefaults) {
  KeyLog store;
  ReadHardwareSettings(store);
  Log expected = {"CorePort1=FALSE", "CoreVolt=250"};
  for (const char* n : {"1", "2", "3", "4"}) expected.push_back(std::string("TempComp") + n + "=0");
  for (const char* n : {"1", "2", "3", "4"})
    expected.push_back(std::string("Temp") + n + "Enable=TRUE");
  expected.push_back("LM78Enable=FALSE");
  for (const char* n : {"1", "2", "3"}) expected.push_back(std::string("Fan") + n + "Type=0");
  for (std::string& key : expected) key = "Corvella/LM78/" + key;
  EXPECT_EQ(store.keys, expected);
}

TEST(HardwareEntries, TemperatureCompensationSwitchingOffAndOverflow) {
  FakeReader chip;
  chip.temperature[1] = 41;
  HardwareSettings s = With({{"TempComp1", "-3"}});
  EXPECT_EQ(TemperatureText(chip, s, 1), "38\xB0" "C");
  EXPECT_FALSE(TemperatureCheck(chip, s, 1, 38));
  EXPECT_TRUE(TemperatureCheck(chip, s, 1, 37));

  // Switched off: the panel still reads the chip, the warning does not.
  s = With({{"Temp1Enable", "FALSE"}, {"TempComp3", "2147483647"}});
  chip.log.clear();
  EXPECT_EQ(TemperatureText(chip, s, 1), "------");
  EXPECT_FALSE(TemperatureCheck(chip, s, 1, INT_MIN));
  EXPECT_EQ(chip.log, Log{"T1"});

  chip.temperature[3] = 1;
  EXPECT_THROW(TemperatureText(chip, s, 3), CvlError);
  EXPECT_THROW(TemperatureCheck(chip, s, 3, 0), CvlError);
  chip.temperature[3] = -1;
  EXPECT_EQ(TemperatureText(chip, s, 3), "2147483646" + kDegC);
}

TEST(HardwareEntries, ProcessorVoltagesAgainstTheirNominals) {
  FakeReader chip;
  chip.voltage = {{1, 1.6}, {2, 2.8}, {3, 3.3149}};
  HardwareSettings s = With({{"LM78Enable", "TRUE"}, {"CoreVolt", "280"}});
  EXPECT_EQ(ProcessorVoltagesText(chip, s, kSep), "+2.80V / +3.31V");
  // 2.80 V with 5%: 2.667 V to 2.94 V; the I/O voltage 3.276 V to 3.612 V.
  for (auto [core, io, alerts] : {std::tuple{2.95, 3.44, true}, {2.66, 3.44, true},
                                  {2.67, 3.44, false}, {2.94, 3.44, false},
                                  {2.8, 3.62, true}, {2.8, 3.27, true}, {2.8, 3.28, false}}) {
    chip.voltage[2] = core;
    chip.voltage[3] = io;
    EXPECT_EQ(ProcessorVoltageCheck(chip, s, 5), alerts) << core << " " << io;
  }
  // "CorePort1" moves the core to channel 1 for the panel and the warning.
  s = With({{"LM78Enable", "TRUE"}, {"CorePort1", "TRUE"}, {"CoreVolt", "160"}});
  chip.log.clear();
  EXPECT_EQ(ProcessorVoltagesText(chip, s, " ||"), "+1.60V ||+3.28V");
  EXPECT_FALSE(ProcessorVoltageCheck(chip, s, 5));
  EXPECT_EQ(chip.log, (Log{"V1", "V3", "V1", "V3"}));
}

TEST(HardwareEntries, SystemVoltagesInRailOrderAndTheirBands) {
  FakeReader chip;
  chip.voltage = {{4, 5.0116}, {5, 12.139}, {6, -11.988}, {7, -5.04}};
  const HardwareSettings s = With({{"LM78Enable", "TRUE"}});
  EXPECT_EQ(SystemVoltagesText(chip, s, kSep), "+5.01V / -5.04V / +12.14V / -11.99V");
  EXPECT_FALSE(SystemVoltageCheck(chip, s, 5));
  EXPECT_EQ(chip.log, (Log{"V4", "V7", "V5", "V6", "V4", "V7", "V5", "V6"}));

  // Each rail alerts on its own; a negative rail's band runs from
  // -nominal x f up to -nominal / f. Threshold 0 allows no deviation.
  struct Case { int channel; double value; int32_t threshold; bool alerts; };
  const Case cases[] = {{4, 5.26, 5, true},    {4, 4.77, 5, false},   {4, 4.7, 5, true},
                        {7, -5.3, 5, true},    {7, -4.77, 5, false},  {7, -4.7, 5, true},
                        {5, 12.61, 5, true},   {5, 11.43, 5, false},  {6, -11.4, 5, true},
                        {6, -11.43, 5, false}, {4, 5.0, 0, false},    {4, 4.99, 0, true},
                        {7, -5.01, 0, true},   {5, 12.01, 0, true},   {6, -11.99, 0, true}};
  for (const Case& c : cases) {
    FakeReader rails;
    rails.voltage = {{4, 5.0}, {5, 12.0}, {6, -12.0}, {7, -5.0}};
    rails.voltage[c.channel] = c.value;
    EXPECT_EQ(SystemVoltageCheck(rails, s, c.threshold), c.alerts) << c.channel << " " << c.value;
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
  EXPECT_FALSE(FanCheck(chip, s, 3, 2252));
  EXPECT_TRUE(FanCheck(chip, s, 3, 2253));
  chip.fan[1] = 0x40000000;
  EXPECT_THROW(FanText(chip, s, 1), CvlError);
  EXPECT_THROW(FanCheck(chip, s, 1, 0), CvlError);

  // No fan, or a type without a conversion: dashes, no alert, no reading.
  s = With({{"LM78Enable", "TRUE"}, {"Fan1Type", "0"}, {"Fan2Type", "4"}, {"Fan3Type", "-1"}});
  chip.log.clear();
  for (int fan = 1; fan <= 3; ++fan) {
    EXPECT_EQ(FanText(chip, s, fan), "------") << fan;
    EXPECT_FALSE(FanCheck(chip, s, fan, INT_MAX)) << fan;
  }
  EXPECT_TRUE(chip.log.empty());
}

// ---- the chain from chip registers -----------------------------------------

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
  void TearDown() override { EXPECT_TRUE(chip.faults.empty()); }
  Lm78Model chip;
  MemoryFudgeStore store;
  ModelReader reader{chip, store};
};

TEST_F(ChipChain, RegistersBecomePanelTextsAndAlerts) {
  const std::map<uint8_t, uint8_t> registers = {
      {0x27, 41},                                       // temperature 1
      {0x21, 156}, {0x22, 207},                         // core 2.496 V, I/O 3.312 V
      {0x23, 187}, {0x24, 199}, {0x25, 216}, {0x26, 210},  // +5, +12, -12, -5
      {0x28, 135}};                                     // fan 1: 2500 rpm
  for (auto [reg, value] : registers) chip.SetRegister(reg, value);
  const HardwareSettings s =
      With({{"LM78Enable", "TRUE"}, {"TempComp1", "-3"}, {"Fan1Type", "3"}});
  EXPECT_EQ(TemperatureText(reader, s, 1), "38" + kDegC);
  EXPECT_TRUE(TemperatureCheck(reader, s, 1, 37));
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
}

TEST_F(ChipChain, ANominalCoreFromTheChipIsNoDeviationAtThresholdZero) {
  chip.SetRegister(0x20, 175);  // 175 and 215 counts of 0.016 V: 2.80 V and 3.44 V
  chip.SetRegister(0x22, 215);
  const HardwareSettings s = With({{"LM78Enable", "TRUE"}, {"CorePort1", "TRUE"},
                                   {"CoreVolt", "280"}});
  EXPECT_EQ(ProcessorVoltagesText(reader, s, kSep), "+2.80V / +3.44V");
  EXPECT_FALSE(ProcessorVoltageCheck(reader, s, 0));
  for (uint8_t off : {176, 174}) {
    chip.SetRegister(0x20, off);
    EXPECT_TRUE(ProcessorVoltageCheck(reader, s, 0)) << int(off);
  }
}

}  // namespace
