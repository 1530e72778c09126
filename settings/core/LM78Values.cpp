#include "settings/core/LM78Values.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "shared/core/VBText.h"

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

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Skips digits from i; answers how many there were.
size_t SkipDigits(const std::string& s, size_t& i) {
  size_t start = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i - start;
}

}  // namespace

std::string VoltText(double volts, char separator) {
  if (volts == 0) volts = 0;  // no "-0"
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", volts);
  std::string text = buffer;
  // Exponents as the general form writes them: "1E20", "1.5E-5".
  size_t e = text.find('E');
  if (e != std::string::npos) {
    std::string mantissa = text.substr(0, e);
    bool negative = text[e + 1] == '-';
    size_t digits = e + 2;
    while (digits + 1 < text.size() && text[digits] == '0') ++digits;
    text = mantissa + "E" + (negative ? "-" : "") + text.substr(digits);
  }
  for (char& c : text)
    if (c == '.') c = separator;
  return text;
}

bool ParseVolts(const std::string& text, char separator, double& volts) {
  std::string plain;  // the number with "." as separator, for strtod
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
  size_t start = i;
  size_t digits = SkipDigits(text, i);
  plain += text.substr(start, i - start);
  if (i < text.size() && text[i] == separator) {
    ++i;
    start = i;
    digits += SkipDigits(text, i);
    plain += "." + text.substr(start, i - start);
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    plain += 'E';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    start = i;
    if (SkipDigits(text, i) == 0) return false;
    plain += text.substr(start, i - start);
  }
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return false;
  double value = std::strtod(plain.c_str(), nullptr);
  if (!std::isfinite(value)) return false;
  volts = value;
  return true;
}

std::string CoreVoltStep(const std::string& text, bool up, char separator) {
  double volts = 0;
  if (!ParseVolts(text, separator, volts)) return "0";
  volts += up ? 0.1 : -0.1;
  if (!up && volts < 0.1) volts = 0;
  return VoltText(volts, separator);
}

std::string CoreVoltFromStored(const std::string& stored, char separator) {
  return VoltText(TextToInt(stored) * 0.01, separator);
}

bool CoreVoltToStored(const std::string& text, char separator, std::string& stored) {
  double volts = 0;
  if (!ParseVolts(text, separator, volts)) return false;
  double hundredths = volts * 100;
  const double low = std::numeric_limits<int32_t>::min();
  const double high = std::numeric_limits<int32_t>::max();
  if (hundredths < low) hundredths = low;
  if (hundredths > high) hundredths = high;
  int previous = std::fegetround();
  std::fesetround(FE_TONEAREST);
  double rounded = std::nearbyint(hundredths);
  std::fesetround(previous);
  stored = IntToText(static_cast<int32_t>(rounded));
  return true;
}

std::string CompensationStep(const std::string& text, int delta) {
  int64_t value = static_cast<int64_t>(TextToInt(text)) + delta;
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) value = std::numeric_limits<int32_t>::min();
  return IntToText(static_cast<int32_t>(value));
}

namespace {

std::string Numbered(const char* prefix, int n, const char* suffix = "") {
  return prefix + std::to_string(n) + suffix;
}

// A stored number that names a list position; others select nothing.
int Position(const std::string& stored, int count) {
  int32_t n = TextToInt(stored);
  return n >= 0 && n < count ? n : kNoSelection;
}

int LoadedHardware(const SettingsSection& section) {
  if (section.IsOn("LM75Enable", "FALSE")) return kHardwareLM78LM75;
  if (section.IsOn("WinbondEnable", "FALSE")) return kHardwareWinbond;
  return kHardwareLM78;
}

}  // namespace

void ProcessorChanged(LM78Values& values, char separator) {
  if (values.processor < 0 || values.processor >= kProcessorItemCount) return;
  std::string text = kProcessorVoltages[values.processor];
  for (char& c : text)
    if (c == '.') c = separator;
  values.coreVolt = text;
}

LoadedLM78Values LoadLM78Values(SettingsSource& settings, char separator) {
  const SettingsSection section(settings, "LM78");
  LoadedLM78Values loaded;
  LM78Values& v = loaded.values;
  for (int n = 1; n <= kTemperatureCount; ++n)
    v.temperature[n - 1] = section.IsOn(Numbered("Temp", n, "Enable"), "TRUE");
  for (int n = 1; n <= kTemperatureCount; ++n)
    v.compensation[n - 1] = section.Get(Numbered("TempComp", n), "0");
  for (int n = 1; n <= kFanCount; ++n)
    v.fanType[n - 1] = Position(section.Get(Numbered("Fan", n, "Type"), "0"), kFanTypeCount);
  v.processor = Position(section.Get("CPUType", "0"), kProcessorItemCount);
  std::string coreVolt = section.Get("CoreVolt", "");
  if (!coreVolt.empty())
    v.coreVolt = CoreVoltFromStored(coreVolt, separator);
  else
    ProcessorChanged(v, separator);
  v.motherboard = section.IsOn("CorePort1", "FALSE") ? kMotherboardType1 : kMotherboardType2;
  std::string enable = section.Get("LM78Enable", "");
  if (enable.empty())
    loaded.detectionWanted = true;
  else if (enable == "FALSE")
    v.hardware = kHardwareNone;
  else
    v.hardware = LoadedHardware(section);
  return loaded;
}

void SaveLM78Values(SettingsSource& settings, const LM78Values& v, char separator) {
  const SettingsSection section(settings, "LM78");
  for (int n = 1; n <= kTemperatureCount; ++n)
    section.PutFlag(Numbered("Temp", n, "Enable"), v.temperature[n - 1]);
  for (int n = 1; n <= kTemperatureCount; ++n)
    section.Put(Numbered("TempComp", n), v.compensation[n - 1]);
  switch (v.hardware) {
    case kHardwareNone:
      section.PutFlag("LM78Enable", false);  // "LM75Enable" keeps what it held
      break;
    case kHardwareLM78:
    case kHardwareLM78LM75:
    case kHardwareWinbond:
      section.PutFlag("LM78Enable", true);
      section.PutFlag("LM75Enable", v.hardware == kHardwareLM78LM75);
      section.PutFlag("WinbondEnable", v.hardware == kHardwareWinbond);
      break;
    default:
      break;
  }
  section.Put("CPUType", IntToText(v.processor));
  std::string coreVolt;
  if (CoreVoltToStored(v.coreVolt, separator, coreVolt)) section.Put("CoreVolt", coreVolt);
  for (int n = 1; n <= kFanCount; ++n)
    if (v.fanType[n - 1] >= 0 && v.fanType[n - 1] < kFanTypeCount)
      section.Put(Numbered("Fan", n, "Type"), IntToText(v.fanType[n - 1]));
  if (v.motherboard == kMotherboardType1 || v.motherboard == kMotherboardType2)
    section.PutFlag("CorePort1", v.motherboard == kMotherboardType1);
}

namespace {

// An input above 10 degrees is a sensor that exists. A failed reading counts
// as neither extra sensor.
void DetectSensors(LM78Probe& probe, bool& lm75, bool& winbond) {
  lm75 = winbond = false;
  try {
    bool lm75Found = probe.GetTemperature(4) > 10;
    bool winbondFound = probe.GetTemperature(2) > 10 || probe.GetTemperature(3) > 10;
    lm75 = lm75Found;
    winbond = winbondFound;
  } catch (...) {
  }
}

}  // namespace

std::string AutoDetect(LM78Probe& probe, LM78Values& values, char separator) {
  probe.InitialiseLM78();  // a first call may only load the chip's driver
  bool found = probe.InitialiseLM78();
  bool lm75 = false, winbond = false;
  if (found) DetectSensors(probe, lm75, winbond);
  ChipControls chip = ChipControlsFor(found, lm75, winbond);
  values.hardware = chip.hardware;
  for (int n = 0; n < kTemperatureCount; ++n) values.temperature[n] = chip.temperature[n];

  ProcessorChoice cpu = ChooseProcessor(probe.Processor());
  if (cpu.item != kNoSelection) values.processor = cpu.item;
  ProcessorChanged(values, separator);

  double voltage1 = probe.GetVoltage(1);
  double voltage2 = probe.GetVoltage(2);
  values.motherboard = ChooseMotherboard(voltage1, voltage2, cpu.expected, values.motherboard);

  DetectionLines report;
  for (int n = 0; n < kFanCount; ++n) {
    FanClass fan = found ? ClassifyFan(probe.GetFan(n + 1)) : ClassifyFan(0);
    if (fan.type != kNoSelection) values.fanType[n] = fan.type;
    report.fans[n] = fan.text;
  }
  report.hardware = ItemText(kHardwareItems, kHardwareItemCount, values.hardware);
  report.processor = ItemText(kProcessorItems, kProcessorItemCount, values.processor);
  report.motherboard = ItemText(kMotherboardItems, kMotherboardItemCount, values.motherboard);
  return DetectionReport(report);
}
