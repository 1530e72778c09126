#include "chipwatch/core/FudgeFactors.h"

#include <cmath>
#include <cstdint>

std::string FudgeValueName(int index) { return "Fudge " + std::to_string(index); }

bool FactorFromText(const char* data, size_t size, double& factor) {
  size_t i = 0;
  auto at = [&](size_t k) { return k < size ? data[k] : '\0'; };
  while (at(i) == ' ' || at(i) == '\t' || at(i) == '\r' || at(i) == '\n' || at(i) == '\v' ||
         at(i) == '\f')
    ++i;
  bool negative = false;
  if (at(i) == '+' || at(i) == '-') negative = at(i++) == '-';
  int64_t number = 0;
  // The text is at most a few bytes long, so the number cannot overflow.
  for (; i < size && at(i) >= '0' && at(i) <= '9'; ++i) number = number * 10 + (at(i) - '0');
  volatile double product = static_cast<double>(negative ? -number : number) * 0.0001;
  if (product == 0.0) return false;
  factor = product;
  return true;
}

std::string FactorToText(double factor) {
  // volatile: the product must be rounded to double precision before it is
  // truncated, also where the arithmetic runs in wider registers.
  volatile double scaled = factor * 10000.0;
  double value = std::trunc(scaled);
  if (std::isnan(value)) value = 0.0;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  return std::to_string(static_cast<int32_t>(value));
}
