#pragma once
// What the hardware dialog's controls hold, how section "LM78" fills them
// when the dialog is created, what OK writes back, in its order, and the
// auto-detection over the machine. How the chip choice is stored in three
// flags is in settings/README.md.
#include <cstdint>
#include <string>

#include "settings/core/LM78Tables.h"
#include "shared/core/SettingsSource.h"

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
