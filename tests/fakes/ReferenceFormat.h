#pragma once
// Number texts written the plain way, as references for the allocation-free
// TextBuilder: the C library's "%.2f", and durations from real quotients.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

// Two decimals as "%.2f" prints them, "-0.00" shown as "0.00".
inline std::string FormatFixed2(double x) {
  if (std::isnan(x)) return "nan";
  char text[400];
  std::snprintf(text, sizeof text, "%.2f", x);
  const std::string s = text;
  return s == "-0.00" ? "0.00" : s;
}

// The text itself when its value is above 9, else "0" + text.
inline std::string PadTwo(const std::string& text) {
  return std::stol(text) > 9 ? text : "0" + text;
}

// H:MM:SS of a count of milliseconds, hours unpadded; "Error" when negative.
inline std::string FormatDuration(int32_t ms) {
  if (ms < 0) return "Error";
  const auto floorText = [](double x) { return std::to_string(static_cast<int64_t>(std::floor(x))); };
  double minutes = ms / 60000.0;
  while (minutes > 59.99999999999) minutes -= 60;
  return floorText(ms / 3600000.0) + ":" + PadTwo(floorText(minutes)) + ":" +
         PadTwo(floorText((ms % 60000) * 0.001));
}
