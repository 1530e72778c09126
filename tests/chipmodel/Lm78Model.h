#pragma once
// A register-level model of an LM78 monitoring chip with the Winbond
// extensions (bank select 0x4E, banked 0x50/0x51), behind the chip library's
// I/O seam, with the driver that opens it. Every device call is logged in a
// fixed text form so tests can assert the exact request sequence:
//   "open \\.\LM78", "open \\.\LM78 failed", "close",
//   "read 40", "write 40 80", "word 45 7FFF", "port E805"
// Protocol errors (a request on a closed handle, a wrong address port, an
// unknown control code, a double close) go to faults instead.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "chipwatch/core/ChipIO.h"

class Lm78Model : public ChipIO {
 public:
  Lm78Model();

  // ---- the driver ----
  bool driverLoaded = true;      // "\\.\LM78" opens
  bool loaderAvailable = false;  // opening "\\.\LM78.VXD" loads the driver
  bool failRequests = false;     // every request is refused (result byte scribbled)
  bool portsAllowed = true;      // port reads succeed

  // ---- the chip ----
  void SetRegister(uint8_t reg, uint8_t value) { regs_[reg] = value; }
  uint8_t Register(uint8_t reg) const { return regs_[reg]; }
  // 0x50/0x51 as seen with bank `bank` (low three bits of 0x4E) selected.
  void SetBanked(uint8_t bank, uint8_t high, uint8_t low);
  void SetPort(uint16_t port, uint8_t value) { ports_[port] = value; }
  // Register 0x47 reads this whatever was written (a chip without divisor fields).
  std::optional<uint8_t> divisorReadback;
  // How often the initialisation bit restored the power-on state.
  int initialisations = 0;

  // ---- what happened ----
  std::vector<std::string> log;
  std::vector<std::string> faults;
  size_t OpenHandles() const { return open_.size(); }
  void ClearLog() { log.clear(); }

  // ChipIO
  DeviceHandle OpenDevice(const char* name) override;
  void CloseDevice(DeviceHandle device) override;
  bool Control(DeviceHandle device, uint32_t code, ChipRequest& block) override;
  bool ReadPort(uint16_t port, uint8_t& value) override;

 private:
  uint8_t Read(uint8_t reg) const;
  void Write(uint8_t reg, uint8_t value);
  void PowerOnDefaults();

  std::array<uint8_t, 256> regs_{};
  std::map<uint8_t, std::array<uint8_t, 2>> banks_;
  std::map<uint16_t, uint8_t> ports_;
  std::set<DeviceHandle> open_;
  DeviceHandle next_ = 0x100;
};
