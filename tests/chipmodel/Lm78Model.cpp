#include "tests/chipmodel/Lm78Model.h"

#include <cstdio>

namespace {
std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}
constexpr uint8_t kVid = 0x05;  // the processor's voltage id pins (bits 0-3 of 0x47)
}  // namespace

Lm78Model::Lm78Model() {
  for (int reg = 0x20; reg <= 0x2A; ++reg) regs_[reg] = kAbsentInput;
  regs_[0x4E] = 0x80;
  PowerOnDefaults();
}

void Lm78Model::PowerOnDefaults() {
  regs_[0x40] = 0x08;
  for (int reg = 0x41; reg <= 0x46; ++reg) regs_[reg] = 0x00;
  regs_[0x47] = 0x50 | kVid;  // both fan divisor fields 1
}

void Lm78Model::SetBanked(uint8_t bank, uint8_t high, uint8_t low) {
  banks_[bank & 0x07] = {high, low};
}

uint8_t Lm78Model::Read(uint8_t reg) const {
  if (reg == 0x47 && divisorReadback) return *divisorReadback;
  if (reg == 0x50 || reg == 0x51) {
    auto it = banks_.find(regs_[0x4E] & 0x07);
    return it == banks_.end() ? kAbsentInput : it->second[reg - 0x50];
  }
  return regs_[reg];
}

void Lm78Model::Write(uint8_t reg, uint8_t value) {
  if (reg >= 0x20 && reg <= 0x2A) return;  // measured values: read only
  if (reg == 0x40 && (value & 0x80)) {
    // Initialisation: power-on state, and the bit clears itself.
    ++initialisations;
    PowerOnDefaults();
    return;
  }
  if (reg == 0x47) value = static_cast<uint8_t>((value & 0xF0) | (regs_[0x47] & 0x0F));
  if (reg == 0x50 || reg == 0x51) {
    banks_[regs_[0x4E] & 0x07][reg - 0x50] = value;
    return;
  }
  regs_[reg] = value;
}

ChipIO::DeviceHandle Lm78Model::OpenDevice(const char* name) {
  std::string device = name;
  bool opens = false;
  if (device == "\\\\.\\LM78") {
    opens = driverLoaded;
  } else if (device == "\\\\.\\LM78.VXD") {
    opens = loaderAvailable;
    if (opens) driverLoaded = true;
  }
  log.push_back("open " + device + (opens ? "" : " failed"));
  if (!opens) return kNoDevice;
  open_.insert(next_);
  return next_++;
}

void Lm78Model::CloseDevice(DeviceHandle device) {
  log.push_back("close");
  if (open_.erase(device) == 0) faults.push_back("close of a handle not open");
}

bool Lm78Model::Control(DeviceHandle device, uint32_t code, ChipRequest& block) {
  if (open_.count(device) == 0) faults.push_back("request on a handle not open");
  if (block.port != kChipAddressPort) faults.push_back("request to port " + Hex(block.port, 3));
  switch (code) {
    case kReadChipRegisterCode:
      log.push_back("read " + Hex(block.reg, 2));
      if (failRequests) break;
      block.result = Read(block.reg);
      return true;
    case kWriteChipRegisterCode:
      log.push_back("write " + Hex(block.reg, 2) + " " + Hex(block.byte, 2));
      if (failRequests) break;
      Write(block.reg, block.byte);
      return true;
    case kWriteChipRegisterWordCode:
      log.push_back("word " + Hex(block.reg, 2) + " " + Hex(block.word, 4));
      if (failRequests) break;
      // The driver writes the low byte to the register and the high byte to the next.
      Write(block.reg, static_cast<uint8_t>(block.word & 0xFF));
      Write(static_cast<uint8_t>(block.reg + 1), static_cast<uint8_t>(block.word >> 8));
      return true;
    default:
      faults.push_back("unknown control code " + Hex(code, 3));
      return false;
  }
  block.result = 0x42;  // a refused request leaves garbage behind
  return false;
}

bool Lm78Model::ReadPort(uint16_t port, uint8_t& value) {
  log.push_back("port " + Hex(port, 4));
  if (!portsAllowed) return false;
  auto it = ports_.find(port);
  value = it == ports_.end() ? kAbsentInput : it->second;
  return true;
}
