#include "settings/core/CoreVoltText.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "shared/core/VBText.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Skips digits from i; answers how many there were.
size_t SkipDigits(const std::string& s, size_t& i) {
  size_t start = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i - start;
}

}  // namespace

std::string VoltText(double volts, char separator) {
  if (volts == 0) volts = 0;  // no "-0"
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", volts);
  std::string text = buffer;
  // Exponents as the general form writes them: "1E20", "1.5E-5".
  size_t e = text.find('E');
  if (e != std::string::npos) {
    std::string mantissa = text.substr(0, e);
    bool negative = text[e + 1] == '-';
    size_t digits = e + 2;
    while (digits + 1 < text.size() && text[digits] == '0') ++digits;
    text = mantissa + "E" + (negative ? "-" : "") + text.substr(digits);
  }
  for (char& c : text)
    if (c == '.') c = separator;
  return text;
}

bool ParseVolts(const std::string& text, char separator, double& volts) {
  std::string plain;  // the number with "." as separator, for strtod
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
  size_t start = i;
  size_t digits = SkipDigits(text, i);
  plain += text.substr(start, i - start);
  if (i < text.size() && text[i] == separator) {
    ++i;
    start = i;
    digits += SkipDigits(text, i);
    plain += "." + text.substr(start, i - start);
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    plain += 'E';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    start = i;
    if (SkipDigits(text, i) == 0) return false;
    plain += text.substr(start, i - start);
  }
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return false;
  double value = std::strtod(plain.c_str(), nullptr);
  if (!std::isfinite(value)) return false;
  volts = value;
  return true;
}

std::string CoreVoltUp(const std::string& text, char separator) {
  double volts = 0;
  if (!ParseVolts(text, separator, volts)) return "0";
  return VoltText(volts + 0.1, separator);
}

std::string CoreVoltDown(const std::string& text, char separator) {
  double volts = 0;
  if (!ParseVolts(text, separator, volts)) return "0";
  volts -= 0.1;
  if (volts < 0.1) volts = 0;
  return VoltText(volts, separator);
}

std::string CoreVoltFromStored(const std::string& stored, char separator) {
  return VoltText(TextToInt(stored) * 0.01, separator);
}

bool CoreVoltToStored(const std::string& text, char separator, std::string& stored) {
  double volts = 0;
  if (!ParseVolts(text, separator, volts)) return false;
  double hundredths = volts * 100;
  const double low = std::numeric_limits<int32_t>::min();
  const double high = std::numeric_limits<int32_t>::max();
  if (hundredths < low) hundredths = low;
  if (hundredths > high) hundredths = high;
  int previous = std::fegetround();
  std::fesetround(FE_TONEAREST);
  double rounded = std::nearbyint(hundredths);
  std::fesetround(previous);
  stored = IntToText(static_cast<int32_t>(rounded));
  return true;
}

std::string CompensationStep(const std::string& text, int delta) {
  int64_t value = static_cast<int64_t>(TextToInt(text)) + delta;
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) value = std::numeric_limits<int32_t>::min();
  return IntToText(static_cast<int32_t>(value));
}
