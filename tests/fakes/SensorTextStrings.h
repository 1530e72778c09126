#pragma once
// The texts of built-in sensors 1-24 as strings, for tests: the text the
// sensor composes into its 80-byte buffer.
#include <string>

#include "sensors/core/HardwareMonitor.h"
#include "sensors/core/SensorTexts.h"
#include "shared/core/PluginOperations.h"

inline std::string CpuUsageText(uint32_t usage) {
  return ComposedText([&](TextBuilder& out) { CpuUsageText(out, usage); });
}
inline std::string MemoryText(const MemoryReadings& r, const std::string& sep) {
  return ComposedText([&](TextBuilder& out) { MemoryText(out, r, sep.c_str()); });
}
inline std::string DiskCacheText(const DiskCacheReadings& r, const std::string& sep) {
  return ComposedText([&](TextBuilder& out) { DiskCacheText(out, r, sep.c_str()); });
}
inline std::string DiskInfoText(const DiskReadings& r, const std::string& sep) {
  return ComposedText([&](TextBuilder& out) { DiskInfoText(out, r, sep.c_str()); });
}
inline std::string RunningTimeText(uint32_t ticks) {
  return ComposedText([&](TextBuilder& out) { RunningTimeText(out, ticks); });
}
inline std::string SwapFileText(const SwapFileReadings& r, const std::string& sep) {
  return ComposedText([&](TextBuilder& out) { SwapFileText(out, r, sep.c_str()); });
}
inline std::string NetworkText(uint32_t reads, uint32_t writes, const std::string& sep) {
  return ComposedText([&](TextBuilder& out) { NetworkText(out, reads, writes, sep.c_str()); });
}
inline std::string ProcessesText(int32_t processes, uint32_t threads, const std::string& sep) {
  return ComposedText(
      [&](TextBuilder& out) { ProcessesText(out, processes, threads, sep.c_str()); });
}
inline std::string BatteryText(const PowerReadings& r, const std::string& sep) {
  return ComposedText([&](TextBuilder& out) { BatteryText(out, r, sep.c_str()); });
}
inline std::string DisplayText(const DisplayReadings& r, const std::string& sep) {
  return ComposedText([&](TextBuilder& out) { DisplayText(out, r, sep.c_str()); });
}
inline std::string MonitorsText(int32_t count, const MonitorRect& desktop, const std::string& sep) {
  return ComposedText([&](TextBuilder& out) { MonitorsText(out, count, desktop, sep.c_str()); });
}
inline std::string WindowsText(const WindowCounts& counts, const std::string& sep) {
  return ComposedText([&](TextBuilder& out) { WindowsText(out, counts, sep.c_str()); });
}

// The texts of the hardware sensors 16-24.
inline std::string TemperatureText(HardwareReader& reader, const HardwareSettings& settings,
                                   int32_t channel) {
  return ComposedText([&](TextBuilder& out) { TemperatureText(out, reader, settings, channel); });
}
inline std::string ProcessorVoltagesText(HardwareReader& reader, const HardwareSettings& settings,
                                         const std::string& sep) {
  return ComposedText(
      [&](TextBuilder& out) { ProcessorVoltagesText(out, reader, settings, sep.c_str()); });
}
inline std::string SystemVoltagesText(HardwareReader& reader, const HardwareSettings& settings,
                                      const std::string& sep) {
  return ComposedText(
      [&](TextBuilder& out) { SystemVoltagesText(out, reader, settings, sep.c_str()); });
}
inline std::string FanText(HardwareReader& reader, const HardwareSettings& settings, int32_t fan) {
  return ComposedText([&](TextBuilder& out) { FanText(out, reader, settings, fan); });
}

// A sensor function's text, through the contract's guarded call.
inline std::string SensorText(PluginContract& contract, TSensorFunction fn) {
  TextBuffer buffer;
  contract.CallSensorFunction(fn, buffer);
  return TextFromBuffer(buffer);
}
