#include "shared/core/VBText.h"

#include <limits>

#include "shared/core/TextBuilder.h"

std::string IntToText(int32_t n) {
  char text[16];
  return TextBuilder(text, sizeof text).AppendInt(n).Text();
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int32_t Saturate(bool negative) {
  return negative ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
}

}  // namespace

int32_t TextToInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i < text.size() && text[i] == '$') {
    ++i;
    uint64_t pattern = 0;
    for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
      pattern = pattern * 16 + static_cast<uint64_t>(HexDigit(text[i]));
      if (pattern > 0xFFFFFFFFull) return Saturate(negative);
    }
    const int32_t value = static_cast<int32_t>(static_cast<uint32_t>(pattern));
    if (!negative) return value;
    return value == std::numeric_limits<int32_t>::min() ? value : -value;
  }
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > 2147483648LL) return Saturate(negative);
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int32_t>::max()) return Saturate(false);
  return static_cast<int32_t>(value);
}

std::string LeftText(const std::string& text, int n) {
  if (n < 0 || text.size() < static_cast<size_t>(n)) return std::string();
  return text.substr(0, static_cast<size_t>(n));
}
