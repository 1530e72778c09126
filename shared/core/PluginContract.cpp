#include "shared/core/PluginContract.h"

#include <cstring>

size_t TextBufferLength(const char* buffer) {
  // A plug-in may fill all 80 bytes without a terminating NUL.
  const void* nul = std::memchr(buffer, '\0', kTextBufferSize);
  return nul ? static_cast<size_t>(static_cast<const char*>(nul) - buffer)
             : static_cast<size_t>(kTextBufferSize);
}

std::string TextFromBuffer(const char* buffer) {
  return std::string(buffer, TextBufferLength(buffer));
}

void TextToBuffer(const std::string& text, char* buffer) {
  const size_t n = text.size() < kTextBufferSize - 1 ? text.size() : kTextBufferSize - 1;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}
