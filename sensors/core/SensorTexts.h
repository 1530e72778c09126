#pragma once
// The texts of built-in sensors 1-15, composed from readings that the Win32
// layer gathers, and the decisions of their warnings (at the end). Each is written into a TextBuilder (the sensor's own 80-byte
// buffer in the refresh pass, so nothing is allocated) and cut at 79
// characters. sep is MultiInfoSeparator. Windows 9x performance counters are 32-bit values read
// as signed where a text shows them, as the system's own counters are; a
// size in bytes arrives as the counter's signed value there, and as it is
// from an NT-family system's own figures. Every function may raise
// IntOverflowError.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "shared/core/GlobalTypes.h"
#include "shared/core/TextBuilder.h"

// " " + the "MultiInfoSep" value + " ", cut to 3 characters: "-" gives
// " - ", "||" gives " ||". The caller passes the stored value or "/".
std::string SeparatorFrom(const std::string& setting);

// 1: "KERNEL\CPUUsage", or the busy share of the processors.
void CpuUsageText(TextBuilder& out, uint32_t usage);

// 2: GlobalMemoryStatusEx, or GlobalMemoryStatus where the system lacks it.
struct MemoryReadings {
  uint64_t AvailablePhysical = 0;
  uint32_t Load = 0;
};
void MemoryText(TextBuilder& out, const MemoryReadings& r, const char* sep);

// 3: "VMM\cpgDiskcache", "VCACHE\Hits", "VCACHE\Misses", or the file cache
// and its copy reads.
struct DiskCacheReadings {
  int64_t Size = 0;
  uint32_t Hits = 0, Misses = 0;
};
// Counts of a system that keeps them past 32 bits, halved together until
// their sum fits the text's 32-bit arithmetic: the hit rate stays as it is.
void SetCacheCounts(DiskCacheReadings& r, uint64_t hits, uint64_t misses);
void DiskCacheText(TextBuilder& out, const DiskCacheReadings& r, const char* sep);

// The free bytes of the fixed drives in drive order: at most one per drive
// letter, kept in place rather than on the heap.
class FixedDriveList {
 public:
  static constexpr size_t kCapacity = 26;
  FixedDriveList() = default;
  FixedDriveList(std::initializer_list<uint64_t> values) {
    for (uint64_t v : values) push_back(v);
  }
  // False (nothing kept) once the list holds 26 drives.
  bool push_back(uint64_t freeBytes) {
    if (count_ >= kCapacity) return false;
    free_[count_++] = freeBytes;
    return true;
  }
  size_t size() const { return count_; }
  const uint64_t* begin() const { return free_; }
  const uint64_t* end() const { return free_ + count_; }

 private:
  uint64_t free_[kCapacity] = {};
  size_t count_ = 0;
};

// 4: the bytes read and written per second ("VFAT\BReadsSec",
// "VFAT\BWritesSec", or the system's I/O transfer rates; 2^31 or more shows
// as ">2Gb") and the free bytes available to the caller on each fixed drive,
// in drive order.
struct DiskReadings {
  uint64_t Reads = 0, Writes = 0;
  FixedDriveList FixedDriveFree;
};
void DiskInfoText(TextBuilder& out, const DiskReadings& r, const char* sep);

// 6: the tick count.
void RunningTimeText(TextBuilder& out, uint32_t ticks);

// 7: "VMM\cpgSwapfile", "VMM\cpgSwapfileInUse", or the page files' sizes.
struct SwapFileReadings {
  int64_t Size = 0, Used = 0;
};
void SwapFileText(TextBuilder& out, const SwapFileReadings& r, const char* sep);

// 8: "SMBRedir\BReadsSec", "SMBRedir\BWritesSec".
void NetworkText(TextBuilder& out, uint32_t reads, uint32_t writes, const char* sep);

// 9: the process estimate of CountWindows and "KERNEL\Threads", or the
// system's thread count.
void ProcessesText(TextBuilder& out, int32_t processes, uint32_t threads, const char* sep);

// 11: GetSystemPowerStatus.
struct PowerReadings {
  uint8_t Percent = 255;             // 255: unknown
  uint32_t SecondsLeft = 0xFFFFFFFF;  // all bits set: unknown
};
void BatteryText(TextBuilder& out, const PowerReadings& r, const char* sep);

// 13: screen size and the bar's device capabilities.
struct DisplayReadings {
  int32_t Width = 0, Height = 0;
  int32_t Planes = 0, BitsPerPixel = 0;
};
// "8 Bit", "16 Bit", "24 Bit", "32 Bit" or "N/A".
const char* ColourDepthName(int32_t planes, int32_t bitsPerPixel);
void DisplayText(TextBuilder& out, const DisplayReadings& r, const char* sep);

// 14: MonitorCount and VirtualDesktopRect.
void MonitorsText(TextBuilder& out, int32_t count, const MonitorRect& desktop, const char* sep);

// 15: CountWindows.
void WindowsText(TextBuilder& out, const WindowCounts& counts, const char* sep);

// The decisions of built-in warning kinds 1, 3, 13, 14 and 15 (kind 2 is in
// DialUpTimer.h); true means alert. The threshold is the warning's WarnVal.
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
