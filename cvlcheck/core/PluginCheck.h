#pragma once
// The plug-in checker's rules. A plug-in is loaded with the bar's own library
// loader and every export it has is called through the bar's guarded calls,
// in the order the bar calls them; the report says what each answered, how
// long it took, and every way in which it breaks the contract.
#include <string>

#include "cvlcheck/core/CheckHost.h"
#include "cvlcheck/core/CheckReport.h"
#include "shared/core/PluginOperations.h"

// CvlCheck's exit codes.
constexpr int kCheckClean = 0;       // no problem found
constexpr int kCheckProblems = 1;    // one or more problems
constexpr int kCheckNotAPlugin = 2;  // the file does not load, or has no PluginFacilities

// How often the sensor function is called, to see whether its text changes;
// SensorValue, when exported, is called after each call.
constexpr int kSensorCalls = 5;

// Checks the plug-in at path and returns the exit code. After a call that
// did not return (PluginHang) the check ends and the library is not
// released: its code is still running.
int CheckPlugin(const std::string& path, LibraryLoader& loader, CheckHost& host,
                CheckReport& report);
