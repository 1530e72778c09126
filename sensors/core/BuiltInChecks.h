#pragma once
// The decisions of built-in warning kinds 1, 3, 13, 14 and 15 (kind 2 is in
// DialUpTimer.h); true means alert. The threshold is the warning's WarnVal.
#include <cstdint>

// 1: Round(free bytes available on the Windows drive / 1048576) < threshold.
bool DiskSpaceCheck(uint64_t freeAvailable, int32_t threshold);
// 3: a known battery charge (not 255) below the threshold.
bool BatteryCheck(uint8_t percent, int32_t threshold);
// 13: memory load in % above the threshold.
bool MemoryLoadCheck(uint32_t load, int32_t threshold);
// 14: Round(swap file bytes / 1048576) above the threshold; the bytes are
// "VMM\cpgSwapfile" as a signed value, or the page files' size.
bool SwapFileCheck(int64_t swapBytes, int32_t threshold);
// 15: Round(tick count / 60000) above the threshold; the tick count is taken
// as unsigned, so the check keeps working past 24.8 days.
bool RunningTimeCheck(uint32_t ticks, int32_t threshold);
