#include "bar/core/Format.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "shared/core/CvlError.h"
#include "shared/core/VBText.h"

std::string FormatDuration(int32_t ms) {
  // A negative count (a wrapped tick difference) has no clock face.
  if (ms < 0) return "Error";
  try {
    const double hours = ms / 3600000.0;
    double minutes = ms / 60000.0;
    while (minutes > 59.99999999999) minutes -= 60;
    const double seconds = (ms % 60000) * 0.001;
    return FloorText(hours) + ":" + PadTwo(FloorText(minutes)) + ":" +
           PadTwo(FloorText(seconds));
  } catch (...) {
    return "Error";
  }
}

namespace {

// The exact decimal digits of an integer-valued double (what "%.0f" prints),
// without the C library's formatter: in the shipped program it would bring
// in a whole floating-point printer.
std::string IntegerDigits(double v) {
  const bool negative = v < 0;
  if (negative) v = -v;
  std::string digits;
  if (v < 9.0e18) {
    uint64_t u = static_cast<uint64_t>(v);
    do {
      digits.insert(digits.begin(), static_cast<char>('0' + u % 10));
      u /= 10;
    } while (u != 0);
  } else {
    // mantissa * 2^exponent, multiplied out in base 10^9.
    int exponent = 0;
    const double fraction = std::frexp(v, &exponent);
    uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    std::vector<uint32_t> limbs;  // least significant first
    while (mantissa != 0) {
      limbs.push_back(static_cast<uint32_t>(mantissa % 1000000000u));
      mantissa /= 1000000000u;
    }
    for (int i = 0; i < exponent; ++i) {
      uint32_t carry = 0;
      for (uint32_t& limb : limbs) {
        const uint64_t d = static_cast<uint64_t>(limb) * 2 + carry;
        limb = static_cast<uint32_t>(d % 1000000000u);
        carry = static_cast<uint32_t>(d / 1000000000u);
      }
      if (carry) limbs.push_back(carry);
    }
    for (size_t i = 0; i < limbs.size(); ++i) {
      uint32_t limb = limbs[i];
      const bool last = i + 1 == limbs.size();
      for (int k = 0; k < 9 && (!last || limb != 0); ++k) {
        digits.insert(digits.begin(), static_cast<char>('0' + limb % 10));
        limb /= 10;
      }
    }
  }
  return negative ? "-" + digits : digits;
}

}  // namespace

std::string FloorText(double x) {
  if (!std::isfinite(x)) throw CvlError("Invalid floating point operation");
  const double f = std::floor(x);
  // floor of a value in (-1, 0) is -1, never -0; this guards -0.0 itself.
  if (f == 0) return "0";
  return IntegerDigits(f);
}

std::string PadTwo(const std::string& text) {
  return TextToInt(text) > 9 ? text : "0" + text;
}

std::string FormatFixed2(double x) {
  if (std::isnan(x)) return "nan";
  if (std::isinf(x)) return x < 0 ? "-inf" : "inf";
  // Hundredths of the exact value, rounded halves to even as "%.2f" does;
  // the product of a double and 100 is exact in the extended format.
  const long double hundredths = static_cast<long double>(x) * 100;
  if (std::fabs(hundredths) >= 9.0e18L) return IntegerDigits(x) + ".00";
  long double whole = std::floor(hundredths);
  const long double rest = hundredths - whole;
  if (rest > 0.5L || (rest == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
  int64_t n = static_cast<int64_t>(whole);
  // A small negative value rounds to "-0.00"; a reading shows it as zero.
  const bool negative = n < 0;
  uint64_t u = negative ? 0u - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
  std::string text = IntegerDigits(static_cast<double>(u / 100));
  const unsigned cents = static_cast<unsigned>(u % 100);
  text += '.';
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return negative ? "-" + text : text;
}

std::string DriveRootOf(const char* list, int n) {
  constexpr int kListSize = 257;
  if (!list || n < 1) return std::string();
  int pos = 0;
  for (int entry = 1; entry < n; ++entry) {
    if (list[pos] == '\0') return std::string();  // the list ended
    while (pos < kListSize && list[pos] != '\0') ++pos;
    ++pos;  // past the NUL that ends this root
    if (pos >= kListSize) return std::string();
  }
  std::string root;
  for (int i = pos; i < kListSize && i < pos + 3 && list[i] != '\0'; ++i) root += list[i];
  return root;
}
