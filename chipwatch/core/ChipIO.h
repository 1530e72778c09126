#pragma once
// Everything the chip library does to the outside world for a reading: open
// and close the driver, send it the three requests, and read an I/O port.
// The Win32 implementation talks to the real driver; tests put a register
// model of the chip behind it.
#include <cstdint>

#include "chipwatch/core/ChipRequest.h"

class ChipIO {
 public:
  using DeviceHandle = std::uintptr_t;
  static constexpr DeviceHandle kNoDevice = 0;

  virtual ~ChipIO() = default;
  // Opens the device by its name ("\\.\LM78"); kNoDevice when it cannot be opened.
  virtual DeviceHandle OpenDevice(const char* name) = 0;
  virtual void CloseDevice(DeviceHandle device) = 0;
  // Sends one request with the block's address as input. False when the
  // driver refused it; the block's result byte is then not to be trusted.
  virtual bool Control(DeviceHandle device, uint32_t code, ChipRequest& block) = 0;
  // Reads one byte from an I/O port; false where the platform forbids it or
  // the read faulted.
  virtual bool ReadPort(uint16_t port, uint8_t& value) = 0;
};
