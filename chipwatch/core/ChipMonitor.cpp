#include "chipwatch/core/ChipMonitor.h"

#include <cmath>

namespace {

// Registers of the chip.
constexpr uint8_t kConfigRegister = 0x40;
constexpr uint8_t kConfigInitialise = 0x80;
constexpr uint8_t kConfigStart = 0x01;
// First registers of the two pairs of interrupt mask registers.
constexpr uint8_t kSmiMaskRegister = 0x43;
constexpr uint8_t kNmiMaskRegister = 0x45;
constexpr uint16_t kAllMasked = 0x7FFF;
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

// An absent input reads 255; readings take that as 0.
int32_t AbsentAsZero(int32_t value) { return value == 255 ? 0 : value; }

// A Winbond temperature from its high and low byte: twice the high byte plus
// bit 7 of the low byte (half degrees dropped).
int32_t TemperatureFromWord(uint8_t high, uint8_t low) { return (high * 256 + low) / 128; }

// The temperature read from the two ports: the first byte as a signed number
// plus half a degree for bit 7 of the second, truncated toward zero.
int32_t TemperatureFromPortBytes(uint8_t whole, uint8_t fraction) {
  int32_t degrees = static_cast<int8_t>(whole);
  if ((fraction & 0x80) == 0) return degrees;
  // degrees + 0.5 truncated toward zero, in integers.
  return (2 * degrees + 1) / 2;
}

// Fan speed from its count and the divisor fields d1 (fan 1) and d2 (fan 2)
// as read back from the divisor register: the count itself when either field
// is 0, otherwise 675000 / (d × count) for fans 1 and 2 and 337500 / count for
// fan 3. A count of 0 gives 0.
int32_t FanSpeed(int32_t fan, int32_t count, int32_t d1, int32_t d2) {
  if (count == 0) return 0;
  if (d1 == 0 || d2 == 0) return count;
  switch (fan) {
    case 1:
      return 675000 / (d1 * count);
    case 2:
      return 675000 / (d2 * count);
    default:
      return 337500 / count;
  }
}

// Clamps a channel or fan number to first..last, taking anything outside as first.
int32_t ChannelOrFirst(int32_t channel, int32_t first, int32_t last) {
  return (channel < first || channel > last) ? first : channel;
}

}  // namespace

bool ChipDevice::Open() {
  Close();
  handle_ = io_.OpenDevice(kDriverDeviceName);
  if (handle_ != ChipIO::kNoDevice) return true;
  // One loader handle is enough to keep the driver in memory; a second one
  // would only leak.
  if (loader_ == ChipIO::kNoDevice) loader_ = io_.OpenDevice(kDriverLoaderName);
  return false;
}

void ChipDevice::Close() {
  if (handle_ != ChipIO::kNoDevice) io_.CloseDevice(handle_);
  handle_ = ChipIO::kNoDevice;
}

uint8_t ChipDevice::ReadChipRegister(uint8_t reg) {
  ChipRequest block{kChipAddressPort, reg};
  return Send(kReadChipRegisterCode, block) ? block.result : kAbsentInput;
}

void ChipDevice::WriteChipRegister(uint8_t reg, uint8_t value) {
  ChipRequest block{kChipAddressPort, reg, value};
  Send(kWriteChipRegisterCode, block);
}

void ChipDevice::WriteChipRegisterWord(uint8_t reg, uint16_t value) {
  ChipRequest block{kChipAddressPort, reg, 0, value};
  Send(kWriteChipRegisterWordCode, block);
}

void ChipDevice::ResetChip() {
  WriteChipRegister(kConfigRegister, 0x00);
  WriteChipRegister(kConfigRegister,
                    static_cast<uint8_t>(ReadChipRegister(kConfigRegister) | kConfigInitialise));
  WriteChipRegister(kConfigRegister,
                    static_cast<uint8_t>(ReadChipRegister(kConfigRegister) & ~kConfigInitialise));
  WriteChipRegisterWord(kNmiMaskRegister, kAllMasked);
  WriteChipRegisterWord(kSmiMaskRegister, kAllMasked);
  WriteChipRegister(kConfigRegister, kConfigStart);
}

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

std::string FudgeValueName(int index) { return "Fudge " + std::to_string(index); }

bool FactorFromText(const char* data, size_t size, double& factor) {
  size_t i = 0;
  auto at = [&](size_t k) { return k < size ? data[k] : '\0'; };
  while (at(i) == ' ' || at(i) == '\t' || at(i) == '\r' || at(i) == '\n' || at(i) == '\v' ||
         at(i) == '\f')
    ++i;
  bool negative = false;
  if (at(i) == '+' || at(i) == '-') negative = at(i++) == '-';
  int64_t number = 0;
  // The text is at most a few bytes long, so the number cannot overflow.
  for (; i < size && at(i) >= '0' && at(i) <= '9'; ++i) number = number * 10 + (at(i) - '0');
  volatile double product = static_cast<double>(negative ? -number : number) * 0.0001;
  if (product == 0.0) return false;
  factor = product;
  return true;
}

std::string FactorToText(double factor) {
  // volatile: the product must be rounded to double precision before it is
  // truncated, also where the arithmetic runs in wider registers.
  volatile double scaled = factor * 10000.0;
  double value = std::trunc(scaled);
  if (std::isnan(value)) value = 0.0;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  return std::to_string(static_cast<int32_t>(value));
}
