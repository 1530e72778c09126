#include "sensors/core/BuiltInGraphs.h"

#include <cmath>
#include <limits>

#include "sensors/core/CheckedMath.h"

namespace {

constexpr GraphScale kNone = GraphScale::None;
constexpr GraphScale kPercent = GraphScale::Percent;
constexpr GraphScale kLargest = GraphScale::Largest;

// Sensors 1-24 in order.
const GraphScale kScales[24] = {
    kPercent,  // 1 processor usage
    kPercent,  // 2 memory load
    kPercent,  // 3 cache hit rate
    kLargest,  // 4 disk reads + writes per second
    kNone,     // 5 dial-up time
    kNone,     // 6 running time
    kPercent,  // 7 swap in use
    kLargest,  // 8 network reads + writes per second
    kLargest,  // 9 threads
    kNone,     // 10 time
    kPercent,  // 11 battery
    kNone,     // 12 date
    kNone,     // 13 display
    kNone,     // 14 monitors
    kNone,     // 15 windows
    kLargest,  // 16 temperature 1
    kLargest,  // 17 temperature 2
    kLargest,  // 18 temperature 3
    kLargest,  // 19 temperature 4
    kLargest,  // 20 core voltage
    kNone,     // 21 system voltages: four rails, no one quantity
    kLargest,  // 22 fan 1
    kLargest,  // 23 fan 2
    kLargest,  // 24 fan 3
};

// Rates past 2^31 - 1 stand at the top of the scale.
int32_t Saturated(uint64_t n) {
  const uint64_t most = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(n < most ? n : most);
}

// The counters a text shows as signed 32-bit numbers.
int32_t Signed(uint32_t counter) { return static_cast<int32_t>(counter); }

}  // namespace

GraphScale BuiltInGraphScale(int32_t number) {
  return number >= 1 && number <= 24 ? kScales[number - 1] : kNone;
}

std::optional<int32_t> CpuUsageGraphValue(uint32_t usage) { return Signed(usage); }

std::optional<int32_t> MemoryGraphValue(const MemoryReadings& r) { return Signed(r.Load); }

std::optional<int32_t> DiskCacheGraphValue(const DiskCacheReadings& r) {
  const int32_t hits = Signed(r.Hits), misses = Signed(r.Misses);
  if (hits <= 0 && misses <= 0) return std::nullopt;
  if (hits <= 0) return 0;
  if (misses <= 0) return 100;
  return RoundQuotient(static_cast<int64_t>(hits) * 100, static_cast<int64_t>(hits) + misses);
}

std::optional<int32_t> DiskGraphValue(const DiskReadings& r) {
  const uint64_t most = std::numeric_limits<uint64_t>::max();
  return Saturated(r.Reads > most - r.Writes ? most : r.Reads + r.Writes);
}

std::optional<int32_t> SwapFileGraphValue(const SwapFileReadings& r) {
  if (r.Size <= 0) return std::nullopt;
  if (r.Used <= 0) return 0;
  if (r.Used >= r.Size) return 100;
  return static_cast<int32_t>(std::nearbyint(100.0 * static_cast<double>(r.Used) /
                                             static_cast<double>(r.Size)));
}

std::optional<int32_t> NetworkGraphValue(uint32_t reads, uint32_t writes) {
  return Saturated(uint64_t{reads} + writes);
}

std::optional<int32_t> ThreadsGraphValue(uint32_t threads) { return Saturated(threads); }

std::optional<int32_t> BatteryGraphValue(const PowerReadings& r) {
  if (r.Percent == 255) return std::nullopt;
  return r.Percent;
}

std::optional<int32_t> TemperatureGraphValue(const HardwareSettings& settings, int32_t channel,
                                             int32_t compensatedDegrees) {
  if (channel < 1 || channel > 4 || !settings.TempEnabled[channel]) return std::nullopt;
  return compensatedDegrees;
}

std::optional<int32_t> CoreVoltageGraphValue(const HardwareSettings& settings, double coreVolts) {
  if (!settings.HardwareEnabled || !std::isfinite(coreVolts)) return std::nullopt;
  const double hundredths = std::nearbyint(coreVolts * 100.0);
  if (hundredths >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (hundredths <= 0) return 0;
  return static_cast<int32_t>(hundredths);
}

std::optional<int32_t> FanGraphValue(const HardwareSettings& settings,
                                     std::optional<int32_t> rpm) {
  if (!settings.HardwareEnabled) return std::nullopt;
  return rpm;
}
