#pragma once
// Composes a text in a caller's fixed buffer without touching the heap, so
// the texts of a refresh pass go straight into the 80-byte buffer a sensor
// function is given. What does not fit is cut off: the buffer always holds a
// NUL-terminated prefix of the whole text, and Truncated() tells that
// something was cut.
#include <cstddef>
#include <cstdint>
#include <string>

#include "shared/core/PluginOperations.h"

class TextBuilder {
 public:
  // The buffer holds size bytes: at most size - 1 characters and a NUL (79
  // for a TextBuffer). It is emptied at once.
  explicit TextBuilder(char* buffer, size_t size = kTextBufferSize);
  TextBuilder(const TextBuilder&) = delete;
  TextBuilder& operator=(const TextBuilder&) = delete;

  TextBuilder& Append(const char* text);  // up to its NUL; nullptr appends nothing
  TextBuilder& Append(const char* text, size_t length);
  TextBuilder& Append(char c);
  // Decimal, "-" for negatives, as IntToText.
  TextBuilder& AppendInt(int32_t n);
  TextBuilder& AppendUnsigned(uint32_t n);
  // "0" before a number below 10.
  TextBuilder& AppendPadTwo(uint32_t n);
  // Two decimals as "%.2f" prints them, "-0.00" shown as "0.00".
  TextBuilder& AppendFixed2(double x);
  // H:MM:SS with unpadded hours; counts past 2^31 ms keep the same face.
  TextBuilder& AppendDuration(uint32_t ms);

  // Shortens the text to its first length characters (no effect when it is
  // shorter already).
  void Cut(size_t length);

  const char* Text() const { return buffer_; }
  size_t Length() const { return length_; }
  size_t Capacity() const { return capacity_; }
  // Something appended did not fit.
  bool Truncated() const { return truncated_; }

 private:
  char* buffer_;
  size_t capacity_;
  size_t length_ = 0;
  bool truncated_ = false;
};

// The text compose(out) writes, as a string cut to 79 characters like a
// TextBuffer. For callers outside the refresh pass (tests, dialogs).
template <typename Compose>
std::string ComposedText(Compose compose) {
  TextBuffer buffer;
  TextBuilder out(buffer);
  compose(out);
  return std::string(out.Text(), out.Length());
}
