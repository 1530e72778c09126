// The hardware dialog's decision tables and value texts, without windows.
#include "settings/core/LM78Tables.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/core/CoreVoltText.h"

namespace {

struct ProcessorRow {
  const char* vendor;
  int family, model;
  bool mmx, overdrive;
  int speed;
  const char* item;  // nullptr: the selection is kept
  double expected;
};

const ProcessorRow kProcessorRows[] = {
    {"AuthenticAMD", 5, 0, false, false, 100, "AMD K5", 3.5},
    {"AuthenticAMD", 5, 6, false, true, 300, "AMD K5", 3.5},
    {"AuthenticAMD", 5, 6, true, false, 221, "AMD K6 233 (Model 6)", 3.2},
    {"AuthenticAMD", 5, 6, true, false, 220, "AMD K6 166-200 (Model 6)", 2.9},
    {"AuthenticAMD", 5, 7, true, false, 300, "AMD K6 200-300 (Model 7) Or K6 II", 2.2},
    {"AuthenticAMD", 5, 8, true, false, 350, "AMD K6 200-300 (Model 7) Or K6 II", 2.2},
    {"AuthenticAMD", 5, 9, true, false, 400, nullptr, 0},
    {"AuthenticAMD", 23, 1, true, false, 3000, nullptr, 0},
    {"CyrixInstead", 5, 2, true, false, 200, "Cyrix 6x86MX", 2.9},
    {"CyrixInstead", 5, 2, false, false, 150, "Cyrix 6x86L", 2.8},
    {"CyrixInstead", 5, 3, false, false, 150, "Cyrix 6x86", 3.5},
    {"CyrixInstead", 4, 2, false, false, 150, "Cyrix 6x86", 3.5},
    {"GenuineIntel", 6, 3, true, true, 300, "Intel Pentium II (Deschutes Core)", 2.0},
    {"GenuineIntel", 6, 9, false, true, 300, "Intel Pentium II (Deschutes Core)", 2.0},
    {"GenuineIntel", 5, 4, true, true, 200, "Intel Pentium or Pentium Pro", 3.5},
    {"GenuineIntel", 6, 1, false, false, 200, "Intel Pentium or Pentium Pro", 3.5},
    {"GenuineIntel", 5, 4, true, false, 233, "Intel Pentium MMX", 2.8},
    {"GenuineIntel", 6, 3, true, false, 300, "Intel Pentium II (Kalamath Core)", 2.8},
    {"GenuineIntel", 6, 5, true, false, 350, "Intel Pentium II (Deschutes Core)", 2.0},
    {"GenuineIntel", 6, 6, true, false, 400, "Intel Pentium II (Deschutes Core)", 2.0},
    {"GenuineIntel", 6, 7, true, false, 500, nullptr, 0},
    {"GenuineIntel", 15, 2, true, false, 2000, nullptr, 0},
    {"GenuineTMx86", 5, 4, true, false, 600, "Intel Pentium MMX", 2.8},
    {"genuineintel", 6, 3, false, false, 300, "Intel Pentium or Pentium Pro", 3.5},
    {"", 4, 0, false, false, 0, "Intel Pentium or Pentium Pro", 3.5},
};

TEST(LM78Tables, EveryProcessorRowChoosesItsItemAndExpectedVoltage) {
  for (const ProcessorRow& row : kProcessorRows) {
    ProcessorFacts cpu;
    cpu.vendor = row.vendor;
    cpu.family = row.family;
    cpu.model = row.model;
    cpu.mmx = row.mmx;
    cpu.overdrive = row.overdrive;
    cpu.speed = row.speed;
    ProcessorChoice choice = ChooseProcessor(cpu);
    std::string where = std::string(row.vendor) + " family " + std::to_string(row.family) +
                        " model " + std::to_string(row.model);
    EXPECT_EQ(ItemText(kProcessorItems, kProcessorItemCount, choice.item),
              row.item ? row.item : "")
        << where;
    EXPECT_DOUBLE_EQ(choice.expected, row.expected) << where;
    // The voltage the list shows for the item is the one expected on the board.
    if (choice.item != kNoSelection) {
      EXPECT_DOUBLE_EQ(std::atof(kProcessorVoltages[choice.item]), row.expected) << where;
    }
  }
}

TEST(LM78Tables, TheMotherboardIsTheTypeWhoseInputReadsNearerTheExpectedVoltage) {
  EXPECT_EQ(ChooseMotherboard(2.79, 3.31, 2.8, kMotherboardType2), kMotherboardType1);
  EXPECT_EQ(ChooseMotherboard(3.31, 2.79, 2.8, kMotherboardType1), kMotherboardType2);
  // Equal distances keep whatever was selected.
  for (int current : {int(kMotherboardType1), int(kMotherboardType2), kNoSelection}) {
    EXPECT_EQ(ChooseMotherboard(2.5, 3.5, 3.0, current), current);
    EXPECT_EQ(ChooseMotherboard(0.0, 0.0, 2.8, current), current);  // no chip: both read 0
  }
  // An unknown processor expects 0 V: the lower reading wins.
  EXPECT_EQ(ChooseMotherboard(0.2, 0.1, 0.0, kMotherboardType1), kMotherboardType2);
}

TEST(LM78Tables, FanSpeedsNameTheirTypeAtEachThreshold) {
  struct Row {
    uint32_t rpm;
    int type;
    const char* text;
  } rows[] = {{0, 0, "None Detected"},        {100, 0, "None Detected"},
              {101, 1, "Fan Type 1"},         {2800, 1, "Fan Type 1"},
              {2801, 2, "Fan Type 2"},        {8000, 2, "Fan Type 2"},
              {8001, 3, "Fan Type 3"},        {20000, 3, "Fan Type 3"},
              {20001, kNoSelection, ""},      {0xFFFFFFFFu, kNoSelection, ""}};
  for (const Row& row : rows) {
    FanClass fan = ClassifyFan(row.rpm);
    EXPECT_EQ(fan.type, row.type) << row.rpm;
    EXPECT_STREQ(fan.text, row.text) << row.rpm;
  }
}

TEST(LM78Tables, ChipAnswersSetTheHardwareItemAndTemperatureSwitches) {
  ChipControls none = ChipControlsFor(false, true, true);
  EXPECT_EQ(none.hardware, kHardwareNone);
  EXPECT_FALSE(none.temperature[0] || none.temperature[1] || none.temperature[2] ||
               none.temperature[3]);
  ChipControls lm75 = ChipControlsFor(true, true, true);  // the LM75 wins over a Winbond
  EXPECT_EQ(kHardwareItems[lm75.hardware], std::string("LM78/79 & LM75"));
  EXPECT_TRUE(lm75.temperature[0] && !lm75.temperature[1] && !lm75.temperature[2] &&
              lm75.temperature[3]);
  ChipControls winbond = ChipControlsFor(true, false, true);
  EXPECT_EQ(kHardwareItems[winbond.hardware], std::string("Winbond W83781D"));
  EXPECT_TRUE(winbond.temperature[0] && winbond.temperature[1] && winbond.temperature[2] &&
              !winbond.temperature[3]);
  ChipControls lm78 = ChipControlsFor(true, false, false);
  EXPECT_EQ(kHardwareItems[lm78.hardware], std::string("LM78/79"));
  EXPECT_TRUE(lm78.temperature[0] && !lm78.temperature[1] && !lm78.temperature[2] &&
              !lm78.temperature[3]);
}

TEST(LM78Tables, TheReportEndsEveryLineWithOneCarriageReturn) {
  DetectionLines lines;
  lines.hardware = "LM78/79";
  lines.processor = "Intel Pentium MMX";
  lines.motherboard = "";
  lines.fans[0] = "Fan Type 1";
  lines.fans[1] = "";
  lines.fans[2] = "None Detected";
  EXPECT_EQ(DetectionReport(lines),
            "Hardware Auto-Detection Results:                              \r\r"
            "Hardware Monitoring Support: LM78/79\r"
            "CPU Type: Intel Pentium MMX\r"
            "Motherboard Type: \r"
            "Fan 1 Type: Fan Type 1\r"
            "Fan 2 Type: \r"
            "Fan 3 Type: None Detected\r");
}

TEST(CoreVoltText, VoltsShowInTheShortestGeneralFormWithTheUsersSeparator) {
  EXPECT_EQ(VoltText(280 * 0.01, '.'), "2.8");
  EXPECT_EQ(VoltText(2.8 + 0.1, '.'), "2.9");
  EXPECT_EQ(VoltText(3, '.'), "3");
  EXPECT_EQ(VoltText(-0.0, '.'), "0");
  EXPECT_EQ(VoltText(-0.05, ','), "-0,05");
  EXPECT_EQ(VoltText(1e20, '.'), "1E20");
  EXPECT_EQ(VoltText(1.5e-5, ','), "1,5E-5");
  EXPECT_EQ(CoreVoltFromStored("280", '.'), "2.8");
  EXPECT_EQ(CoreVoltFromStored("280", ','), "2,8");
  EXPECT_EQ(CoreVoltFromStored("2147483647", '.'), "21474836.47");
  EXPECT_EQ(CoreVoltFromStored("volts", '.'), "0");
}

TEST(CoreVoltText, OnlyWholeDecimalNumbersWithTheUsersSeparatorAreRead) {
  double v = -1;
  EXPECT_TRUE(ParseVolts(" 2.8 ", '.', v));
  EXPECT_DOUBLE_EQ(v, 2.8);
  EXPECT_TRUE(ParseVolts("2,8", ',', v));
  EXPECT_DOUBLE_EQ(v, 2.8);
  EXPECT_TRUE(ParseVolts("-.5", '.', v));
  EXPECT_DOUBLE_EQ(v, -0.5);
  EXPECT_TRUE(ParseVolts("1,5E-1", ',', v));
  EXPECT_DOUBLE_EQ(v, 0.15);
  for (const char* bad : {"", " ", "-", ".", "2.8V", "2.8.1", "1E", "inf", "nan", "0x1A"})
    EXPECT_FALSE(ParseVolts(bad, '.', v)) << bad;
  EXPECT_FALSE(ParseVolts("2.8", ',', v));
}

TEST(CoreVoltText, PlusAndMinusStepByATenthAndMinusStopsAtZero) {
  EXPECT_EQ(CoreVoltUp("2.8", '.'), "2.9");
  EXPECT_EQ(CoreVoltUp("2,8", ','), "2,9");
  EXPECT_EQ(CoreVoltUp("2.0", '.'), "2.1");
  EXPECT_EQ(CoreVoltDown("2.0", '.'), "1.9");
  EXPECT_EQ(CoreVoltDown("0.2", '.'), "0.1");
  EXPECT_EQ(CoreVoltDown("0.1", '.'), "0");
  EXPECT_EQ(CoreVoltDown("0.15", '.'), "0");
  EXPECT_EQ(CoreVoltDown("-1", '.'), "0");
  EXPECT_EQ(CoreVoltUp("0", '.'), "0.1");
  for (const char* bad : {"", "abc", "2.8"}) {
    EXPECT_EQ(CoreVoltUp(bad, ','), "0") << bad;
    EXPECT_EQ(CoreVoltDown(bad, ','), "0") << bad;
  }
}

TEST(CoreVoltText, OkStoresHundredthsRoundedHalfToEvenWithin32Bits) {
  std::string s;
  ASSERT_TRUE(CoreVoltToStored("2.9", '.', s));
  EXPECT_EQ(s, "290");
  ASSERT_TRUE(CoreVoltToStored("2,8", ',', s));
  EXPECT_EQ(s, "280");
  ASSERT_TRUE(CoreVoltToStored("0.125", '.', s));
  EXPECT_EQ(s, "12");
  ASSERT_TRUE(CoreVoltToStored("0.375", '.', s));
  EXPECT_EQ(s, "38");
  ASSERT_TRUE(CoreVoltToStored("1E10", '.', s));
  EXPECT_EQ(s, "2147483647");
  ASSERT_TRUE(CoreVoltToStored("-1E10", '.', s));
  EXPECT_EQ(s, "-2147483648");
  s = "kept";
  EXPECT_FALSE(CoreVoltToStored("", '.', s));
  EXPECT_EQ(s, "kept");
}

TEST(CoreVoltText, CompensationStepsByOneDegreeWithoutWrappingRound) {
  EXPECT_EQ(CompensationStep("0", 1), "1");
  EXPECT_EQ(CompensationStep("-3", -1), "-4");
  EXPECT_EQ(CompensationStep(" 7x", 1), "8");
  EXPECT_EQ(CompensationStep("warm", -1), "-1");
  EXPECT_EQ(CompensationStep("2147483647", 1), "2147483647");
  EXPECT_EQ(CompensationStep("-2147483648", -1), "-2147483648");
}

}  // namespace
