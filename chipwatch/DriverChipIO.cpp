#include "chipwatch/DriverChipIO.h"

#include <windows.h>

#include "chipwatch/PortAccess.h"

ChipIO::DeviceHandle DriverChipIO::OpenDevice(const char* name) {
  // The arguments the driver has always been opened with; on Windows 9x the
  // open of "\\.\LM78.VXD" loads it, and closing that handle unloads it again.
  HANDLE h = CreateFileA(name, 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE || h == nullptr) return kNoDevice;
  return reinterpret_cast<DeviceHandle>(h);
}

void DriverChipIO::CloseDevice(DeviceHandle device) {
  CloseHandle(reinterpret_cast<HANDLE>(device));
}

bool DriverChipIO::Control(DeviceHandle device, uint32_t code, ChipRequest& block) {
  static_assert(sizeof(void*) == 4, "the driver takes the block's 32-bit address");
  DWORD address = static_cast<DWORD>(reinterpret_cast<uintptr_t>(&block));
  DWORD returned = 0;
  return DeviceIoControl(reinterpret_cast<HANDLE>(device), code, &address, sizeof address,
                         nullptr, 0, &returned, nullptr) != FALSE;
}

bool DriverChipIO::ReadPort(uint16_t port, uint8_t& value) { return ReadIoPort(port, value); }
