#include "settings/core/LM78Values.h"

#include "settings/core/CoreVoltText.h"
#include "shared/core/VBText.h"

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
