#include "sensors/core/SensorTexts.h"

#include <cmath>
#include <cstdint>

#include "bar/core/Format.h"
#include "sensors/core/CheckedMath.h"
#include "shared/core/VBText.h"

namespace {

std::string Mb(int64_t bytes) { return IntToText(RoundMb(bytes)) + "Mb"; }

int32_t Signed(uint32_t counter) { return static_cast<int32_t>(counter); }

}  // namespace

std::string SeparatorFrom(const std::string& setting) {
  return (" " + setting + " ").substr(0, 3);
}

std::string DurationText(uint32_t ms) {
  if (ms <= static_cast<uint32_t>(INT32_MAX)) return FormatDuration(static_cast<int32_t>(ms));
  // The same face for counts that no longer fit a signed 32-bit number.
  const uint32_t minutes = ms / 60000 % 60;
  const uint32_t seconds = ms % 60000 / 1000;
  return IntToText(static_cast<int32_t>(ms / 3600000)) + ":" +
         PadTwo(IntToText(static_cast<int32_t>(minutes))) + ":" +
         PadTwo(IntToText(static_cast<int32_t>(seconds)));
}

std::string CpuUsageText(uint32_t usage) { return IntToText(Signed(usage)) + "%"; }

std::string MemoryText(const MemoryReadings& r, const std::string& sep) {
  return Mb(static_cast<int64_t>(r.AvailablePhysical)) + sep + IntToText(Signed(r.Load)) + "%";
}

std::string DiskCacheText(const DiskCacheReadings& r, const std::string& sep) {
  std::string text = Mb(Signed(r.Size)) + sep;
  const int32_t hits = Signed(r.Hits);
  const int32_t total = CheckedAdd(hits, Signed(r.Misses));
  // No hit rate without accesses (a sum of 0 from counters past 2^31 as well).
  if (total == 0) return text + "N/A";
  return text + IntToText(RoundQuotient(static_cast<int64_t>(hits) * 100, total)) + "%";
}

std::string DiskInfoText(const DiskReadings& r, const std::string& sep) {
  std::string text;
  text += Signed(r.Reads) < 0 ? std::string(">2Gb / ") : Mb(Signed(r.Reads)) + sep;
  text += Signed(r.Writes) < 0 ? std::string(">2Gb / ") : Mb(Signed(r.Writes)) + sep;
  text += " [ ";
  for (uint64_t free : r.FixedDriveFree) text += Mb(static_cast<int64_t>(free)) + sep;
  // Drops the last separator, or " [ " itself when there is no fixed drive.
  return LeftText(text, static_cast<int>(text.size()) - 3) + " ]";
}

std::string RunningTimeText(uint32_t ticks) { return DurationText(ticks); }

std::string SwapFileText(uint32_t size, uint32_t used, const std::string& sep) {
  return Mb(Signed(size)) + sep + Mb(Signed(used));
}

std::string NetworkText(uint32_t reads, uint32_t writes, const std::string& sep) {
  return Mb(Signed(reads)) + sep + Mb(Signed(writes));
}

std::string ProcessesText(int32_t processes, uint32_t threads, const std::string& sep) {
  return IntToText(processes) + sep + IntToText(Signed(threads));
}

std::string BatteryText(const PowerReadings& r, const std::string& sep) {
  if (r.Percent == 255) return "Battery N/A";
  const int32_t seconds = Signed(r.SecondsLeft);
  // All bits set (-1) is the system's "unknown"; no negative time is real.
  const std::string left = seconds < 0 ? std::string("N/A") : FormatDuration(CheckedMul(seconds, 1000));
  return IntToText(r.Percent) + "%" + sep + left;
}

std::string ColourDepthText(int32_t planes, int32_t bitsPerPixel) {
  const double colours = std::pow(2.0 * planes, bitsPerPixel);
  if (colours == 256.0) return "8 Bit";
  if (colours == 65536.0) return "16 Bit";
  if (colours == 16777216.0) return "24 Bit";
  if (colours == 4294967296.0) return "32 Bit";
  return "N/A";
}

std::string DisplayText(const DisplayReadings& r, const std::string& sep) {
  return IntToText(r.Width) + " x " + IntToText(r.Height) + sep +
         ColourDepthText(r.Planes, r.BitsPerPixel);
}

std::string MonitorsText(int32_t count, const MonitorRect& desktop, const std::string& sep) {
  return IntToText(count) + sep + IntToText(desktop.Width) + " x " + IntToText(desktop.Height);
}

std::string WindowsText(const WindowCounts& counts, const std::string& sep) {
  return IntToText(counts.Visible) + sep + IntToText(counts.Minimised) + sep +
         IntToText(counts.Total);
}
