#pragma once
// The chip's I/O on Windows: the LM78 driver through CreateFileA and
// DeviceIoControl, and the port reads of the separate temperature sensor.
#include "chipwatch/core/ChipIO.h"

class DriverChipIO : public ChipIO {
 public:
  DeviceHandle OpenDevice(const char* name) override;
  void CloseDevice(DeviceHandle device) override;
  bool Control(DeviceHandle device, uint32_t code, ChipRequest& block) override;
  bool ReadPort(uint16_t port, uint8_t& value) override;
};
