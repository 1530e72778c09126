#include "shared/core/TextBuilder.h"

#include <cmath>
#include <cstring>

// Decimal texts of real numbers without the C library's formatter, which
// would bring a whole floating-point printer into the shipped programs;
// nothing is allocated.
namespace {

// Room for any result: 309 digits, sign, point, decimals and the NUL.
constexpr size_t kDecimalTextSize = 400;

size_t Put(char* out, const char* text) {
  const size_t n = std::strlen(text);
  std::memcpy(out, text, n + 1);
  return n;
}

// Digits of u, most significant first; answers how many.
size_t UnsignedDigits(uint64_t u, char* out) {
  char reversed[24];
  size_t n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0);
  for (size_t i = 0; i < n; ++i) out[i] = reversed[n - 1 - i];
  return n;
}

// mantissa * 2^exponent, multiplied out in base 10^9.
size_t LargeDigits(double v, char* out) {
  uint32_t limbs[40] = {};  // 35 limbs hold the largest double
  size_t count = 0;
  int exponent = 0;
  uint64_t mantissa = static_cast<uint64_t>(std::ldexp(std::frexp(v, &exponent), 53));
  exponent -= 53;
  while (mantissa != 0) {
    limbs[count++] = static_cast<uint32_t>(mantissa % 1000000000u);
    mantissa /= 1000000000u;
  }
  for (int i = 0; i < exponent; ++i) {
    uint32_t carry = 0;
    for (size_t k = 0; k < count; ++k) {
      const uint64_t d = static_cast<uint64_t>(limbs[k]) * 2 + carry;
      limbs[k] = static_cast<uint32_t>(d % 1000000000u);
      carry = static_cast<uint32_t>(d / 1000000000u);
    }
    if (carry) limbs[count++] = carry;
  }
  size_t n = UnsignedDigits(limbs[count - 1], out);
  for (size_t k = count - 1; k-- > 0;) {
    uint32_t limb = limbs[k];
    for (int d = 8; d >= 0; --d) {
      out[n + static_cast<size_t>(d)] = static_cast<char>('0' + limb % 10);
      limb /= 10;
    }
    n += 9;
  }
  return n;
}

// The digits of a finite, integer-valued double, with "-" when negative, as
// "%.0f" prints it. Writes a NUL-terminated text into out (kDecimalTextSize
// bytes) and answers its length.
size_t IntegerDigitsInto(double v, char* out) {
  size_t n = 0;
  if (v < 0) {
    out[n++] = '-';
    v = -v;
  }
  n += v < 9.0e18 ? UnsignedDigits(static_cast<uint64_t>(v), out + n) : LargeDigits(v, out + n);
  out[n] = '\0';
  return n;
}

// x with exactly two decimals as "%.2f" prints it (halves of the exact value
// to even; "nan", "inf", "-inf" for those); "-0.00" for a small negative
// value.
size_t Fixed2Into(double x, char* out) {
  if (std::isnan(x)) return Put(out, "nan");
  if (std::isinf(x)) return Put(out, x < 0 ? "-inf" : "inf");
  // The product of a double and 100 is exact in the extended format.
  const long double hundredths = static_cast<long double>(x) * 100;
  if (std::fabs(hundredths) >= 9.0e18L) {
    // Beyond 2^53 every double is a whole number.
    const size_t n = IntegerDigitsInto(x, out);
    std::memcpy(out + n, ".00", 4);
    return n + 3;
  }
  long double whole = std::floor(hundredths);
  const long double rest = hundredths - whole;
  if (rest > 0.5L || (rest == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
  const bool negative = std::signbit(x);
  const int64_t h = static_cast<int64_t>(whole);
  const uint64_t u = h < 0 ? 0u - static_cast<uint64_t>(h) : static_cast<uint64_t>(h);
  size_t n = 0;
  if (negative) out[n++] = '-';
  n += UnsignedDigits(u / 100, out + n);
  out[n++] = '.';
  out[n++] = static_cast<char>('0' + u % 100 / 10);
  out[n++] = static_cast<char>('0' + u % 10);
  out[n] = '\0';
  return n;
}

}  // namespace

TextBuilder::TextBuilder(char* buffer, size_t size)
    : buffer_(buffer), capacity_(size > 0 ? size - 1 : 0) {
  // A zero-sized buffer has no room even for the NUL; nothing is written then.
  if (size > 0) buffer_[0] = '\0';
}

TextBuilder& TextBuilder::Append(const char* text) {
  return text ? Append(text, std::strlen(text)) : *this;
}

TextBuilder& TextBuilder::Append(const char* text, size_t length) {
  if (capacity_ == 0) {
    truncated_ = truncated_ || length > 0;
    return *this;
  }
  const size_t room = capacity_ - length_;
  const size_t n = length < room ? length : room;
  if (n < length) truncated_ = true;
  std::memcpy(buffer_ + length_, text, n);
  length_ += n;
  buffer_[length_] = '\0';
  return *this;
}

TextBuilder& TextBuilder::Append(char c) { return Append(&c, 1); }

TextBuilder& TextBuilder::AppendUnsigned(uint32_t n) {
  char text[24];
  return Append(text, UnsignedDigits(n, text));
}

TextBuilder& TextBuilder::AppendInt(int32_t n) {
  if (n >= 0) return AppendUnsigned(static_cast<uint32_t>(n));
  Append('-');
  // The magnitude of INT32_MIN only fits unsigned.
  return AppendUnsigned(0u - static_cast<uint32_t>(n));
}

TextBuilder& TextBuilder::AppendPadTwo(uint32_t n) {
  if (n <= 9) Append('0');
  return AppendUnsigned(n);
}

TextBuilder& TextBuilder::AppendFixed2(double x) {
  // Into the stack: room for the digits of every double (309 before the point).
  char text[kDecimalTextSize];
  const size_t n = Fixed2Into(x, text);
  if (std::strcmp(text, "-0.00") == 0) return Append("0.00", 4);
  return Append(text, n);
}

TextBuilder& TextBuilder::AppendDuration(uint32_t ms) {
  AppendUnsigned(ms / 3600000);
  Append(':');
  AppendPadTwo(ms / 60000 % 60);
  Append(':');
  return AppendPadTwo(ms % 60000 / 1000);
}

void TextBuilder::Cut(size_t length) {
  if (length >= length_) return;
  length_ = length;
  buffer_[length_] = '\0';
}
