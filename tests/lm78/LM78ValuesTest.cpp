// Section "LM78" as the hardware dialog loads and writes it, and the
// auto-detection sequence over a made-up machine.
#include "settings/core/LM78Values.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "sensors/core/HardwareSettings.h"
#include "settings/core/LM78Detection.h"
#include "tests/fakes/MemorySettings.h"

namespace {

TEST(LM78Values, AnEmptySectionLoadsTheDefaultsAndWantsDetection) {
  MemorySettings store;
  LoadedLM78Values loaded = LoadLM78Values(store, '.');
  const LM78Values& v = loaded.values;
  EXPECT_TRUE(loaded.detectionWanted);
  EXPECT_EQ(v.hardware, kNoSelection);
  for (int n = 0; n < 4; ++n) {
    EXPECT_TRUE(v.temperature[n]);
    EXPECT_EQ(v.compensation[n], "0");
  }
  EXPECT_EQ(v.processor, 0);
  EXPECT_EQ(v.coreVolt, "3.5");  // the processor list's voltage for "AMD K5"
  EXPECT_EQ(v.fanType[0], 0);
  EXPECT_EQ(v.motherboard, kMotherboardType2);
}

TEST(LM78Values, StoredTextsSelectWhatTheyNameAndNothingElse) {
  MemorySettings store;
  store.Set("LM78", "Temp2Enable", "true");
  store.Set("LM78", "TempComp1", "-3");
  store.Set("LM78", "TempComp4", "abc");
  store.Set("LM78", "Fan1Type", "3");
  store.Set("LM78", "Fan2Type", "4");
  store.Set("LM78", "Fan3Type", "-1");
  store.Set("LM78", "CPUType", "10");
  store.Set("LM78", "CorePort1", "true");
  store.Set("LM78", "LM78Enable", "FALSE");
  store.Set("LM78", "LM75Enable", "TRUE");
  LoadedLM78Values loaded = LoadLM78Values(store, ',');
  const LM78Values& v = loaded.values;
  EXPECT_FALSE(loaded.detectionWanted);
  EXPECT_EQ(v.hardware, kHardwareNone);
  EXPECT_TRUE(v.temperature[0]);
  EXPECT_FALSE(v.temperature[1]);
  EXPECT_EQ(v.compensation[0], "-3");
  EXPECT_EQ(v.compensation[3], "abc");  // shown as stored
  EXPECT_EQ(v.fanType[0], 3);
  EXPECT_EQ(v.fanType[1], kNoSelection);
  EXPECT_EQ(v.fanType[2], kNoSelection);
  EXPECT_EQ(v.processor, 10);
  EXPECT_EQ(v.coreVolt, "2,0");  // no CoreVolt: the processor's voltage, user's separator
  EXPECT_EQ(v.motherboard, kMotherboardType2);

  store.Set("LM78", "CPUType", "11");
  store.Set("LM78", "CorePort1", "TRUE");
  EXPECT_EQ(LoadLM78Values(store, '.').values.processor, kNoSelection);
  EXPECT_EQ(LoadLM78Values(store, '.').values.coreVolt, "");  // no item: the edit stays empty
  EXPECT_EQ(LoadLM78Values(store, '.').values.motherboard, kMotherboardType1);
  store.Set("LM78", "CoreVolt", "280");
  EXPECT_EQ(LoadLM78Values(store, '.').values.coreVolt, "2.8");
}

TEST(LM78Values, TheChipFlagsSelectTheHardwareItem) {
  struct Row {
    const char *lm78, *lm75, *winbond;
    int item;
  } rows[] = {
      {"FALSE", "TRUE", "TRUE", kHardwareNone},     {"TRUE", "", "", kHardwareLM78},
      {"TRUE", "TRUE", "", kHardwareLM78LM75},      {"yes", "true", "", kHardwareLM78},
      {"TRUE", "FALSE", "TRUE", kHardwareWinbond},  {"TRUE", "TRUE", "TRUE", kHardwareLM78LM75},
  };
  for (const Row& row : rows) {
    MemorySettings store;
    store.Set("LM78", "LM78Enable", row.lm78);
    store.Set("LM78", "LM75Enable", row.lm75);
    store.Set("LM78", "WinbondEnable", row.winbond);
    EXPECT_EQ(LoadLM78Values(store, '.').values.hardware, row.item)
        << row.lm78 << " " << row.lm75 << " " << row.winbond;
  }
}

LM78Values SampleValues() {
  LM78Values v;
  v.temperature[1] = v.temperature[3] = false;
  v.compensation[0] = "-3";
  v.compensation[2] = "5";
  v.hardware = kHardwareLM78;
  v.processor = 8;
  v.coreVolt = "2.9";
  v.fanType[0] = 1;
  v.fanType[1] = 0;
  v.fanType[2] = 3;
  v.motherboard = kMotherboardType1;
  return v;
}

TEST(LM78Values, OkWritesEveryValueInItsOrder) {
  MemorySettings store;
  SaveLM78Values(store, SampleValues(), '.');
  EXPECT_EQ(store.writes, (std::vector<std::string>{
                              "LM78/Temp1Enable=TRUE", "LM78/Temp2Enable=FALSE",
                              "LM78/Temp3Enable=TRUE", "LM78/Temp4Enable=FALSE",
                              "LM78/TempComp1=-3", "LM78/TempComp2=0", "LM78/TempComp3=5",
                              "LM78/TempComp4=0", "LM78/LM78Enable=TRUE", "LM78/LM75Enable=FALSE",
                              "LM78/WinbondEnable=FALSE", "LM78/CPUType=8", "LM78/CoreVolt=290",
                              "LM78/Fan1Type=1", "LM78/Fan2Type=0", "LM78/Fan3Type=3",
                              "LM78/CorePort1=TRUE"}));
}

TEST(LM78Values, NoneAndMissingSelectionsLeaveTheirValuesAlone) {
  MemorySettings store;
  store.Set("LM78", "LM75Enable", "TRUE");
  store.Set("LM78", "WinbondEnable", "TRUE");
  LM78Values v = SampleValues();
  v.hardware = kHardwareNone;
  v.processor = kNoSelection;
  v.coreVolt = "";
  v.fanType[1] = kNoSelection;
  v.motherboard = kNoSelection;
  SaveLM78Values(store, v, '.');
  EXPECT_EQ(store.Get("LM78", "LM78Enable"), "FALSE");
  EXPECT_EQ(store.Get("LM78", "LM75Enable"), "TRUE");
  EXPECT_EQ(store.Get("LM78", "WinbondEnable"), "TRUE");
  EXPECT_EQ(store.Get("LM78", "CPUType"), "-1");
  EXPECT_EQ(store.Get("LM78", "CoreVolt"), "<missing>");
  EXPECT_EQ(store.Get("LM78", "Fan2Type"), "<missing>");
  EXPECT_EQ(store.Get("LM78", "CorePort1"), "<missing>");

  MemorySettings untouched;
  v.hardware = kNoSelection;
  SaveLM78Values(untouched, v, '.');
  EXPECT_EQ(untouched.Get("LM78", "LM78Enable"), "<missing>");
  EXPECT_EQ(untouched.Get("LM78", "LM75Enable"), "<missing>");
}

// The Winbond choice: the dialog shows it again, and the bar reads voltages,
// fans and the temperature switches the user set.
TEST(LM78Values, TheWinbondChoiceLoadsAgainAndTheBarMonitorsWhatWasChosen) {
  MemorySettings store;
  LM78Values v = SampleValues();
  v.hardware = kHardwareWinbond;
  v.temperature[0] = v.temperature[1] = v.temperature[2] = true;
  v.temperature[3] = false;
  SaveLM78Values(store, v, '.');
  EXPECT_EQ(store.Get("LM78", "LM78Enable"), "TRUE");
  EXPECT_EQ(store.Get("LM78", "LM75Enable"), "FALSE");
  EXPECT_EQ(store.Get("LM78", "WinbondEnable"), "TRUE");
  LoadedLM78Values again = LoadLM78Values(store, '.');
  EXPECT_FALSE(again.detectionWanted);
  EXPECT_EQ(again.values.hardware, kHardwareWinbond);

  HardwareSettings bar = ReadHardwareSettings(store);
  EXPECT_TRUE(bar.HardwareEnabled);
  EXPECT_TRUE(bar.TempEnabled[1] && bar.TempEnabled[2] && bar.TempEnabled[3]);
  EXPECT_FALSE(bar.TempEnabled[4]);

  // Choosing an LM78 later selects that again, not the Winbond.
  v.hardware = kHardwareLM78;
  SaveLM78Values(store, v, '.');
  EXPECT_EQ(LoadLM78Values(store, '.').values.hardware, kHardwareLM78);
}

// A machine made up for auto-detection; it records which inputs were read.
class FakeMachine : public LM78Probe {
 public:
  std::vector<bool> initAnswers{false, false};
  int32_t temperature[5] = {};
  bool temperatureFails = false;
  double voltage[3] = {};
  uint32_t fan[4] = {};
  ProcessorFacts cpu;
  std::vector<std::string> calls;

  bool InitialiseLM78() override {
    size_t n = calls.size();
    calls.push_back("init");
    return n < initAnswers.size() && initAnswers[n];
  }
  int32_t GetTemperature(int32_t channel) override {
    calls.push_back("temp" + std::to_string(channel));
    if (temperatureFails) throw std::runtime_error("no reading");
    return temperature[channel];
  }
  double GetVoltage(int32_t channel) override { return voltage[channel]; }
  uint32_t GetFan(int32_t n) override {
    calls.push_back("fan" + std::to_string(n));
    return fan[n];
  }
  ProcessorFacts Processor() override { return cpu; }
};

TEST(LM78Detection, WithoutAChipEverythingIsNoneAndNoFanIsRead) {
  FakeMachine machine;
  machine.initAnswers = {true, false};  // only the second answer counts
  machine.cpu.vendor = "GenuineIntel";
  machine.cpu.family = 5;
  machine.cpu.mmx = true;
  MemorySettings empty;
  LM78Values v = LoadLM78Values(empty, '.').values;  // defaults
  v.fanType[1] = 2;
  std::string report = AutoDetect(machine, v, '.');
  EXPECT_EQ(machine.calls, (std::vector<std::string>{"init", "init"}));
  EXPECT_EQ(v.hardware, kHardwareNone);
  EXPECT_FALSE(v.temperature[0] || v.temperature[1] || v.temperature[2] || v.temperature[3]);
  EXPECT_EQ(v.fanType[1], 0);
  EXPECT_EQ(v.processor, 8);
  EXPECT_EQ(v.coreVolt, "2.8");
  EXPECT_EQ(v.motherboard, kMotherboardType2);  // both inputs read 0: kept
  EXPECT_EQ(report,
            "Hardware Auto-Detection Results:                              \r\r"
            "Hardware Monitoring Support: None\r"
            "CPU Type: Intel Pentium MMX\r"
            "Motherboard Type: Motherboard Type 2\r"
            "Fan 1 Type: None Detected\rFan 2 Type: None Detected\rFan 3 Type: None Detected\r");
}

TEST(LM78Detection, TheSensorsFoundChooseTheChipAndFailedReadingsCountAsAbsent) {
  struct Row {
    int32_t t4, t2, t3;
    bool fails;
    int item;
    std::vector<std::string> reads;
  } rows[] = {
      {11, 0, 0, false, kHardwareLM78LM75, {"temp4", "temp2", "temp3"}},
      {10, 11, 0, false, kHardwareWinbond, {"temp4", "temp2"}},
      {10, 10, 11, false, kHardwareWinbond, {"temp4", "temp2", "temp3"}},
      {10, 10, 10, false, kHardwareLM78, {"temp4", "temp2", "temp3"}},
      {40, 40, 40, true, kHardwareLM78, {"temp4"}},
  };
  for (const Row& row : rows) {
    FakeMachine machine;
    machine.initAnswers = {false, true};
    machine.temperature[4] = row.t4;
    machine.temperature[2] = row.t2;
    machine.temperature[3] = row.t3;
    machine.temperatureFails = row.fails;
    LM78Values v;
    AutoDetect(machine, v, '.');
    EXPECT_EQ(v.hardware, row.item) << row.t4 << " " << row.t2 << " " << row.t3;
    std::vector<std::string> reads(machine.calls.begin() + 2, machine.calls.end() - 3);
    EXPECT_EQ(reads, row.reads) << row.t4 << " " << row.t2 << " " << row.t3;
  }
}

TEST(LM78Detection, AChipGivesMotherboardAndFanTypesInTheReport) {
  FakeMachine machine;
  machine.initAnswers = {false, true};
  machine.cpu.vendor = "GenuineIntel";
  machine.cpu.family = 5;
  machine.cpu.mmx = true;
  machine.voltage[1] = 2.79;
  machine.voltage[2] = 3.31;
  machine.fan[1] = 2800;
  machine.fan[2] = 20001;
  machine.fan[3] = 8001;
  LM78Values v;
  v.fanType[1] = 2;
  v.coreVolt = "1.5";
  std::string report = AutoDetect(machine, v, ',');
  EXPECT_EQ(v.motherboard, kMotherboardType1);
  EXPECT_EQ(v.coreVolt, "2,8");
  EXPECT_EQ(v.fanType[0], 1);
  EXPECT_EQ(v.fanType[1], 2);  // unbelievable speed: left as it was
  EXPECT_EQ(v.fanType[2], 3);
  EXPECT_EQ(report,
            "Hardware Auto-Detection Results:                              \r\r"
            "Hardware Monitoring Support: LM78/79\r"
            "CPU Type: Intel Pentium MMX\r"
            "Motherboard Type: Motherboard Type 1\r"
            "Fan 1 Type: Fan Type 1\rFan 2 Type: \rFan 3 Type: Fan Type 3\r");
}

TEST(LM78Detection, AnUnknownProcessorKeepsTheSelectionAndExpectsZeroVolts) {
  FakeMachine machine;
  machine.initAnswers = {true, true};
  machine.cpu.vendor = "GenuineIntel";
  machine.cpu.family = 6;
  machine.cpu.model = 15;
  machine.cpu.mmx = true;
  machine.voltage[1] = 0.2;
  machine.voltage[2] = 0.1;
  LM78Values v;
  v.processor = 9;
  v.coreVolt = "1.7";
  v.motherboard = kMotherboardType1;
  AutoDetect(machine, v, '.');
  EXPECT_EQ(v.processor, 9);
  EXPECT_EQ(v.coreVolt, "2.8");  // the list's change reaction still runs
  EXPECT_EQ(v.motherboard, kMotherboardType2);

  v.processor = kNoSelection;
  v.coreVolt = "1.7";
  AutoDetect(machine, v, '.');
  EXPECT_EQ(v.coreVolt, "1.7");
}

}  // namespace
