#pragma once
// The library's readings: each one opens the driver, resets the chip, reads
// and closes again. Not re-entrant: callers on several threads serialise
// their calls (the library's exports hold one lock around each call).
#include <cstdint>

#include "chipwatch/core/ChipDevice.h"
#include "chipwatch/core/FudgeFactors.h"

class ChipMonitor {
 public:
  ChipMonitor(ChipIO& io, FudgeFactorStore& store) : device_(io), store_(store) {}

  // Reads voltage channels 1 to 3; the chip counts as present once any of them
  // is not 0.0, and stays so.
  bool InitialiseLM78();
  // Channel 1 to 4 in whole degrees; 0 without driver or for other channels.
  int32_t GetTemperature(int32_t channel);
  // Channel 1 to 7 (anything else reads channel 1) in volts; reloads the
  // factors first. 0.0 without driver.
  double GetVoltage(int32_t channel);
  // Fan 1 to 3 (anything else reads fan 1) in rpm, or the raw count when the
  // divisor register reads back 0; 0 without driver.
  int32_t GetFan(int32_t fan);
  // Any chip register (low 8 bits of reg), 255 passed on; 65535 without driver.
  int32_t GetUnknown(int32_t reg);
  // The factor of channel 0 to 7 after reloading; 0.0 for any other channel.
  double GetFudgeFactor(int32_t channel);
  // Channel 1 to 7: stores and saves the factor and answers true, also when
  // it could not be written. Anything else answers false and changes nothing.
  bool SetFudgeFactor(int32_t channel, double factor);


 private:
  int32_t ReadTemperature(int32_t channel);

  ChipDevice device_;
  FudgeFactorStore& store_;
  FudgeFactors factors_;
  bool chipPresent_ = false;
};
