// The exports of Chipwatch.dll.
//
// Locking: the bar's display thread, its main thread (manual refresh) and the
// settings dialog may all call in at the same time, but a reading is one
// open-reset-read-close sequence on the shared device and factor table. One
// critical section is therefore held for the whole of every export, so calls
// run one after another. Nothing inside a call waits for another thread or
// calls back out, so the lock cannot deadlock; a caller waits at most for one
// other reading (a few dozen driver requests).
#include "chipwatch/ChipwatchApi.h"
#include "chipwatch/PortAccess.h"
#include "chipwatch/core/ChipMonitor.h"
#include "shared/win32/Handle.h"
#include "shared/win32/RegKey.h"

namespace {

// The chip's I/O on Windows: the LM78 driver through CreateFileA and
// DeviceIoControl, and the port reads of the separate temperature sensor.
class DriverChipIO : public ChipIO {
 public:
  DeviceHandle OpenDevice(const char* name) override {
    // The arguments the driver has always been opened with; on Windows 9x the
    // open of "\\.\LM78.VXD" loads it, and closing that handle unloads it again.
    HANDLE h = CreateFileA(name, 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE || h == nullptr) return kNoDevice;
    return reinterpret_cast<DeviceHandle>(h);
  }
  void CloseDevice(DeviceHandle device) override { CloseHandle(reinterpret_cast<HANDLE>(device)); }
  bool Control(DeviceHandle device, uint32_t code, ChipRequest& block) override {
    static_assert(sizeof(void*) == 4, "the driver takes the block's 32-bit address");
    DWORD address = static_cast<DWORD>(reinterpret_cast<uintptr_t>(&block));
    DWORD returned = 0;
    return DeviceIoControl(reinterpret_cast<HANDLE>(device), code, &address, sizeof address,
                           nullptr, 0, &returned, nullptr) != FALSE;
  }
  bool ReadPort(uint16_t port, uint8_t& value) override { return ReadIoPort(port, value); }
};

// The scale factors under HKEY_LOCAL_MACHINE\SOFTWARE\Veltrop\Chipwatch, as
// REG_EXPAND_SZ values "Fudge 1" ... "Fudge 7" holding factor × 10000.
class RegistryFudgeStore : public FudgeFactorStore {
 public:
  void Load(FudgeFactors& factors) override {
    RegKey key;
    // Reading needs no more than read access (an NT user without rights to
    // change the key still gets the stored factors).
    if (!key.Open(HKEY_LOCAL_MACHINE, kFudgeFactorKey, KEY_READ)) {
      Save(factors);
      return;
    }
    for (int index = 1; index <= kFudgeFactorCount; ++index) {
      char text[kFudgeTextCapacity];
      DWORD size = sizeof text;
      DWORD type = 0;
      if (RegQueryValueExA(key.Get(), FudgeValueName(index).c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        continue;
      FactorFromText(text, size, factors.value[index]);
    }
  }
  void Save(const FudgeFactors& factors) override {
    RegKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE, kFudgeFactorKey, KEY_ALL_ACCESS)) return;
    for (int index = 1; index <= kFudgeFactorCount; ++index)
      key.SetString(FudgeValueName(index).c_str(), FactorToText(factors.value[index]),
                    REG_EXPAND_SZ);
  }
};

// The library's state for the life of the process, in construction order.
CriticalSection chipLock;
DriverChipIO driverIO;
RegistryFudgeStore registryFactors;
ChipMonitor monitor(driverIO, registryFactors);

// Runs one call under the lock; no exception leaves the library.
template <typename Result, typename Call>
Result Serialised(Result fallback, Call call) {
  try {
    Lock lock(chipLock);
    return call();
  } catch (...) {
    return fallback;
  }
}

}  // namespace

extern "C" {

BOOLEAN WINAPI InitialiseLM78() {
  return Serialised<BOOLEAN>(FALSE, [] { return monitor.InitialiseLM78(); });
}

LONG WINAPI GetTemperature(LONG channel) {
  return Serialised<LONG>(0, [=] { return monitor.GetTemperature(channel); });
}

double WINAPI GetVoltage(LONG channel) {
  return Serialised<double>(0.0, [=] { return monitor.GetVoltage(channel); });
}

LONG WINAPI GetFan(LONG fan) {
  return Serialised<LONG>(0, [=] { return monitor.GetFan(fan); });
}

LONG WINAPI GetUnknown(LONG reg) {
  return Serialised<LONG>(65535, [=] { return monitor.GetUnknown(reg); });
}

double WINAPI GetFudgeFactor(LONG channel) {
  return Serialised<double>(0.0, [=] { return monitor.GetFudgeFactor(channel); });
}

BOOLEAN WINAPI SetFudgeFactor(LONG channel, double factor) {
  return Serialised<BOOLEAN>(FALSE, [=] { return monitor.SetFudgeFactor(channel, factor); });
}

}  // extern "C"
