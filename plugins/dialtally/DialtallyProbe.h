#pragma once
// What the tally reads from the system on each call: the day, the tick
// count and whether a dial-up connection is up.
#include <cstdint>

#include "plugins/dialtally/core/DialtallyCount.h"

// Windows 98 or later of the 9x family (4.10 build 1650 and up).
bool IsWindows98System();
// "Dial-Up Adapter\ConnectSpeed" of the 9x performance statistics; 0 when
// the key or the value cannot be read.
uint32_t ReadConnectSpeed();
// A remote-access connection reported by rasapi32.dll; false when the library
// or its entry point is missing or the call fails.
bool RasConnectionSeen();
// Windows 98: the adapter's connect speed; other systems: remote access.
Connection ObserveConnection();
// The day number from today's date in the user's short date format.
int32_t TodayNumber();
