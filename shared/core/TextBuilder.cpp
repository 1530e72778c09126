#include "shared/core/TextBuilder.h"

#include <cstring>

#include "shared/core/DecimalText.h"

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
  char digits[10];
  size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  char text[10];
  for (size_t i = 0; i < count; ++i) text[i] = digits[count - 1 - i];
  return Append(text, count);
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
