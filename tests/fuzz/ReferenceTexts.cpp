#include "tests/fuzz/ReferenceTexts.h"

#include <cmath>

#include "tests/fakes/ReferenceFormat.h"
#include "sensors/core/CheckedMath.h"
#include "sensors/core/HardwareMonitor.h"
#include "shared/core/VBText.h"

namespace reference {

namespace {

std::string Mb(int64_t bytes) { return IntToText(RoundMb(bytes)) + "Mb"; }
int32_t Signed(uint32_t counter) { return static_cast<int32_t>(counter); }
std::string Volts(double volts) { return FormatFixed2(volts) + "V"; }
std::string PlusVolts(double volts) { return "+" + Volts(volts); }
const std::string kOff = "------";

}  // namespace

std::string Duration(uint32_t ms) {
  if (ms <= static_cast<uint32_t>(INT32_MAX)) return FormatDuration(static_cast<int32_t>(ms));
  return IntToText(static_cast<int32_t>(ms / 3600000)) + ":" +
         PadTwo(IntToText(static_cast<int32_t>(ms / 60000 % 60))) + ":" +
         PadTwo(IntToText(static_cast<int32_t>(ms % 60000 / 1000)));
}

std::string CpuUsage(uint32_t usage) { return IntToText(Signed(usage)) + "%"; }

std::string Memory(const MemoryReadings& r, const std::string& sep) {
  return Mb(static_cast<int64_t>(r.AvailablePhysical)) + sep + IntToText(Signed(r.Load)) + "%";
}

std::string DiskCache(const DiskCacheReadings& r, const std::string& sep) {
  std::string text = Mb(r.Size) + sep;
  const int32_t hits = Signed(r.Hits);
  const int32_t total = CheckedAdd(hits, Signed(r.Misses));
  if (total == 0) return text + "N/A";
  return text + IntToText(RoundQuotient(static_cast<int64_t>(hits) * 100, total)) + "%";
}

std::string DiskInfo(uint64_t reads, uint64_t writes, const std::vector<uint64_t>& drives,
                     const std::string& sep) {
  const auto rate = [&](uint64_t bytes) {
    return bytes > INT32_MAX ? std::string(">2Gb / ") : Mb(static_cast<int64_t>(bytes)) + sep;
  };
  std::string text = rate(reads) + rate(writes);
  text += " [ ";
  for (uint64_t free : drives) text += Mb(static_cast<int64_t>(free)) + sep;
  return LeftText(text, static_cast<int>(text.size()) - 3) + " ]";
}

std::string SwapFile(const SwapFileReadings& r, const std::string& sep) {
  return Mb(r.Size) + sep + Mb(r.Used);
}

std::string Network(uint32_t reads, uint32_t writes, const std::string& sep) {
  return Mb(Signed(reads)) + sep + Mb(Signed(writes));
}

std::string Processes(int32_t processes, uint32_t threads, const std::string& sep) {
  return IntToText(processes) + sep + IntToText(Signed(threads));
}

std::string Battery(const PowerReadings& r, const std::string& sep) {
  if (r.Percent == 255) return "Battery N/A";
  const int32_t seconds = Signed(r.SecondsLeft);
  const std::string left =
      seconds < 0 ? std::string("N/A") : FormatDuration(CheckedMul(seconds, 1000));
  return IntToText(r.Percent) + "%" + sep + left;
}

std::string Display(const DisplayReadings& r, const std::string& sep) {
  return IntToText(r.Width) + " x " + IntToText(r.Height) + sep +
         ColourDepthName(r.Planes, r.BitsPerPixel);
}

std::string Monitors(int32_t count, const MonitorRect& desktop, const std::string& sep) {
  return IntToText(count) + sep + IntToText(desktop.Width) + " x " + IntToText(desktop.Height);
}

std::string Windows(const WindowCounts& counts, const std::string& sep) {
  return IntToText(counts.Visible) + sep + IntToText(counts.Minimised) + sep +
         IntToText(counts.Total);
}

std::string DialUp(const DialUpReadings& r, DialUpTimer& timer, const std::string& sep) {
  if (r.Windows98) {
    if (r.Speed == 0) return "No Dial-Up Adapter Information Available";
    const std::string tail = sep + IntToText(static_cast<int32_t>(r.Speed)) + "bps" + sep +
                             IntToText(RoundKb(static_cast<int32_t>(r.Received))) + "Kb" + sep +
                             IntToText(RoundKb(static_cast<int32_t>(r.Sent))) + "Kb";
    if (r.Speed == 9600) {
      timer.StopTiming();
      return "0:00:00" + tail;
    }
    timer.StartTiming(r.Now);
    return Duration(timer.Elapsed(r.Now)) + tail;
  }
  if (r.Connected) {
    timer.StartTiming(r.Now);
    return Duration(timer.Elapsed(r.Now));
  }
  timer.StopTiming();
  return "0:00:00";
}

std::string Temperature(HardwareReader& reader, const HardwareSettings& s, int32_t channel) {
  if (!s.TempEnabled[channel]) {
    reader.GetTemperature(channel);
    return kOff;
  }
  return IntToText(CompensatedTemperature(reader, s, channel)) + "\xB0" "C";
}

std::string ProcessorVoltages(HardwareReader& reader, const HardwareSettings& s,
                              const std::string& sep) {
  if (!s.HardwareEnabled) return kOff;
  const double core = reader.GetVoltage(CoreChannel(s));
  const double io = reader.GetVoltage(kProcessorIoChannel);
  return PlusVolts(core) + sep + PlusVolts(io);
}

std::string SystemVoltages(HardwareReader& reader, const HardwareSettings& s,
                           const std::string& sep) {
  if (!s.HardwareEnabled) return kOff;
  const double plus5 = reader.GetVoltage(kPlus5Channel);
  const double minus5 = reader.GetVoltage(kMinus5Channel);
  const double plus12 = reader.GetVoltage(kPlus12Channel);
  const double minus12 = reader.GetVoltage(kMinus12Channel);
  return PlusVolts(plus5) + sep + Volts(minus5) + sep + PlusVolts(plus12) + sep + Volts(minus12);
}

std::string Fan(HardwareReader& reader, const HardwareSettings& s, int32_t fan) {
  if (!s.HardwareEnabled) return kOff;
  const std::optional<int32_t> rpm = FanSpeed(reader, s, fan);
  return rpm ? IntToText(*rpm) + "rpm" : kOff;
}

}  // namespace reference
