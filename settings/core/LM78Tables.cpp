#include "settings/core/LM78Tables.h"

#include <cmath>

const char* const kHardwareItems[kHardwareItemCount] = {"None", "LM78/79", "LM78/79 & LM75",
                                                         "Winbond W83781D"};

const char* const kMotherboardItems[kMotherboardItemCount] = {"Motherboard Type 1",
                                                               "Motherboard Type 2"};

const char* const kProcessorItems[kProcessorItemCount] = {
    "AMD K5",
    "AMD K6 166-200 (Model 6)",
    "AMD K6 233 (Model 6)",
    "AMD K6 200-300 (Model 7) Or K6 II",
    "Cyrix 6x86",
    "Cyrix 6x86L",
    "Cyrix 6x86MX",
    "Intel Pentium or Pentium Pro",
    "Intel Pentium MMX",
    "Intel Pentium II (Kalamath Core)",
    "Intel Pentium II (Deschutes Core)",
};

const char* const kProcessorVoltages[kProcessorItemCount] = {
    "3.5", "2.9", "3.2", "2.2", "3.5", "2.8", "2.9", "3.5", "2.8", "2.8", "2.0"};

namespace {

enum Processor {
  kAmdK5,
  kAmdK6Model6Slow,
  kAmdK6Model6Fast,
  kAmdK6Model7,
  kCyrix6x86,
  kCyrix6x86L,
  kCyrix6x86MX,
  kIntelPentium,
  kIntelPentiumMMX,
  kIntelKlamath,
  kIntelDeschutes,
};

const ProcessorChoice kUnknownProcessor = {kNoSelection, 0.0};

ProcessorChoice Choice(Processor item, double expected) { return {item, expected}; }

ProcessorChoice ChooseAmd(const ProcessorFacts& cpu) {
  if (!cpu.mmx) return Choice(kAmdK5, 3.5);
  if (cpu.model == 6)
    return cpu.speed > 220 ? Choice(kAmdK6Model6Fast, 3.2) : Choice(kAmdK6Model6Slow, 2.9);
  if (cpu.model == 7 || cpu.model == 8) return Choice(kAmdK6Model7, 2.2);
  return kUnknownProcessor;
}

ProcessorChoice ChooseCyrix(const ProcessorFacts& cpu) {
  if (cpu.mmx) return Choice(kCyrix6x86MX, 2.9);
  if (cpu.family == 5 && cpu.model == 2) return Choice(kCyrix6x86L, 2.8);
  return Choice(kCyrix6x86, 3.5);
}

ProcessorChoice ChooseIntel(const ProcessorFacts& cpu) {
  if (cpu.overdrive)
    return cpu.family == 6 ? Choice(kIntelDeschutes, 2.0) : Choice(kIntelPentium, 3.5);
  if (!cpu.mmx) return Choice(kIntelPentium, 3.5);
  if (cpu.family == 5) return Choice(kIntelPentiumMMX, 2.8);
  if (cpu.family == 6 && cpu.model == 3) return Choice(kIntelKlamath, 2.8);
  if (cpu.family == 6 && (cpu.model == 5 || cpu.model == 6)) return Choice(kIntelDeschutes, 2.0);
  return kUnknownProcessor;
}

}  // namespace

std::string ItemText(const char* const* items, int count, int index) {
  return index >= 0 && index < count ? items[index] : "";
}

ProcessorChoice ChooseProcessor(const ProcessorFacts& cpu) {
  if (cpu.vendor == "AuthenticAMD") return ChooseAmd(cpu);
  if (cpu.vendor == "CyrixInstead") return ChooseCyrix(cpu);
  if (cpu.vendor == "GenuineIntel") return ChooseIntel(cpu);
  // Other makers' processors are taken for Pentium-compatible parts.
  return cpu.mmx ? Choice(kIntelPentiumMMX, 2.8) : Choice(kIntelPentium, 3.5);
}

int ChooseMotherboard(double voltage1, double voltage2, double expected, int current) {
  double d1 = std::fabs(voltage1 - expected);
  double d2 = std::fabs(voltage2 - expected);
  if (d2 > d1) return kMotherboardType1;
  if (d2 < d1) return kMotherboardType2;
  return current;
}

FanClass ClassifyFan(uint32_t rpm) {
  if (rpm <= 100) return {0, "None Detected"};
  if (rpm <= 2800) return {1, "Fan Type 1"};
  if (rpm <= 8000) return {2, "Fan Type 2"};
  if (rpm <= 20000) return {3, "Fan Type 3"};
  return {kNoSelection, ""};
}

ChipControls ChipControlsFor(bool found, bool lm75, bool winbond) {
  if (!found) return {kHardwareNone, {false, false, false, false}};
  if (lm75) return {kHardwareLM78LM75, {true, false, false, true}};
  if (winbond) return {kHardwareWinbond, {true, true, true, false}};
  return {kHardwareLM78, {true, false, false, false}};
}

std::string DetectionReport(const DetectionLines& lines) {
  const std::string cr = "\r";
  std::string text = "Hardware Auto-Detection Results:" + std::string(30, ' ') + cr + cr;
  text += "Hardware Monitoring Support: " + lines.hardware + cr;
  text += "CPU Type: " + lines.processor + cr;
  text += "Motherboard Type: " + lines.motherboard + cr;
  for (int n = 0; n < kFanCount; ++n)
    text += "Fan " + std::to_string(n + 1) + " Type: " + lines.fans[n] + cr;
  return text;
}
