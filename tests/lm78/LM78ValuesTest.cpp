// Section "LM78" as the hardware dialog loads and writes it, and the
// auto-detection sequence over a made-up machine.
#include "settings/core/LM78Values.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/fakes/MemorySettings.h"

namespace {

TEST(LM78Values, StoredTextsSelectWhatTheyNameAndNothingElse) {
  MemorySettings store;
  LoadedLM78Values fresh = LoadLM78Values(store, '.');
  EXPECT_TRUE(fresh.detectionWanted);
  EXPECT_EQ(fresh.values.hardware, kNoSelection);
  EXPECT_EQ(fresh.values.coreVolt, "3.5");  // the voltage of "AMD K5", CPUType 0
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

}  // namespace
