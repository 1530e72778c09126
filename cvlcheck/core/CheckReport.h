#pragma once
// The checker's report: plain text, one finding a line, so that two runs can
// be compared with diff. Problem lines start with "PROBLEM ".
#include <functional>
#include <string>
#include <utility>
#include <vector>

class CheckReport {
 public:
  // echo, when given, receives every line as it is added: a plug-in that
  // brings the whole checker down still leaves the lines before the crash.
  explicit CheckReport(std::function<void(const std::string&)> echo = nullptr)
      : echo_(std::move(echo)) {}
  void Line(const std::string& text);
  void Problem(const std::string& text);
  int Problems() const { return problems_; }
  const std::vector<std::string>& Lines() const { return lines_; }
  // The whole report, each line ended by a line break.
  std::string Text() const;

 private:
  std::function<void(const std::string&)> echo_;
  std::vector<std::string> lines_;
  int problems_ = 0;
};

// A plug-in's text between double quotes; bytes outside printable ASCII as
// \xNN, so that a report stays one line a finding whatever the plug-in wrote.
std::string QuotedText(const std::string& text);
// "[3 ms]": how long a call took, in whole milliseconds.
std::string CallTime(double milliseconds);
