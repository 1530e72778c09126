#pragma once
// The sensor texts as whole strings, composed piece by piece with the
// shared formats (IntToText, FormatFixed2, FormatDuration, LeftText) the way
// the texts were first written, before they went into fixed buffers. The
// fuzz target holds every buffer text against these, cut to 79 characters.
#include <cstdint>
#include <string>
#include <vector>

#include "sensors/core/DialUpTimer.h"
#include "sensors/core/HardwareMonitor.h"
#include "sensors/core/SensorTexts.h"

namespace reference {

std::string Duration(uint32_t ms);
std::string CpuUsage(uint32_t usage);
std::string Memory(const MemoryReadings& r, const std::string& sep);
std::string DiskCache(const DiskCacheReadings& r, const std::string& sep);
std::string DiskInfo(uint64_t reads, uint64_t writes, const std::vector<uint64_t>& drives,
                     const std::string& sep);
std::string SwapFile(const SwapFileReadings& r, const std::string& sep);
std::string Network(uint32_t reads, uint32_t writes, const std::string& sep);
std::string Processes(int32_t processes, uint32_t threads, const std::string& sep);
std::string Battery(const PowerReadings& r, const std::string& sep);
std::string Display(const DisplayReadings& r, const std::string& sep);
std::string Monitors(int32_t count, const MonitorRect& desktop, const std::string& sep);
std::string Windows(const WindowCounts& counts, const std::string& sep);
std::string DialUp(const DialUpReadings& r, DialUpTimer& timer, const std::string& sep);

std::string Temperature(HardwareReader& reader, const HardwareSettings& s, int32_t channel);
std::string ProcessorVoltages(HardwareReader& reader, const HardwareSettings& s,
                              const std::string& sep);
std::string SystemVoltages(HardwareReader& reader, const HardwareSettings& s,
                           const std::string& sep);
std::string Fan(HardwareReader& reader, const HardwareSettings& s, int32_t fan);

}  // namespace reference
