// A sensor plug-in for the contract tests. One source serves every test
// plug-in: each one's .def file decides which exports exist, and its compile
// definitions decide how they behave.
//   TP_NAME         the plug-in's name, also the start of its texts
//   TP_MASK         the PluginFacilities answer
//   TP_SENSOR_TEXT  0 "<name> reading <n>", 1 exactly 79 characters,
//                   2 all 80 bytes without a NUL, 3 null-pointer write,
//                   4 100 characters and a NUL (past the buffer), 5 never returns
//   TP_TOOLTIP      0 a text, 1 an illegal instruction
//   TP_ICON         0 a 16 x 16 bitmap, 1 none (0)
//   TP_WARNING      0 level (environment CVL_TEST_LEVEL) above threshold,
//                   1 integer divide by zero, 2 always 256, 3 always 1
//   TP_INCREMENT    the WarningIncrement answer
//   TP_VALUE        SensorValue: 0 answers 0, 100, 0, 100, ... call by call,
//                   1 a null-pointer write
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef TP_NAME
#define TP_NAME "Test"
#endif
#ifndef TP_MASK
#define TP_MASK 3
#endif
#ifndef TP_SENSOR_TEXT
#define TP_SENSOR_TEXT 0
#endif
#ifndef TP_TOOLTIP
#define TP_TOOLTIP 0
#endif
#ifndef TP_ICON
#define TP_ICON 0
#endif
#ifndef TP_WARNING
#define TP_WARNING 0
#endif
#ifndef TP_INCREMENT
#define TP_INCREMENT 5
#endif
#ifndef TP_VALUE
#define TP_VALUE 0
#endif

#define EXPORT extern "C" __attribute__((stdcall))

namespace {

// Kept out of the compiler's sight so the faults happen as written.
volatile uintptr_t gNowhere = 0;
volatile int32_t gZero = 0;
int gReadings = 0;
int gValues = 0;

void Put(char* buffer, const char* text) { std::snprintf(buffer, 80, "%s", text); }

// The text of a given length made of a repeating pattern, without a NUL when
// it takes all 80 bytes.
void PutLong(char* buffer, int length) {
  for (int i = 0; i < length; ++i) buffer[i] = static_cast<char>('A' + i % 26);
  if (length < 80) buffer[length] = '\0';
}

void PutText(char* buffer, const char* what) {
  if (TP_SENSOR_TEXT == 1) {
    PutLong(buffer, 79);
  } else if (TP_SENSOR_TEXT == 2) {
    PutLong(buffer, 80);
  } else {
    char text[80];
    std::snprintf(text, sizeof text, "%s %s", TP_NAME, what);
    Put(buffer, text);
  }
}

int32_t Level() {
  char text[32];
  DWORD n = GetEnvironmentVariableA("CVL_TEST_LEVEL", text, sizeof text);
  return n > 0 && n < sizeof text ? std::atoi(text) : 0;
}

}  // namespace

EXPORT void PluginName(char* buffer) { PutText(buffer, "plug-in"); }

EXPORT int32_t PluginFacilities() { return TP_MASK; }

EXPORT void PluginDisplaySettings() {
  MessageBoxA(nullptr, TP_NAME " settings", TP_NAME, MB_OK);
}

EXPORT void SensorFunction(char* buffer) {
  if (TP_SENSOR_TEXT == 3) {
    *reinterpret_cast<volatile int*>(gNowhere) = 1;
    return;
  }
  if (TP_SENSOR_TEXT == 4) {
    PutLong(buffer, 100);
    buffer[100] = '\0';
    return;
  }
  if (TP_SENSOR_TEXT == 5) {
    for (;;) Sleep(1000);
  }
  if (TP_SENSOR_TEXT == 0) {
    char text[80];
    std::snprintf(text, sizeof text, "%s reading %d", TP_NAME, ++gReadings);
    Put(buffer, text);
    return;
  }
  PutText(buffer, "reading");
}

EXPORT int32_t SensorValue() {
  if (TP_VALUE == 1) *reinterpret_cast<volatile int32_t*>(gNowhere) = 1;
  return gValues++ % 2 ? 100 : 0;
}

EXPORT void SensorDescription(char* buffer) { PutText(buffer, "description"); }

EXPORT void SensorToolTip(char* buffer) {
  if (TP_TOOLTIP == 1) __asm__ volatile("ud2");
  PutText(buffer, "tool tip");
}

EXPORT HBITMAP SensorIcon() {
  if (TP_ICON == 1) return nullptr;
  static const WORD rows[16] = {0};
  return CreateBitmap(16, 16, 1, 1, rows);
}

EXPORT int32_t SensorWidth() { return 64; }

EXPORT int32_t WarningFunction(int32_t threshold) {
  if (TP_WARNING == 1) return threshold / gZero;
  if (TP_WARNING == 2) return 256;
  if (TP_WARNING == 3) return 1;
  return Level() > threshold ? -1 : 0;
}

EXPORT void WarningMessage(char* buffer) { Put(buffer, TP_NAME " level has risen above"); }
EXPORT void WarningDescription(char* buffer) { Put(buffer, TP_NAME " level warning"); }
EXPORT void WarningVal(char* buffer) { Put(buffer, "units"); }
EXPORT int32_t WarningMax() { return 100; }
EXPORT int32_t WarningMin() { return 5; }
EXPORT int32_t WarningIncrement() { return TP_INCREMENT; }
