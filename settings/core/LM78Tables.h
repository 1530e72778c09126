#pragma once
// The hardware dialog's fixed lists and the decisions of its auto-detection:
// the processor item and expected core voltage that a processor's identity
// gives, the motherboard type the two core-voltage inputs suggest, the type
// a fan's speed stands for, the chip controls for what the chip answered,
// and the report shown at the end. No windows, no chip: values in, values out.
#include <cstdint>
#include <string>

// Every list index may also be kNoSelection.
constexpr int kNoSelection = -1;

enum HardwareItem { kHardwareNone, kHardwareLM78, kHardwareLM78LM75, kHardwareWinbond };
constexpr int kHardwareItemCount = 4;
extern const char* const kHardwareItems[kHardwareItemCount];

enum MotherboardItem { kMotherboardType1, kMotherboardType2 };
constexpr int kMotherboardItemCount = 2;
extern const char* const kMotherboardItems[kMotherboardItemCount];

constexpr int kProcessorItemCount = 11;
extern const char* const kProcessorItems[kProcessorItemCount];
// Each processor's nominal core voltage, written with "." as separator.
extern const char* const kProcessorVoltages[kProcessorItemCount];

// The fan buttons "None", "Type 1", "Type 2", "Type 3" are the fan types 0-3.
constexpr int kFanCount = 3;
constexpr int kFanTypeCount = 4;
constexpr int kTemperatureCount = 4;

// The item's text, or "" for kNoSelection (and any other index outside the list).
std::string ItemText(const char* const* items, int count, int index);

// What the processor identification library says about the processor.
struct ProcessorFacts {
  std::string vendor;  // "GenuineIntel", "AuthenticAMD", "CyrixInstead" ...
  int32_t family = 0;
  int32_t model = 0;
  bool mmx = false;
  bool overdrive = false;
  int32_t speed = 0;  // MHz
};

// The processor item to select (kNoSelection: keep the selection) and the
// core voltage E to expect on the motherboard (0 for an unknown processor).
struct ProcessorChoice {
  int item;
  double expected;
};
ProcessorChoice ChooseProcessor(const ProcessorFacts& cpu);

// The motherboard item whose core-voltage input (1 for type 1, 2 for type 2)
// reads nearer to the expected voltage; current when both are as near.
int ChooseMotherboard(double voltage1, double voltage2, double expected, int current);

// A fan's type by its speed, and the text the report shows for it. Above
// 20000 rpm the reading is not believed: type kNoSelection (buttons left
// as they are) and an empty text.
struct FanClass {
  int type;
  const char* text;
};
FanClass ClassifyFan(uint32_t rpm);

// The chip controls for what the chip answered: the hardware item and the
// four temperature switches.
struct ChipControls {
  int hardware;
  bool temperature[kTemperatureCount];
};
ChipControls ChipControlsFor(bool found, bool lm75, bool winbond);

// The report after auto-detection: the texts shown by the three lists and
// the three fan results, lines ended by a carriage return.
struct DetectionLines {
  std::string hardware, processor, motherboard;
  std::string fans[kFanCount];
};
std::string DetectionReport(const DetectionLines& lines);
