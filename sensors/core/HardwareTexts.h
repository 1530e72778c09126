#pragma once
// The texts of built-in sensors 16-24 (temperatures, processor voltages,
// system voltages, fans). A channel that is switched off shows
// kHardwareOffText. May raise IntOverflowError.
#include <cstdint>
#include <string>

#include "sensors/core/HardwareReader.h"
#include "sensors/core/HardwareSettings.h"

constexpr const char* kHardwareOffText = "------";

// 16-19: "38°C" (ANSI degree sign 0xB0) for channel 1-4. The chip is read
// even when the channel is switched off.
std::string TemperatureText(HardwareReader& reader, const HardwareSettings& settings,
                            int32_t channel);
// 20: "+2.50V" + sep + "+3.31V", core then processor I/O.
std::string ProcessorVoltagesText(HardwareReader& reader, const HardwareSettings& settings,
                                  const std::string& sep);
// 21: "+5.01V" + sep + "-5.04V" + sep + "+12.14V" + sep + "-11.99V".
std::string SystemVoltagesText(HardwareReader& reader, const HardwareSettings& settings,
                               const std::string& sep);
// 22-24: "2250rpm" for fan 1-3; kHardwareOffText for type 0 and for a type
// outside 0-3, which has no conversion.
std::string FanText(HardwareReader& reader, const HardwareSettings& settings, int32_t fan);
