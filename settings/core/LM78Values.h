#pragma once
// The hardware dialog's core. Its fixed lists and the decisions of its
// auto-detection: the processor item and expected core voltage that a
// processor's identity gives, the motherboard type the two core-voltage
// inputs suggest, the type a fan's speed stands for, the chip controls for
// what the chip answered, and the report shown at the end. Then what its
// controls hold, how section "LM78" fills them when the dialog is created,
// what OK writes back, in its order, and the auto-detection over the
// machine. How the chip choice is stored in three flags is in
// settings/README.md.
#include <cstdint>
#include <string>

#include "shared/core/SettingsSource.h"

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

// The texts of the hardware dialog's value edits. The core voltage is shown
// in volts in the shortest general decimal form (at most 15 significant
// digits, no trailing zeros: "2.8", "3", "0.05") with the user's decimal
// separator, and stored in hundredths of a volt. The compensation edits
// hold whole degrees.
std::string VoltText(double volts, char separator);

// The whole text as a decimal number with that separator (blanks around it,
// a sign and an exponent allowed); false for anything else.
bool ParseVolts(const std::string& text, char separator, double& volts);

// "+": the number plus 0.1. "-": the number minus 0.1, where a result below
// 0.1 becomes 0. A text that is no number becomes "0" either way.
std::string CoreVoltStep(const std::string& text, bool up, char separator);

// A stored "CoreVolt" (hundredths, read leniently) as the edit shows it.
std::string CoreVoltFromStored(const std::string& stored, char separator);
// What OK stores for the edit: its number x 100 rounded to the nearest whole
// number (halves to even), kept within 32 bits. False when the edit holds no
// number: nothing is stored then.
bool CoreVoltToStored(const std::string& text, char separator, std::string& stored);

// A compensation "+" or "-": the text read as a whole number plus delta,
// held at the 32-bit limits instead of wrapping round.
std::string CompensationStep(const std::string& text, int delta);

struct LM78Values {
  bool temperature[kTemperatureCount] = {true, true, true, true};
  std::string compensation[kTemperatureCount] = {"0", "0", "0", "0"};
  int hardware = kNoSelection;  // HardwareItem
  int processor = 0;            // position in kProcessorItems
  std::string coreVolt;         // the edit's text
  int fanType[kFanCount] = {0, 0, 0};
  int motherboard = kMotherboardType2;  // MotherboardItem
};

// The processor list's change reaction: the selected processor's nominal
// core voltage into the edit; with no selection the edit stays as it is.
void ProcessorChanged(LM78Values& values, char separator);

struct LoadedLM78Values {
  LM78Values values;
  // "LM78Enable" was never written: creation runs auto-detection, asking first.
  bool detectionWanted = false;
};
LoadedLM78Values LoadLM78Values(SettingsSource& settings, char separator);

// OK: Temp1Enable-Temp4Enable, TempComp1-TempComp4, the chip flags,
// CPUType, CoreVolt, Fan1Type-Fan3Type, CorePort1. A list or fan without a
// selection writes nothing for its value (CPUType then writes -1); a core
// voltage that is no number writes nothing either.
void SaveLM78Values(SettingsSource& settings, const LM78Values& values, char separator);

// What auto-detection asks of the machine: the hardware monitor library's
// chip readings and the processor identification library's answers. The
// product passes the libraries' exports; tests pass a made-up machine.
class LM78Probe {
 public:
  virtual ~LM78Probe() = default;
  // True when a monitoring chip answers.
  virtual bool InitialiseLM78() = 0;
  // Temperature input 1-4 in whole degrees (an absent input reads 0).
  virtual int32_t GetTemperature(int32_t channel) = 0;
  // Voltage input 1-7 in volts.
  virtual double GetVoltage(int32_t channel) = 0;
  // Fan 1-3 in rpm.
  virtual uint32_t GetFan(int32_t fan) = 0;
  virtual ProcessorFacts Processor() = 0;
};

// Auto-detection once the user has agreed to it: the chip (found when the
// second of two initialisations answers), the LM75 and Winbond sensors, the
// processor, the motherboard type and the fans. It changes only the
// controls' values and answers the report text; nothing is written.
std::string AutoDetect(LM78Probe& probe, LM78Values& values, char separator);
