#pragma once
// The texts of built-in sensors 1-15, composed from readings that the Win32
// layer gathers. sep is MultiInfoSeparator. Performance counters are 32-bit
// values read as signed where a text shows them, as the system's own counters
// are. Every function may raise IntOverflowError.
#include <cstdint>
#include <string>
#include <vector>

#include "bar/core/GlobalTypes.h"

// " " + the "MultiInfoSep" value + " ", cut to 3 characters: "-" gives
// " - ", "||" gives " ||". The caller passes the stored value or "/".
std::string SeparatorFrom(const std::string& setting);

// H:MM:SS of an unsigned tick count or difference. Counts past 2^31 ms
// (24.8 days) keep counting the same way instead of turning negative.
std::string DurationText(uint32_t ms);

// 1: "KERNEL\CPUUsage".
std::string CpuUsageText(uint32_t usage);

// 2: GlobalMemoryStatus.
struct MemoryReadings {
  uint64_t AvailablePhysical = 0;
  uint32_t Load = 0;
};
std::string MemoryText(const MemoryReadings& r, const std::string& sep);

// 3: "VMM\cpgDiskcache", "VCACHE\Hits", "VCACHE\Misses".
struct DiskCacheReadings {
  uint32_t Size = 0, Hits = 0, Misses = 0;
};
std::string DiskCacheText(const DiskCacheReadings& r, const std::string& sep);

// 4: "VFAT\BReadsSec", "VFAT\BWritesSec" and the free bytes available to the
// caller on each fixed drive, in drive order.
struct DiskReadings {
  uint32_t Reads = 0, Writes = 0;
  std::vector<uint64_t> FixedDriveFree;
};
std::string DiskInfoText(const DiskReadings& r, const std::string& sep);

// 6: the tick count.
std::string RunningTimeText(uint32_t ticks);

// 7: "VMM\cpgSwapfile", "VMM\cpgSwapfileInUse".
std::string SwapFileText(uint32_t size, uint32_t used, const std::string& sep);

// 8: "SMBRedir\BReadsSec", "SMBRedir\BWritesSec".
std::string NetworkText(uint32_t reads, uint32_t writes, const std::string& sep);

// 9: the process estimate of CountWindows and "KERNEL\Threads".
std::string ProcessesText(int32_t processes, uint32_t threads, const std::string& sep);

// 11: GetSystemPowerStatus.
struct PowerReadings {
  uint8_t Percent = 255;             // 255: unknown
  uint32_t SecondsLeft = 0xFFFFFFFF;  // all bits set: unknown
};
std::string BatteryText(const PowerReadings& r, const std::string& sep);

// 13: screen size and the bar's device capabilities.
struct DisplayReadings {
  int32_t Width = 0, Height = 0;
  int32_t Planes = 0, BitsPerPixel = 0;
};
std::string ColourDepthText(int32_t planes, int32_t bitsPerPixel);
std::string DisplayText(const DisplayReadings& r, const std::string& sep);

// 14: MonitorCount and VirtualDesktopRect.
std::string MonitorsText(int32_t count, const MonitorRect& desktop, const std::string& sep);

// 15: CountWindows.
std::string WindowsText(const WindowCounts& counts, const std::string& sep);
