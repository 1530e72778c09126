// The hardware dialog's decision tables and value texts, without windows.

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "settings/core/LM78Values.h"

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

TEST(CoreVoltText, VoltsShowInTheShortestGeneralFormAndReadBackWithTheUsersSeparator) {
  EXPECT_EQ(CoreVoltFromStored("280", '.'), "2.8");
  EXPECT_EQ(CoreVoltFromStored("280", ','), "2,8");
  EXPECT_EQ(CoreVoltFromStored("volts", '.'), "0");
  EXPECT_EQ(VoltText(3, '.'), "3");
  EXPECT_EQ(VoltText(-0.0, '.'), "0");
  EXPECT_EQ(VoltText(1.5e-5, ','), "1,5E-5");
  double v = -1;
  EXPECT_TRUE(ParseVolts(" -,5 ", ',', v));
  EXPECT_DOUBLE_EQ(v, -0.5);
  for (const char* bad : {"", "-", ".", "2.8V", "2.8.1", "1E", "inf", "0x1A"})
    EXPECT_FALSE(ParseVolts(bad, '.', v)) << bad;
  EXPECT_FALSE(ParseVolts("2.8", ',', v));
}

TEST(CoreVoltText, StepsStopAtZeroOkRoundsHalfToEvenAndNothingWraps) {
  EXPECT_EQ(CoreVoltStep("2,8", true, ','), "2,9");
  EXPECT_EQ(CoreVoltStep("2.0", false, '.'), "1.9");
  EXPECT_EQ(CoreVoltStep("0.2", false, '.'), "0.1");
  EXPECT_EQ(CoreVoltStep("0.1", false, '.'), "0");
  EXPECT_EQ(CoreVoltStep("0.15", false, '.'), "0");
  EXPECT_EQ(CoreVoltStep("abc", true, '.'), "0");
  EXPECT_EQ(CoreVoltStep("", false, '.'), "0");
  std::string s;
  for (auto row : {std::make_pair("2.9", "290"), std::make_pair("0.125", "12"),
                   std::make_pair("0.375", "38"), std::make_pair("-1E10", "-2147483648")}) {
    ASSERT_TRUE(CoreVoltToStored(row.first, '.', s)) << row.first;
    EXPECT_EQ(s, row.second);
  }
  EXPECT_FALSE(CoreVoltToStored("", '.', s));
  EXPECT_EQ(CompensationStep("-3", -1), "-4");
  EXPECT_EQ(CompensationStep(" 7x", 1), "8");
  EXPECT_EQ(CompensationStep("2147483647", 1), "2147483647");
}

}  // namespace
