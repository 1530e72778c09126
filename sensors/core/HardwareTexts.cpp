#include "sensors/core/HardwareTexts.h"

#include "sensors/core/HardwareValues.h"

namespace {

constexpr const char* kDegreesC = "\xB0" "C";

void Volts(TextBuilder& out, double volts) { out.AppendFixed2(volts).Append('V'); }
// The positive rails carry a written plus, whatever the reading.
void PlusVolts(TextBuilder& out, double volts) { Volts(out.Append('+'), volts); }

}  // namespace

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
  if (!settings.HardwareEnabled) {
    out.Append(kHardwareOffText);
    return std::nullopt;
  }
  const std::optional<int32_t> rpm = FanSpeed(reader, settings, fan);
  if (rpm)
    out.AppendInt(*rpm).Append("rpm");
  else
    out.Append(kHardwareOffText);
  return rpm;
}

// The string forms.

std::string TemperatureText(HardwareReader& reader, const HardwareSettings& settings,
                            int32_t channel) {
  return ComposedText([&](TextBuilder& out) { TemperatureText(out, reader, settings, channel); });
}
std::string ProcessorVoltagesText(HardwareReader& reader, const HardwareSettings& settings,
                                  const std::string& sep) {
  return ComposedText(
      [&](TextBuilder& out) { ProcessorVoltagesText(out, reader, settings, sep.c_str()); });
}
std::string SystemVoltagesText(HardwareReader& reader, const HardwareSettings& settings,
                               const std::string& sep) {
  return ComposedText(
      [&](TextBuilder& out) { SystemVoltagesText(out, reader, settings, sep.c_str()); });
}
std::string FanText(HardwareReader& reader, const HardwareSettings& settings, int32_t fan) {
  return ComposedText([&](TextBuilder& out) { FanText(out, reader, settings, fan); });
}
