#pragma once
// The functions of sensors 1-15 and of warning kinds 1, 2, 3, 13, 14, 15.
#include <cstdint>

#include "shared/core/PluginContract.h"

constexpr int32_t kSystemSensorCount = 15;

// Sensor 1-15; none for other numbers.
TSensorFunction SystemSensorFunction(int32_t number);
// Kinds 1, 2, 3, 13, 14 and 15; none for other numbers.
TWarningFunction SystemCheckFunction(int32_t number);
