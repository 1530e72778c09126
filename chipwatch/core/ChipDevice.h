#pragma once
// The driver as one reading uses it: the open sequence, the three register
// requests and the chip's reset. It holds the handle of the reading in
// progress and nothing between readings.
#include <cstdint>

#include "chipwatch/core/ChipIO.h"

constexpr const char* kDriverDeviceName = "\\\\.\\LM78";
// Opening this name makes Windows load the driver dynamically.
constexpr const char* kDriverLoaderName = "\\\\.\\LM78.VXD";

class ChipDevice {
 public:
  explicit ChipDevice(ChipIO& io) : io_(io) {}
  // Closes the handle of a reading still in progress; the loader handle
  // stays open (closing it would unload the driver).
  ~ChipDevice() { Close(); }
  ChipDevice(const ChipDevice&) = delete;
  ChipDevice& operator=(const ChipDevice&) = delete;

  // Opens the driver for one reading. When it is not loaded yet, the loader
  // name is opened once and kept open for the life of the process, and this
  // reading fails; later readings find the driver under its own name.
  bool Open();
  void Close();
  bool IsOpen() const { return handle_ != ChipIO::kNoDevice; }

  // The register's byte; kAbsentInput when the driver did not answer.
  uint8_t ReadChipRegister(uint8_t reg);
  void WriteChipRegister(uint8_t reg, uint8_t value);
  void WriteChipRegisterWord(uint8_t reg, uint16_t value);
  bool ReadPort(uint16_t port, uint8_t& value) { return io_.ReadPort(port, value); }

  // Restores the chip's power-on state and starts monitoring: run after every
  // open, before the reading (eight requests).
  void ResetChip();

 private:
  bool Send(uint32_t code, ChipRequest& block) {
    return IsOpen() && io_.Control(handle_, code, block);
  }

  ChipIO& io_;
  ChipIO::DeviceHandle handle_ = ChipIO::kNoDevice;
  ChipIO::DeviceHandle loader_ = ChipIO::kNoDevice;
};

// Opens the device for the lifetime of one reading.
class ChipOperation {
 public:
  explicit ChipOperation(ChipDevice& device) : device_(device) { device_.Open(); }
  ~ChipOperation() { device_.Close(); }
  ChipOperation(const ChipOperation&) = delete;
  ChipOperation& operator=(const ChipOperation&) = delete;
  explicit operator bool() const { return device_.IsOpen(); }

 private:
  ChipDevice& device_;
};
