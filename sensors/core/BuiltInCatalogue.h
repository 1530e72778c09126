#pragma once
// The fixed catalogues of built-in sensors (1-24) and warning kinds (1-15):
// the numbers stored in the registry for built-ins, with their names and
// alert texts. The functions behind them are bound in BuiltInsCode.
#include <cstdint>
#include <string>

#include "shared/core/PanelGraph.h"
#include "shared/core/PluginOperations.h"

constexpr int32_t kBuiltInSensorCount = 24;
constexpr int32_t kBuiltInWarningCount = 15;

// A catalogue entry with its function; the function is none for an entry
// whose reading is not available (its panel shows "Error", its warning never
// fires).
struct TBuiltInSensor {
  std::string Name;
  TSensorFunction Function = nullptr;
  GraphScale Scale = GraphScale::None;  // how its panel's graph scales, if it has one
};

struct TBuiltInWarning {
  std::string Message;
  std::string Units;
  TWarningFunction Function = nullptr;
};

// The sensor's name, its panel's tool tip. RangeCheckError outside 1-24.
const char* BuiltInSensorName(int32_t number);
// The text before the threshold and the unit after it in the alert.
// RangeCheckError outside 1-15.
const char* BuiltInWarningMessage(int32_t number);
const char* BuiltInWarningUnits(int32_t number);
