#include "chipwatch/core/ChipDevice.h"

namespace {
constexpr uint8_t kConfigRegister = 0x40;
constexpr uint8_t kConfigInitialise = 0x80;
constexpr uint8_t kConfigStart = 0x01;
// First registers of the two pairs of interrupt mask registers.
constexpr uint8_t kSmiMaskRegister = 0x43;
constexpr uint8_t kNmiMaskRegister = 0x45;
constexpr uint16_t kAllMasked = 0x7FFF;
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
