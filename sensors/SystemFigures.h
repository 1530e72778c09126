#pragma once
// The figures an NT-family Windows keeps where Windows 9x has its
// performance counters. Every function is looked up at run time (Windows
// 95/98 have none of them, NT 4 not all), so the same binaries load
// everywhere; each answer is false when the system has no such figure.
#include <cstdint>

#include "sensors/core/SensorTexts.h"
#include "sensors/core/SystemSamples.h"

// GetSystemTimes, else the processors' own times summed.
bool ReadProcessorTimes(ProcessorTimes& times);
// GlobalMemoryStatusEx: memory above 2 Gb as it is.
bool ReadMemoryStatusEx(MemoryReadings& r);
// The threads of every process: the system's process records, else the
// performance information, else a tool-help snapshot.
bool ReadSystemThreads(uint32_t& threads);
// The page files' total size and the part in use, in bytes.
bool ReadPageFiles(SwapFileReadings& r);
// The file cache's size and its copy reads that were hits and misses.
bool ReadFileCache(DiskCacheReadings& r);
// The bytes read and written by every I/O request since the system started.
bool ReadIoTransfers(uint64_t& read, uint64_t& written);
