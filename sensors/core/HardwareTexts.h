#pragma once
// The texts of built-in sensors 16-24 (temperatures, processor voltages,
// system voltages, fans), written into a TextBuilder (the sensor's own
// buffer in the refresh pass); the string forms return the same text. A
// channel that is switched off shows kHardwareOffText. May raise
// IntOverflowError.
#include <cstdint>
#include <optional>
#include <string>

#include "sensors/core/HardwareReader.h"
#include "sensors/core/HardwareSettings.h"
#include "shared/core/TextBuilder.h"

constexpr const char* kHardwareOffText = "------";

// Each buffer form answers the quantity its text shows, for the panel's
// graph.
// 16-19: "38°C" (ANSI degree sign 0xB0) for channel 1-4; answers the
// degrees (0 while switched off). The chip is read even when the channel is
// switched off.
int32_t TemperatureText(TextBuilder& out, HardwareReader& reader,
                        const HardwareSettings& settings, int32_t channel);
std::string TemperatureText(HardwareReader& reader, const HardwareSettings& settings,
                            int32_t channel);
// 20: "+2.50V" + sep + "+3.31V", core then processor I/O; answers the core
// voltage (0 while switched off).
double ProcessorVoltagesText(TextBuilder& out, HardwareReader& reader,
                             const HardwareSettings& settings, const char* sep);
std::string ProcessorVoltagesText(HardwareReader& reader, const HardwareSettings& settings,
                                  const std::string& sep);
// 21: "+5.01V" + sep + "-5.04V" + sep + "+12.14V" + sep + "-11.99V".
void SystemVoltagesText(TextBuilder& out, HardwareReader& reader,
                        const HardwareSettings& settings, const char* sep);
std::string SystemVoltagesText(HardwareReader& reader, const HardwareSettings& settings,
                               const std::string& sep);
// 22-24: "2250rpm" for fan 1-3; kHardwareOffText for type 0 and for a type
// outside 0-3, which has no conversion. Answers the speed shown, if any.
std::optional<int32_t> FanText(TextBuilder& out, HardwareReader& reader,
                               const HardwareSettings& settings, int32_t fan);
std::string FanText(HardwareReader& reader, const HardwareSettings& settings, int32_t fan);
