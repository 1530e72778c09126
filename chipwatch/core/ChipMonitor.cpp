#include "chipwatch/core/ChipMonitor.h"

#include "chipwatch/core/ChipConversions.h"

namespace {
constexpr uint8_t kVoltageBase = 0x20;
constexpr uint8_t kTemperatureRegister = 0x27;
constexpr uint8_t kFanCountBase = 0x28;
constexpr uint8_t kFanDivisorRegister = 0x47;
// Both divisor fields set to 2 (bits 4-5 fan 1, bits 6-7 fan 2).
constexpr uint8_t kFanDivisorsTwo = 0xA0;
// Winbond bank select; 0x81 is where the chip is always left.
constexpr uint8_t kBankSelectRegister = 0x4E;
constexpr uint8_t kBankDefault = 0x81;
constexpr uint8_t kBankedHigh = 0x50;
constexpr uint8_t kBankedLow = 0x51;
// The separate temperature sensor read straight from the ports.
constexpr uint16_t kPortTemperatureWhole = 0xE805;
constexpr uint16_t kPortTemperatureFraction = 0xE806;
}  // namespace

bool ChipMonitor::InitialiseLM78() {
  for (int32_t channel = 1; channel <= 3; ++channel)
    if (GetVoltage(channel) != 0.0) chipPresent_ = true;
  return chipPresent_;
}

int32_t ChipMonitor::ReadTemperature(int32_t channel) {
  switch (channel) {
    case 1:
      device_.WriteChipRegister(kBankSelectRegister, 0x81);
      return device_.ReadChipRegister(kTemperatureRegister);
    case 2: {
      device_.WriteChipRegister(kBankSelectRegister, 0x82);
      uint8_t high = device_.ReadChipRegister(kBankedHigh);
      uint8_t low = device_.ReadChipRegister(kBankedLow);
      return TemperatureFromWord(high, low);
    }
    case 3:
      device_.WriteChipRegister(kBankSelectRegister, 0x84);
      return device_.ReadChipRegister(kBankedHigh);
    case 4: {
      uint8_t whole = 0;
      uint8_t fraction = 0;
      if (!device_.ReadPort(kPortTemperatureWhole, whole) ||
          !device_.ReadPort(kPortTemperatureFraction, fraction))
        return 0;  // no port access on this platform: no reading
      return TemperatureFromPortBytes(whole, fraction);
    }
    default:
      return 0;
  }
}

int32_t ChipMonitor::GetTemperature(int32_t channel) {
  ChipOperation operation(device_);
  if (!operation) return 0;
  device_.ResetChip();
  int32_t value = ReadTemperature(channel);
  device_.WriteChipRegister(kBankSelectRegister, kBankDefault);
  return AbsentAsZero(value);
}

double ChipMonitor::GetVoltage(int32_t channel) {
  channel = ChannelOrFirst(channel, 1, kFudgeFactorCount);
  store_.Load(factors_);
  ChipOperation operation(device_);
  if (!operation) return 0.0;
  device_.ResetChip();
  int32_t reading =
      AbsentAsZero(device_.ReadChipRegister(static_cast<uint8_t>(kVoltageBase + channel - 1)));
  return factors_.value[channel] * reading;
}

int32_t ChipMonitor::GetFan(int32_t fan) {
  fan = ChannelOrFirst(fan, 1, 3);
  ChipOperation operation(device_);
  if (!operation) return 0;
  device_.ResetChip();
  int32_t count =
      AbsentAsZero(device_.ReadChipRegister(static_cast<uint8_t>(kFanCountBase + fan - 1)));
  if (count == 0) return 0;
  device_.WriteChipRegister(kFanDivisorRegister, kFanDivisorsTwo);
  int32_t d1 = (device_.ReadChipRegister(kFanDivisorRegister) >> 4) & 0x03;
  int32_t d2 = (device_.ReadChipRegister(kFanDivisorRegister) >> 6) & 0x03;
  return FanSpeed(fan, count, d1, d2);
}

int32_t ChipMonitor::GetUnknown(int32_t reg) {
  ChipOperation operation(device_);
  if (!operation) return 65535;
  device_.ResetChip();
  return device_.ReadChipRegister(static_cast<uint8_t>(reg & 0xFF));
}

double ChipMonitor::GetFudgeFactor(int32_t channel) {
  store_.Load(factors_);
  if (channel < 0 || channel > kFudgeFactorCount) return 0.0;
  return factors_.value[channel];
}

bool ChipMonitor::SetFudgeFactor(int32_t channel, double factor) {
  if (channel < 1 || channel > kFudgeFactorCount) return false;
  // Load first, so the other six stored factors are written back as they
  // are, not replaced by this process's defaults.
  store_.Load(factors_);
  factors_.value[channel] = factor;
  store_.Save(factors_);
  return true;
}
