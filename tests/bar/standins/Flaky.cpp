// A sensor plug-in whose behaviour the test decides while the bar runs,
// through HKLM\Software\Veltrop\BarTest:
//   "Fault" = "1"    SensorFunction writes through a null pointer
//   "DelayMs" = n    SensorFunction takes n milliseconds
//   "Level" = n      WarningFunction holds for thresholds below n
//   "HangFrom" = n   SensorFunction does not return from its n-th call on
//   "CheckHangFrom" = n   nor WarningFunction from its n-th call on
//   "ValueHangFrom" = n   nor SensorValue from its n-th call on
//   "HangMs" = n     such a call returns after n milliseconds (0: never)
// Its text is "Flaky <n>", n counting the calls; its value for the history
// graph alternates 0, 100, 0, ...
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define EXPORT extern "C" __attribute__((stdcall))

namespace {

volatile int* volatile gNowhere = nullptr;
LONG gCalls = 0;
LONG gChecks = 0;
LONG gValues = 0;

int Control(const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Veltrop\\BarTest", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return 0;
  char text[32] = "";
  DWORD size = sizeof text - 1, type = 0;
  int value = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) ==
          ERROR_SUCCESS &&
      type == REG_SZ)
    value = std::atoi(text);
  RegCloseKey(key);
  return value;
}

void Put(char* buffer, const char* text) { std::snprintf(buffer, 80, "%s", text); }

void HangFrom(const char* control, LONG call) {
  const int from = Control(control);
  if (from <= 0 || call < from) return;
  const int ms = Control("HangMs");
  Sleep(ms > 0 ? static_cast<DWORD>(ms) : INFINITE);
}

}  // namespace

EXPORT int32_t PluginFacilities() { return 3; }
EXPORT void PluginName(char* buffer) { Put(buffer, "Flaky"); }

EXPORT void SensorFunction(char* buffer) {
  if (Control("Fault") == 1) *gNowhere = 1;
  const int delay = Control("DelayMs");
  if (delay > 0) Sleep(static_cast<DWORD>(delay));
  const LONG call = InterlockedIncrement(&gCalls);
  HangFrom("HangFrom", call);
  std::snprintf(buffer, 80, "Flaky %ld", call);
}

EXPORT int32_t SensorValue() {
  const LONG call = InterlockedIncrement(&gValues);
  HangFrom("ValueHangFrom", call);
  return call % 2 ? 0 : 100;
}

EXPORT void SensorDescription(char* buffer) { Put(buffer, "Flaky sensor"); }
EXPORT void SensorToolTip(char* buffer) { Put(buffer, "Flaky tool tip"); }

EXPORT HBITMAP SensorIcon() { return nullptr; }
EXPORT int32_t SensorWidth() { return 60; }

EXPORT int32_t WarningFunction(int32_t threshold) {
  HangFrom("CheckHangFrom", InterlockedIncrement(&gChecks));
  return Control("Level") > threshold ? -1 : 0;
}
EXPORT void WarningMessage(char* buffer) { Put(buffer, "Flaky level has risen above"); }
EXPORT void WarningDescription(char* buffer) { Put(buffer, "Flaky level warning"); }
EXPORT void WarningVal(char* buffer) { Put(buffer, "units"); }
EXPORT int32_t WarningMax() { return 100; }
EXPORT int32_t WarningMin() { return 5; }
EXPORT int32_t WarningIncrement() { return 5; }
