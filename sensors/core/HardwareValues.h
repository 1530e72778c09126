#pragma once
// The values that hardware panels show and hardware warnings compare, shared
// so that a panel and its warning never disagree. Each call reads the chip.
#include <cstdint>
#include <optional>

#include "sensors/core/HardwareReader.h"
#include "sensors/core/HardwareSettings.h"

// Channel 1-4 with its compensation added; IntOverflowError when the sum
// leaves 32 bits.
int32_t CompensatedTemperature(HardwareReader& reader, const HardwareSettings& settings,
                               int32_t channel);

// The voltage channel of the processor core (1 or 2).
int32_t CoreChannel(const HardwareSettings& settings);

// Fan 1-3 in rpm by its type: 1 the reading x 2 (IntOverflowError past 32
// bits), 2 the reading, 3 half the reading rounded to even. No value, and
// no reading of the chip, for type 0 ("None") or any type the dialog does
// not offer.
std::optional<int32_t> FanSpeed(HardwareReader& reader, const HardwareSettings& settings,
                                int32_t fan);
