#include "settings/core/LM78Detection.h"

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
