#pragma once
// The arithmetic of the built-in sensors: 32-bit sums and products that raise
// on overflow, and rounding of exact quotients to the nearest integer with
// halves going to the even neighbour.
#include <cstdint>

// Raise IntOverflowError when the result leaves the signed 32-bit range.
int32_t CheckedAdd(int32_t a, int32_t b);
int32_t CheckedMul(int32_t a, int32_t b);

// Round(numerator / denominator), computed exactly: 2.5 gives 2, 3.5 gives 4,
// -2.5 gives -2. Raises IntOverflowError when the result does not fit 32
// bits and CvlError for a zero denominator.
int32_t RoundQuotient(int64_t numerator, int64_t denominator);

// Bytes in whole megabytes (1048576) and kilobytes (1024), rounded.
inline int32_t RoundMb(int64_t bytes) { return RoundQuotient(bytes, 1048576); }
inline int32_t RoundKb(int64_t bytes) { return RoundQuotient(bytes, 1024); }
