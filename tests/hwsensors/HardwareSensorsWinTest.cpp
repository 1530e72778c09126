// The hardware-monitor entries of the catalogues in a Windows process, with
// the real Chipwatch.dll. There is no chip driver here, so the library
// reads every temperature, voltage and fan as 0; the "LM78" settings come
// from the registry and are re-read by every InitBuiltIns.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "sensors/BuiltInsCode.h"
#include "tests/support/SystemWarningHost.h"
#include "shared/Common.h"
#include "tests/support/WinTest.h"
#include "tests/fakes/SensorTextStrings.h"

using namespace wintest;

namespace {

const char kFactorKey[] = "SOFTWARE\\Veltrop\\Chipwatch";
const std::string kDegC = "\xB0" "C";

std::string Sensor(int number) { return SensorText(Contract(), BuiltInSensor(number).Function); }
bool Alerts(int kind, int32_t threshold) {
  return Contract().CallWarningFunction(BuiltInWarning(kind).Function, threshold);
}

class HardwareOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetVeltropKeys();
    InitBuiltIns(true);
  }
  void TearDown() override { ResetVeltropKeys(); }
  void Lm78(const std::string& key, const std::string& value) { SetSetting("LM78", key, value); }
};

TEST_F(HardwareOnWindows, DefaultsShowTemperaturesOnlyAndReloadsFollowTheRegistry) {
  for (int n = 16; n <= 19; ++n) EXPECT_EQ(Sensor(n), "0" + kDegC) << n;
  for (int n = 20; n <= 24; ++n) EXPECT_EQ(Sensor(n), "------") << n;
  for (int kind = 4; kind <= 7; ++kind) {
    EXPECT_TRUE(Alerts(kind, -1)) << kind;
    EXPECT_FALSE(Alerts(kind, 0)) << kind;
  }
  for (int kind = 8; kind <= 12; ++kind)
    for (int32_t threshold : {0, 5, INT_MAX}) EXPECT_FALSE(Alerts(kind, threshold)) << kind;

  Lm78("TempComp2", "-7");
  Lm78("Temp3Enable", "true");
  Lm78("Temp4Enable", "FALSE");
  EXPECT_EQ(Sensor(17), "0" + kDegC);  // not before the next settings load
  InitBuiltIns(false);
  EXPECT_EQ(Sensor(16), "0" + kDegC);
  EXPECT_EQ(Sensor(17), "-7" + kDegC);
  EXPECT_TRUE(Alerts(5, -8));
  EXPECT_FALSE(Alerts(5, -7));
  EXPECT_EQ(Sensor(18), "------");
  EXPECT_EQ(Sensor(19), "------");
  EXPECT_FALSE(Alerts(6, INT_MIN));
  EXPECT_FALSE(Alerts(7, INT_MIN));
}

TEST_F(HardwareOnWindows, EnabledHardwareReadsZeroWithoutTheDriver) {
  Lm78("LM78Enable", "TRUE");
  Lm78("Fan1Type", "1");
  Lm78("Fan2Type", "2");
  Lm78("Fan3Type", "3");
  InitBuiltIns(false);
  EXPECT_EQ(Sensor(20), "+0.00V / +0.00V");
  EXPECT_EQ(Sensor(21), "+0.00V / 0.00V / +0.00V / 0.00V");
  for (int n = 22; n <= 24; ++n) EXPECT_EQ(Sensor(n), "0rpm") << n;
  for (int kind = 10; kind <= 12; ++kind) {
    EXPECT_TRUE(Alerts(kind, 1)) << kind;
    EXPECT_FALSE(Alerts(kind, 0)) << kind;
  }
  // 0 V lies below every lower bound.
  EXPECT_TRUE(Alerts(8, 5));
  EXPECT_TRUE(Alerts(8, 1000));
  EXPECT_TRUE(Alerts(9, 5));

  SetSetting("Settings", "MultiInfoSep", "-");
  InitBuiltIns(false);
  EXPECT_EQ(Sensor(20), "+0.00V - +0.00V");

  // A fan type the dialog does not offer shows dashes, whatever the buffer held.
  Lm78("Fan2Type", "7");
  InitBuiltIns(false);
  char buffer[kTextBufferSize];
  std::strcpy(buffer, "12345678901234567890");
  BuiltInSensor(23).Function(buffer);
  EXPECT_STREQ(buffer, "------");
  EXPECT_FALSE(Alerts(11, INT_MAX));

  // A flag with a trailing blank is off.
  Lm78("LM78Enable", "TRUE ");
  InitBuiltIns(false);
  EXPECT_EQ(Sensor(20), "------");
  EXPECT_EQ(Sensor(22), "------");
  EXPECT_FALSE(Alerts(8, 5));
  EXPECT_FALSE(Alerts(10, 1));
}

TEST_F(HardwareOnWindows, StartUpProbesTheLibraryOnce) {
  ASSERT_NE(GetModuleHandleA("Chipwatch.dll"), nullptr);  // linked by name
  ResetVeltropKeys();
  InitBuiltIns(false);
  Sensor(16);  // a temperature does not touch the scale factors
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kFactorKey));
  // The probe makes the library create its key of scale factors.
  InitBuiltIns(true);
  EXPECT_EQ(GetString(HKEY_LOCAL_MACHINE, kFactorKey, "Fudge 1"), "160");
  EXPECT_EQ(GetString(HKEY_LOCAL_MACHINE, kFactorKey, "Fudge 7"), "-240");
}

TEST_F(HardwareOnWindows, HardwareWarningsAlertThroughTheWarningList) {
  MessageBoxWatcher boxes;
  Lm78("LM78Enable", "TRUE");
  Lm78("Fan1Type", "2");
  Lm78("TempComp1", "3");
  InitBuiltIns(false);
  const std::pair<const char*, const char*> entries[] = {
      {"10", "1000"}, {"8", "5"}, {"4", "2"}, {"4", "3"}, {"11", "1000"}};
  SetSetting("Warnings", "NoOfWarnings", std::to_string(std::size(entries)));
  int i = 0;
  for (const auto& [number, warnVal] : entries) {
    const std::string section = "Warnings\\" + std::to_string(++i) + "\\General";
    SetSetting(section, "Plugin", "FALSE");
    SetSetting(section, "Number", number);
    SetSetting(section, "WarnVal", warnVal);
  }
  TWarnings list(SystemWarningHost(), Contract());
  list.LoadWarnings();
  ASSERT_EQ(list.Count(), 5);
  for (int n = 1; n <= list.Count(); ++n) list.Items(n).Check();
  ASSERT_TRUE(boxes.WaitForCount(3, 10000)) << boxes.Summary();
  std::vector<std::string> texts;
  for (const auto& box : boxes.Boxes()) texts.push_back(box.text);
  const std::vector<std::string> expected = {
      "Warning: Fan 1 speed has dropped below 1000 rpm.",
      "Warning: A CPU Voltage has deviated beyond 5 %.",
      "Warning: Temperature 1 has risen above 2 " + kDegC + ".",
  };
  EXPECT_EQ(texts, expected) << boxes.Summary();  // fan 2 is type 0: no alert
}

}  // namespace
