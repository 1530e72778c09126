#pragma once
// What the hardware dialog's controls hold, how section "LM78" fills them
// when the dialog is created, and what OK writes back, in its order.
//
// The chip choice is stored in three flags. "None" writes "LM78Enable"
// "FALSE" and nothing else. "LM78/79" writes "LM78Enable" "TRUE",
// "LM75Enable" "FALSE", "WinbondEnable" "FALSE"; "LM78/79 & LM75" the same
// with "LM75Enable" "TRUE". "Winbond W83781D" writes "LM78Enable" "TRUE"
// (the chip answers like an LM78: the bar then shows and checks voltages and
// fans), "LM75Enable" "FALSE" and "WinbondEnable" "TRUE", which only this
// dialog reads, to select the Winbond item again. Settings written before
// "WinbondEnable" existed load as they always did.
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
