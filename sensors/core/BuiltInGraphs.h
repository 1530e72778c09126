#pragma once
// What the built-in sensors graph: the scale of each one's values, and the
// value itself, taken from the same reading that makes the sensor's text (no
// second read). A reading with no quantity (the dial-up time, the running
// time, the time, the date, the display, the monitors, the windows) has no
// graph, nor has sensor 21, whose four rails are no one quantity. No value (std::nullopt) means the reading
// gives none this pass, being switched off or unknown: the column stays
// empty. The functions are pure and raise nothing.
#include <cstdint>
#include <optional>

#include "shared/core/PanelGraph.h"
#include "sensors/core/HardwareMonitor.h"
#include "sensors/core/SensorTexts.h"

// GraphScale::None outside 1-24.
GraphScale BuiltInGraphScale(int32_t number);

// 1: the processor usage in %.
std::optional<int32_t> CpuUsageGraphValue(uint32_t usage);
// 2: the memory load in %.
std::optional<int32_t> MemoryGraphValue(const MemoryReadings& r);
// 3: the cache's hit rate in %, rounded as the text rounds it; none without
// accesses (the text's "N/A").
std::optional<int32_t> DiskCacheGraphValue(const DiskCacheReadings& r);
// 4: bytes read and written per second, together.
std::optional<int32_t> DiskGraphValue(const DiskReadings& r);
// 7: the swap space in use, in % of its size; none without a swap file.
std::optional<int32_t> SwapFileGraphValue(const SwapFileReadings& r);
// 8: bytes read and written per second over the network, together.
std::optional<int32_t> NetworkGraphValue(uint32_t reads, uint32_t writes);
// 9: the number of threads.
std::optional<int32_t> ThreadsGraphValue(uint32_t threads);
// 11: the battery's charge in %; none when unknown ("Battery N/A").
std::optional<int32_t> BatteryGraphValue(const PowerReadings& r);
// 16-19: the temperature of channel 1-4 with its compensation, as the text
// shows it; none while the channel is switched off.
std::optional<int32_t> TemperatureGraphValue(const HardwareSettings& settings, int32_t channel,
                                             int32_t compensatedDegrees);
// 20: the core voltage in hundredths of a volt; none while the voltages and
// fans are switched off.
std::optional<int32_t> CoreVoltageGraphValue(const HardwareSettings& settings, double coreVolts);
// 22-24: the fan's speed in rpm (FanSpeed); none while the voltages and fans
// are switched off or the fan has no type.
std::optional<int32_t> FanGraphValue(const HardwareSettings& settings,
                                     std::optional<int32_t> rpm);
