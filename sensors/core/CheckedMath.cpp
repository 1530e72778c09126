#include "sensors/core/CheckedMath.h"

#include <limits>

#include "shared/core/CvlError.h"

namespace {

int32_t Narrow(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    throw IntOverflowError();
  return static_cast<int32_t>(value);
}

}  // namespace

int32_t CheckedAdd(int32_t a, int32_t b) { return Narrow(static_cast<int64_t>(a) + b); }

int32_t CheckedMul(int32_t a, int32_t b) { return Narrow(static_cast<int64_t>(a) * b); }

int32_t RoundQuotient(int64_t numerator, int64_t denominator) {
  if (denominator == 0) throw CvlError("Division by zero");
  if (denominator < 0) {
    // Callers pass 32-bit quantities, so negating cannot overflow 64 bits.
    numerator = -numerator;
    denominator = -denominator;
  }
  int64_t quotient = numerator / denominator;
  int64_t remainder = numerator % denominator;
  if (remainder < 0) {  // floor, so that the remainder lies in [0, denominator)
    quotient -= 1;
    remainder += denominator;
  }
  const int64_t twice = 2 * remainder;
  if (twice > denominator || (twice == denominator && quotient % 2 != 0)) quotient += 1;
  return Narrow(quotient);
}
