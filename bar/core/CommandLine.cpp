#include "bar/core/CommandLine.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::string CommandLineItem(const std::string& commandLine, int n) {
  size_t i = 0;
  for (int index = 0;; ++index) {
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    if (i >= commandLine.size()) return std::string();
    std::string item;
    bool quoted = false;
    for (; i < commandLine.size() && (quoted || !IsBlank(commandLine[i])); ++i) {
      if (commandLine[i] == '"')
        quoted = !quoted;
      else
        item += commandLine[i];
    }
    if (index == n) return item;
  }
}
