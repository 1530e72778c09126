#include "bar/core/Format.h"

#include <cmath>
#include <cstdio>

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

std::string FloorText(double x) {
  if (!std::isfinite(x)) throw CvlError("Invalid floating point operation");
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.0f", std::floor(x));
  // floor of a value in (-1, 0) is -1, never -0; this guards -0.0 itself.
  if (buf[0] == '-' && buf[1] == '0' && buf[2] == '\0') return "0";
  return buf;
}

std::string PadTwo(const std::string& text) {
  return TextToInt(text) > 9 ? text : "0" + text;
}

std::string FormatFixed2(double x) {
  char buf[400];
  std::snprintf(buf, sizeof buf, "%2.2f", x);
  // A small negative value rounds to "-0.00"; a reading shows it as zero.
  if (std::string(buf) == "-0.00") return "0.00";
  return buf;
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
