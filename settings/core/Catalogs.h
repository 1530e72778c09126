#pragma once
// The built-in sensors and warnings this library offers, under the numbers
// stored in the registry (sensors 1-24, warnings 1-15). The bar program keeps
// its own wording for the same numbers.
#include <cstdint>

struct BuiltInSensor {
  int32_t number;
  const char* description;
  int32_t width;  // default panel width in pixels
};

struct BuiltInWarning {
  int32_t number;
  const char* description;
  int32_t min;  // also the first threshold of a new warning
  int32_t max;
  int32_t increment;
  const char* unit;
};

constexpr int kBuiltInSensorCount = 24;
constexpr int kBuiltInWarningCount = 15;
extern const BuiltInSensor kBuiltInSensors[kBuiltInSensorCount];
extern const BuiltInWarning kBuiltInWarnings[kBuiltInWarningCount];

// The catalogue entry of a number, or none outside the catalogue.
const BuiltInSensor* FindBuiltInSensor(int32_t number);
const BuiltInWarning* FindBuiltInWarning(int32_t number);
