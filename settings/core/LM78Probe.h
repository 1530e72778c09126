#pragma once
// What auto-detection asks of the machine: the hardware monitor library's
// chip readings and the processor identification library's answers. The
// product passes the libraries' exports; tests pass a made-up machine.
#include <cstdint>

#include "settings/core/LM78Tables.h"

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
