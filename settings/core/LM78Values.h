#pragma once
// What the hardware dialog's controls hold, how section "LM78" fills them
// when the dialog is created, what OK writes back, in its order, and the
// auto-detection over the machine. How the chip choice is stored in three
// flags is in settings/README.md.
#include <cstdint>
#include <string>

#include "settings/core/LM78Tables.h"
#include "shared/core/SettingsSource.h"

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
std::string CoreVoltUp(const std::string& text, char separator);
std::string CoreVoltDown(const std::string& text, char separator);

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
