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
#include "chipwatch/DriverChipIO.h"
#include "chipwatch/RegistryFudgeStore.h"
#include "chipwatch/core/ChipMonitor.h"
#include "shared/win32/Handle.h"

namespace {

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
