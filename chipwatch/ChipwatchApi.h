#pragma once
// The exports of Chipwatch.dll, for programs that link it by name. Windows
// calling convention, undecorated names; the booleans are single bytes.
#include <windows.h>

extern "C" {
// True once a chip has answered on voltage channels 1-3 (and ever after).
BOOLEAN WINAPI InitialiseLM78();
// Temperature channel 1-4 in whole degrees; 0 without driver or reading.
LONG WINAPI GetTemperature(LONG channel);
// Voltage channel 1-7 (others read 1) in volts; 0.0 without driver.
double WINAPI GetVoltage(LONG channel);
// Fan 1-3 (others read 1) in rpm, or the raw count; 0 without driver.
LONG WINAPI GetFan(LONG fan);
// Any chip register (low 8 bits used): 0-255, or 65535 without driver.
LONG WINAPI GetUnknown(LONG reg);
// The scale factor of voltage channel 1-7 (0 and others give 0.0).
double WINAPI GetFudgeFactor(LONG channel);
// Stores the scale factor of channel 1-7; false for any other channel.
BOOLEAN WINAPI SetFudgeFactor(LONG channel, double factor);
}
