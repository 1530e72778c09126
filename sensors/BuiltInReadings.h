#pragma once
// Gathers what the built-in sensors and checks show, from the system and the
// bar's global services; the texts are composed from these in sensors/core.
#include <windows.h>

#include <cstdint>

#include "sensors/core/DialUpTimer.h"
#include "sensors/core/SensorTexts.h"
#include "shared/core/TextBuilder.h"

// Starts the Windows 9x performance counters the built-ins read.
void StartBuiltInCounters();

// Each reading takes the Windows 9x counters when the system has them (when
// any of a sensor's counters exists, even at 0), else the system's own
// figures (sensors/SystemFigures.h), else zeros: one text never mixes the two.
uint32_t ReadCpuUsage();
// GlobalMemoryStatusEx where the system has it, else GlobalMemoryStatus.
MemoryReadings ReadMemory();
DiskCacheReadings ReadDiskCache();
// The read and write rates and the free space of every fixed drive (in
// place, no heap).
DiskReadings ReadDisks();
SwapFileReadings ReadSwapFile();
// The swap file's size alone, for check 14.
int64_t ReadSwapFileSize();
uint32_t ReadThreadCount();
// For sensor 5 (IsDialUpConnected asked off Windows 98 only) or for check 2
// (asked only when the speed counter is 0).
DialUpReadings ReadDialUpForSensor();
DialUpReadings ReadDialUpForCheck();
PowerReadings ReadPower();
DisplayReadings ReadDisplay(HDC dc);
// Free bytes available to the caller on a drive root; 0 when unknown.
uint64_t FreeBytesOn(const char* root);
// The current local time in the user's time format, the date in the user's
// short date format; nothing when the system gives no text.
void LocalTimeText(TextBuilder& out);
void LocalDateText(TextBuilder& out);
