#pragma once
// The services that the bar window, the panels, the built-in sensors and the
// warnings share (module Globals). All are synchronous.
#include <windows.h>

#include <cstdint>
#include <string>

#include "shared/core/DiskGeometry.h"
#include "shared/core/GlobalTypes.h"

// The bar window (TBarForm) once it exists, else nullptr: owner of error boxes
// and the start of the window walk.
HWND BarWindowHandle();
void SetBarWindowHandle(HWND hwnd);

// Error box owned by the bar: message + " Error Code: " + code +
// " Description: " + description, title "Corvella", exclamation icon.
void ShowError(const std::string& message, const std::string& code, const std::string& description);
// The same box, then the bar closes (exit sequence) and the program ends.
void ShowFatalError(const std::string& message, const std::string& code,
                    const std::string& description);

// Tone pattern when "AudioWarnings" is "TRUE", the system-modal box
// "Warning: " + message, then the log line when "LogWarnings" is "TRUE".
// A log file error raises CvlError. Always answers true.
bool RaiseWarning(const std::string& message);
// Appends date, blank, time, " : ", "Logged: " + text to InstalledDir +
// "cvllog.txt". A file error raises CvlError.
void LogLine(const std::string& text);

// Windows 9x performance counters (HKEY_DYN_DATA\PerfStats).
void StartPerfStats();
// A counter's value, 0 when it is missing; by literal name, so that the
// refresh pass allocates nothing.
uint32_t ReadPerfStat(const char* name);
// Whether the counter exists (a system without it, such as every NT-family
// Windows, answers false; a counter that reads 0 answers true).
bool TryReadPerfStat(const char* name, uint32_t& value);
// True when an NT-family system has the counter key but no counter in it
// (Wine's, unless a program writes some): one question instead of one failed
// read per counter. Always false on Windows 9x, whose counters are read one
// by one as ever.
bool PerfStatsEmpty();

bool IsWindows98();

// MonitorRect and WindowCounts are in shared/core/GlobalTypes.h.
MonitorRect MonitorRectOf(HWND window);
int MonitorCount();
MonitorRect VirtualDesktopRect();
// Whether VirtualDesktopRect is the primary screen (SM_CXSCREEN and
// SM_CYSCREEN): everywhere but on Windows 98.
bool DesktopIsPrimaryScreen();

bool IsDialUpConnected();
// GetDiskFreeSpaceExA when kernel32 has it, else the GetDiskFreeSpaceA path;
// outputs are left as they were on any failure.
void DiskFreeSpace(const std::string& root, uint64_t& freeAvailable, uint64_t& total,
                   uint64_t& totalFree);

// The path for kernels without GetDiskFreeSpaceExA: free bytes available
// from GetDiskFreeSpaceA, only while they fit a signed 32-bit number; the
// output is left as it was otherwise. DiskFreeSpace takes it by itself.
void DiskFreeSpaceByGeometry(const std::string& root, uint64_t& freeAvailable);

// Walks the top-level windows from the first in Z order; counts start at 0.
void CountWindows(WindowCounts& counts);
