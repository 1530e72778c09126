#pragma once
// The exports of Coreprobe.dll, for programs that link it by name. Windows
// calling convention, undecorated names; the booleans are single bytes.
#include <windows.h>

extern "C" {
// Writes the processor's vendor text ("GenuineIntel", "AuthenticAMD" ...,
// empty without CPUID) and a terminating zero into an 80-character buffer.
void WINAPI GetCPUInfoVendorID(char* buffer);
// Family and model, with the extended fields of newer processors.
LONG WINAPI GetCPUInfoFamily();
LONG WINAPI GetCPUInfoModel();
BOOLEAN WINAPI GetMMX();
BOOLEAN WINAPI GetOverdrive();
// Clock speed in MHz measured with the time-stamp counter over a tenth of a
// second; 0 without a time-stamp counter.
LONG WINAPI GetSpeed();
}
