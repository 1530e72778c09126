#pragma once
// Decimal texts of real numbers without the C library's formatter, which
// would bring a whole floating-point printer into the shipped programs.
// Exactly what "%.0f" prints for an integer-valued double and what "%.2f"
// prints (halves of the exact value to even); nothing is allocated.
#include <cstddef>

// Room for any result: 309 digits, sign, point, decimals and the NUL.
constexpr size_t kDecimalTextSize = 400;

// The digits of a finite, integer-valued double, with "-" when negative.
// Writes a NUL-terminated text into out (kDecimalTextSize bytes) and answers
// its length.
size_t IntegerDigitsInto(double v, char* out);
// x with exactly two decimals ("nan", "inf", "-inf" for those); "-0.00" for
// a small negative value, as "%.2f" prints it.
size_t Fixed2Into(double x, char* out);
