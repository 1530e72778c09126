#include "sensors/core/HardwareMonitor.h"

#include <string>

#include "sensors/core/CheckedMath.h"

namespace {

constexpr const char* kDegreesC = "\xB0" "C";

void Volts(TextBuilder& out, double volts) { out.AppendFixed2(volts).Append('V'); }
// The positive rails carry a written plus, whatever the reading.
void PlusVolts(TextBuilder& out, double volts) { Volts(out.Append('+'), volts); }

double Factor(int32_t threshold) { return 1 + threshold * 0.01; }

// Outside the band between nominal x f and nominal / f; a bound itself is inside.
bool OffPositive(double reading, double nominal, double f) {
  return reading > nominal * f || reading < nominal / f;
}
bool OffNegative(double reading, double nominal, double f) {
  return reading < nominal * f || reading > nominal / f;
}

}  // namespace

HardwareSettings ReadHardwareSettings(SettingsSource& settings) {
  const SettingsSection section(settings, "LM78");
  HardwareSettings s;
  s.CoreOnPort1 = section.IsOn("CorePort1", "FALSE");
  s.CoreVoltNominal = section.Number("CoreVolt", "250");
  for (int n = 1; n <= 4; ++n)
    s.TempComp[n] = section.Number("TempComp" + std::to_string(n), "0");
  for (int n = 1; n <= 4; ++n)
    s.TempEnabled[n] = section.IsOn("Temp" + std::to_string(n) + "Enable", "TRUE");
  s.HardwareEnabled = section.IsOn("LM78Enable", "FALSE");
  for (int n = 1; n <= 3; ++n)
    s.FanType[n] = section.Number("Fan" + std::to_string(n) + "Type", "0");
  return s;
}

int32_t CompensatedTemperature(HardwareReader& reader, const HardwareSettings& settings,
                               int32_t channel) {
  return CheckedAdd(reader.GetTemperature(channel), settings.TempComp[channel]);
}

int32_t CoreChannel(const HardwareSettings& settings) {
  return settings.CoreOnPort1 ? kCoreChannelPort1 : kCoreChannelPort2;
}

std::optional<int32_t> FanSpeed(HardwareReader& reader, const HardwareSettings& settings,
                                int32_t fan) {
  switch (settings.FanType[fan]) {
    case 1: return CheckedMul(reader.GetFan(fan), 2);
    case 2: return reader.GetFan(fan);
    case 3: return RoundQuotient(reader.GetFan(fan), 2);
    default: return std::nullopt;
  }
}

int32_t TemperatureText(TextBuilder& out, HardwareReader& reader,
                        const HardwareSettings& settings, int32_t channel) {
  if (!settings.TempEnabled[channel]) {
    reader.GetTemperature(channel);
    out.Append(kHardwareOffText);
    return 0;
  }
  const int32_t degrees = CompensatedTemperature(reader, settings, channel);
  out.AppendInt(degrees).Append(kDegreesC);
  return degrees;
}

double ProcessorVoltagesText(TextBuilder& out, HardwareReader& reader,
                             const HardwareSettings& settings, const char* sep) {
  if (!settings.HardwareEnabled) {
    out.Append(kHardwareOffText);
    return 0;
  }
  const double core = reader.GetVoltage(CoreChannel(settings));
  const double io = reader.GetVoltage(kProcessorIoChannel);
  PlusVolts(out, core);
  PlusVolts(out.Append(sep), io);
  return core;
}

void SystemVoltagesText(TextBuilder& out, HardwareReader& reader,
                        const HardwareSettings& settings, const char* sep) {
  if (!settings.HardwareEnabled) {
    out.Append(kHardwareOffText);
    return;
  }
  const double plus5 = reader.GetVoltage(kPlus5Channel);
  const double minus5 = reader.GetVoltage(kMinus5Channel);
  const double plus12 = reader.GetVoltage(kPlus12Channel);
  const double minus12 = reader.GetVoltage(kMinus12Channel);
  PlusVolts(out, plus5);
  Volts(out.Append(sep), minus5);
  PlusVolts(out.Append(sep), plus12);
  Volts(out.Append(sep), minus12);
}

std::optional<int32_t> FanText(TextBuilder& out, HardwareReader& reader,
                               const HardwareSettings& settings, int32_t fan) {
  const std::optional<int32_t> rpm =
      settings.HardwareEnabled ? FanSpeed(reader, settings, fan) : std::nullopt;
  if (rpm)
    out.AppendInt(*rpm).Append("rpm");
  else
    out.Append(kHardwareOffText);
  return rpm;
}

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
