#include "shared/core/Format.h"

#include <cmath>

#include "shared/core/CvlError.h"
#include "shared/core/DecimalText.h"
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


std::string FloorText(double x) {
  if (!std::isfinite(x)) throw CvlError("Invalid floating point operation");
  const double f = std::floor(x);
  // floor of a value in (-1, 0) is -1, never -0; this guards -0.0 itself.
  if (f == 0) return "0";
  char text[kDecimalTextSize];
  IntegerDigitsInto(f, text);
  return text;
}

std::string PadTwo(const std::string& text) {
  return TextToInt(text) > 9 ? text : "0" + text;
}

std::string FormatFixed2(double x) {
  char text[kDecimalTextSize];
  Fixed2Into(x, text);
  // A small negative value rounds to "-0.00"; a reading shows it as zero.
  if (std::string(text) == "-0.00") return "0.00";
  return text;
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
