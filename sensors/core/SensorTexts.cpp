#include "sensors/core/SensorTexts.h"

#include <cmath>
#include <cstdint>

#include "sensors/core/CheckedMath.h"

namespace {

void AppendMb(TextBuilder& out, int64_t bytes) { out.AppendInt(RoundMb(bytes)).Append("Mb"); }

int32_t Signed(uint32_t counter) { return static_cast<int32_t>(counter); }

// Rates of 2^31 bytes or more show as ">2Gb / " whatever the separator.
void AppendRate(TextBuilder& out, uint64_t bytes, const char* sep) {
  if (bytes > static_cast<uint64_t>(INT32_MAX)) {
    out.Append(">2Gb / ");
    return;
  }
  AppendMb(out, static_cast<int64_t>(bytes));
  out.Append(sep);
}

}  // namespace

std::string SeparatorFrom(const std::string& setting) {
  return (" " + setting + " ").substr(0, 3);
}

void CpuUsageText(TextBuilder& out, uint32_t usage) { out.AppendInt(Signed(usage)).Append('%'); }

void MemoryText(TextBuilder& out, const MemoryReadings& r, const char* sep) {
  AppendMb(out, static_cast<int64_t>(r.AvailablePhysical));
  out.Append(sep).AppendInt(Signed(r.Load)).Append('%');
}

void DiskCacheText(TextBuilder& out, const DiskCacheReadings& r, const char* sep) {
  const int32_t hits = Signed(r.Hits);
  const int32_t total = CheckedAdd(hits, Signed(r.Misses));
  AppendMb(out, r.Size);
  out.Append(sep);
  // No hit rate without accesses (a sum of 0 from counters past 2^31 as well).
  if (total == 0) {
    out.Append("N/A");
    return;
  }
  out.AppendInt(RoundQuotient(static_cast<int64_t>(hits) * 100, total)).Append('%');
}

void DiskInfoText(TextBuilder& out, const DiskReadings& r, const char* sep) {
  // The whole text drops its last 3 characters (the last separator, or " [ "
  // itself without fixed drives) before " ]" goes on. Only the first 79 + 3
  // characters can reach the buffer, so a scratch of that size decides.
  char scratch[kTextBufferSize + 3];
  TextBuilder whole(scratch, sizeof scratch);
  AppendRate(whole, r.Reads, sep);
  AppendRate(whole, r.Writes, sep);
  whole.Append(" [ ");
  for (uint64_t free : r.FixedDriveFree) {
    AppendMb(whole, static_cast<int64_t>(free));
    whole.Append(sep);
  }
  // A cut scratch was longer than 82 characters: the first 79 stand.
  if (!whole.Truncated()) {
    whole.Cut(whole.Length() >= 3 ? whole.Length() - 3 : 0);
    whole.Append(" ]");
  }
  out.Append(whole.Text(), whole.Length());
}

void RunningTimeText(TextBuilder& out, uint32_t ticks) { out.AppendDuration(ticks); }

void SetCacheCounts(DiskCacheReadings& r, uint64_t hits, uint64_t misses) {
  while (hits + misses > static_cast<uint64_t>(INT32_MAX)) {
    hits >>= 1;
    misses >>= 1;
  }
  r.Hits = static_cast<uint32_t>(hits);
  r.Misses = static_cast<uint32_t>(misses);
}

void SwapFileText(TextBuilder& out, const SwapFileReadings& r, const char* sep) {
  AppendMb(out, r.Size);
  out.Append(sep);
  AppendMb(out, r.Used);
}

void NetworkText(TextBuilder& out, uint32_t reads, uint32_t writes, const char* sep) {
  AppendMb(out, Signed(reads));
  out.Append(sep);
  AppendMb(out, Signed(writes));
}

void ProcessesText(TextBuilder& out, int32_t processes, uint32_t threads, const char* sep) {
  out.AppendInt(processes).Append(sep).AppendInt(Signed(threads));
}

void BatteryText(TextBuilder& out, const PowerReadings& r, const char* sep) {
  if (r.Percent == 255) {
    out.Append("Battery N/A");
    return;
  }
  const int32_t seconds = Signed(r.SecondsLeft);
  // All bits set (-1) is the system's "unknown"; no negative time is real.
  // The product is checked before anything is written.
  const int32_t ms = seconds < 0 ? -1 : CheckedMul(seconds, 1000);
  out.AppendInt(r.Percent).Append('%').Append(sep);
  if (ms < 0)
    out.Append("N/A");
  else
    out.AppendDuration(static_cast<uint32_t>(ms));
}

const char* ColourDepthName(int32_t planes, int32_t bitsPerPixel) {
  const double colours = std::pow(2.0 * planes, bitsPerPixel);
  if (colours == 256.0) return "8 Bit";
  if (colours == 65536.0) return "16 Bit";
  if (colours == 16777216.0) return "24 Bit";
  if (colours == 4294967296.0) return "32 Bit";
  return "N/A";
}

void DisplayText(TextBuilder& out, const DisplayReadings& r, const char* sep) {
  out.AppendInt(r.Width).Append(" x ").AppendInt(r.Height).Append(sep);
  out.Append(ColourDepthName(r.Planes, r.BitsPerPixel));
}

void MonitorsText(TextBuilder& out, int32_t count, const MonitorRect& desktop, const char* sep) {
  out.AppendInt(count).Append(sep).AppendInt(desktop.Width).Append(" x ").AppendInt(desktop.Height);
}

void WindowsText(TextBuilder& out, const WindowCounts& counts, const char* sep) {
  out.AppendInt(counts.Visible).Append(sep).AppendInt(counts.Minimised).Append(sep);
  out.AppendInt(counts.Total);
}

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
