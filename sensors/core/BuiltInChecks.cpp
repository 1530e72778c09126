#include "sensors/core/BuiltInChecks.h"

#include "sensors/core/CheckedMath.h"

bool DiskSpaceCheck(uint64_t freeAvailable, int32_t threshold) {
  return RoundMb(static_cast<int64_t>(freeAvailable)) < threshold;
}

bool BatteryCheck(uint8_t percent, int32_t threshold) {
  return percent != 255 && percent < threshold;
}

bool MemoryLoadCheck(uint32_t load, int32_t threshold) {
  return static_cast<int32_t>(load) > threshold;
}

bool SwapFileCheck(int64_t swapBytes, int32_t threshold) {
  return RoundMb(swapBytes) > threshold;
}

bool RunningTimeCheck(uint32_t ticks, int32_t threshold) {
  return RoundQuotient(ticks, 60000) > threshold;
}
