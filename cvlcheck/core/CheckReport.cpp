#include "cvlcheck/core/CheckReport.h"

#include "shared/core/VBText.h"

void CheckReport::Line(const std::string& text) {
  lines_.push_back(text);
  if (echo_) echo_(text);
}

void CheckReport::Problem(const std::string& text) {
  ++problems_;
  Line("PROBLEM " + text);
}

std::string CheckReport::Text() const {
  std::string text;
  for (const std::string& line : lines_) text += line + "\n";
  return text;
}

std::string QuotedText(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      quoted += static_cast<char>(c);
    } else {
      quoted += "\\x";
      quoted += kHex[c >> 4];
      quoted += kHex[c & 0xF];
    }
  }
  return quoted + "\"";
}

std::string CallTime(double milliseconds) {
  const int32_t whole = milliseconds < 0 ? 0 : static_cast<int32_t>(milliseconds + 0.5);
  return "[" + IntToText(whole) + " ms]";
}
