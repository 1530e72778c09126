#pragma once
// BuiltInsCode: what the bar shows and watches without a plug-in. Built-in
// sensor and check functions have the plug-in function types, so a panel or
// a warning holds either kind; call them through CallSensorFunction and
// CallWarningFunction (shared/Common.h) like plug-in functions.
#include <cstdint>
#include <string>

#include "sensors/core/BuiltInCatalogue.h"

// Entry 1-24 of the sensor catalogue: its name (the panel's tool tip) and
// its function. RangeCheckError outside 1-24. Entries 16-24 read the hardware
// monitor through Chipwatch.dll.
TBuiltInSensor BuiltInSensor(int32_t number);
// Entry 1-15 of the warning catalogue: alert text, unit and check function.
// RangeCheckError outside 1-15. Kinds 4-12 are the hardware monitor's.
TBuiltInWarning BuiltInWarning(int32_t number);

// The built-ins' own settings, on the main thread. At start-up (true) also
// probes the hardware monitor, notes the Windows drive and takes the bar
// window's device context; on every call loads the hardware settings and
// the separator from "MultiInfoSep".
void InitBuiltIns(bool startUp);

// The 3 characters that join the items of multi-item texts (" / " by default).
std::string MultiInfoSeparator();

// The functions of sensors 1-15 and of warning kinds 1, 2, 3, 13, 14, 15
// (BuiltInFunctions.cpp); none for other numbers.
constexpr int32_t kSystemSensorCount = 15;
TSensorFunction SystemSensorFunction(int32_t number);
TWarningFunction SystemCheckFunction(int32_t number);
