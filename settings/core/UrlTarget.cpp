#include "settings/core/UrlTarget.h"

std::string TrimText(const std::string& text) {
  const char* blanks = " \t\r\n";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

std::string UrlLabelTarget(const std::string& url, const std::string& caption) {
  std::string target = TrimText(url);
  return target.empty() ? TrimText(caption) : target;
}
