#pragma once
// The hardware monitor readings through the exports of Chipwatch.dll, which
// the bar links by name (the program does not start without it).
#include "sensors/core/HardwareReader.h"

class HardwareChipReader : public HardwareReader {
 public:
  int32_t GetTemperature(int32_t channel) override;
  double GetVoltage(int32_t channel) override;
  int32_t GetFan(int32_t fan) override;
};

// The library's start-up probe: true once a chip has answered. It also
// creates the library's key of scale factors when it is missing.
bool ProbeHardwareMonitor();
