#include "shared/core/PluginContract.h"

#include <cstring>

std::string TextFromBuffer(const char* buffer) {
  // A plug-in may fill all 80 bytes without a terminating NUL.
  const void* nul = std::memchr(buffer, '\0', kTextBufferSize);
  const size_t n = nul ? static_cast<size_t>(static_cast<const char*>(nul) - buffer)
                       : static_cast<size_t>(kTextBufferSize);
  return std::string(buffer, n);
}

void TextToBuffer(const std::string& text, char* buffer) {
  const size_t n = text.size() < kTextBufferSize - 1 ? text.size() : kTextBufferSize - 1;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}
