#pragma once
// The three readings of the hardware monitor library that the bar uses. The
// product reads the chip through the library's exports; tests put a fake or
// the library's own reading code over a chip model behind it.
#include <cstdint>

class HardwareReader {
 public:
  virtual ~HardwareReader() = default;
  // Temperature channel 1-4 in whole degrees (0 when there is no reading).
  virtual int32_t GetTemperature(int32_t channel) = 0;
  // Voltage channel 1-7 in volts.
  virtual double GetVoltage(int32_t channel) = 0;
  // Fan 1-3 as the library gives it (rpm, or the raw count).
  virtual int32_t GetFan(int32_t fan) = 0;
};

// Voltage channels as the motherboards wire them.
constexpr int32_t kCoreChannelPort1 = 1;
constexpr int32_t kCoreChannelPort2 = 2;
constexpr int32_t kProcessorIoChannel = 3;  // nominal 3.44 V
constexpr int32_t kPlus5Channel = 4;
constexpr int32_t kPlus12Channel = 5;
constexpr int32_t kMinus12Channel = 6;
constexpr int32_t kMinus5Channel = 7;
constexpr double kProcessorIoNominal = 3.44;
