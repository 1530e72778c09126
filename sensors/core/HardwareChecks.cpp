#include "sensors/core/HardwareChecks.h"

#include "sensors/core/HardwareValues.h"

namespace {

double Factor(int32_t threshold) { return 1 + threshold * 0.01; }

// Outside the band between nominal x f and nominal / f; a bound itself is inside.
bool OffPositive(double reading, double nominal, double f) {
  return reading > nominal * f || reading < nominal / f;
}
bool OffNegative(double reading, double nominal, double f) {
  return reading < nominal * f || reading > nominal / f;
}

}  // namespace

bool TemperatureCheck(HardwareReader& reader, const HardwareSettings& settings, int32_t channel,
                      int32_t threshold) {
  if (!settings.TempEnabled[channel]) return false;
  return CompensatedTemperature(reader, settings, channel) > threshold;
}

bool ProcessorVoltageCheck(HardwareReader& reader, const HardwareSettings& settings,
                           int32_t threshold) {
  if (!settings.HardwareEnabled) return false;
  // Both are read before either is compared.
  const double core = reader.GetVoltage(CoreChannel(settings));
  const double io = reader.GetVoltage(kProcessorIoChannel);
  const double f = Factor(threshold);
  return OffPositive(core, settings.CoreVoltNominal * 0.01, f) ||
         OffPositive(io, kProcessorIoNominal, f);
}

bool SystemVoltageCheck(HardwareReader& reader, const HardwareSettings& settings,
                        int32_t threshold) {
  if (!settings.HardwareEnabled) return false;
  const double plus5 = reader.GetVoltage(kPlus5Channel);
  const double minus5 = reader.GetVoltage(kMinus5Channel);
  const double plus12 = reader.GetVoltage(kPlus12Channel);
  const double minus12 = reader.GetVoltage(kMinus12Channel);
  const double f = Factor(threshold);
  return OffPositive(plus5, 5, f) || OffNegative(minus5, -5, f) || OffPositive(plus12, 12, f) ||
         OffNegative(minus12, -12, f);
}

bool FanCheck(HardwareReader& reader, const HardwareSettings& settings, int32_t fan,
              int32_t threshold) {
  if (!settings.HardwareEnabled) return false;
  const std::optional<int32_t> rpm = FanSpeed(reader, settings, fan);
  return rpm && *rpm < threshold;
}
