#include "sensors/core/HardwareTexts.h"

#include "bar/core/Format.h"
#include "sensors/core/HardwareValues.h"
#include "shared/core/VBText.h"

namespace {

constexpr const char* kDegreesC = "\xB0" "C";

std::string Volts(double volts) { return FormatFixed2(volts) + "V"; }
// The positive rails carry a written plus, whatever the reading.
std::string PlusVolts(double volts) { return "+" + Volts(volts); }

}  // namespace

std::string TemperatureText(HardwareReader& reader, const HardwareSettings& settings,
                            int32_t channel) {
  if (!settings.TempEnabled[channel]) {
    reader.GetTemperature(channel);
    return kHardwareOffText;
  }
  return IntToText(CompensatedTemperature(reader, settings, channel)) + kDegreesC;
}

std::string ProcessorVoltagesText(HardwareReader& reader, const HardwareSettings& settings,
                                  const std::string& sep) {
  if (!settings.HardwareEnabled) return kHardwareOffText;
  const double core = reader.GetVoltage(CoreChannel(settings));
  const double io = reader.GetVoltage(kProcessorIoChannel);
  return PlusVolts(core) + sep + PlusVolts(io);
}

std::string SystemVoltagesText(HardwareReader& reader, const HardwareSettings& settings,
                               const std::string& sep) {
  if (!settings.HardwareEnabled) return kHardwareOffText;
  const double plus5 = reader.GetVoltage(kPlus5Channel);
  const double minus5 = reader.GetVoltage(kMinus5Channel);
  const double plus12 = reader.GetVoltage(kPlus12Channel);
  const double minus12 = reader.GetVoltage(kMinus12Channel);
  return PlusVolts(plus5) + sep + Volts(minus5) + sep + PlusVolts(plus12) + sep + Volts(minus12);
}

std::string FanText(HardwareReader& reader, const HardwareSettings& settings, int32_t fan) {
  if (!settings.HardwareEnabled) return kHardwareOffText;
  const std::optional<int32_t> rpm = FanSpeed(reader, settings, fan);
  return rpm ? IntToText(*rpm) + "rpm" : std::string(kHardwareOffText);
}
