#pragma once
// The plug-in checker's rules. A plug-in is loaded with the bar's own library
// loader and every export it has is called through the bar's guarded calls,
// in the order the bar calls them; the report says what each answered, how
// long it took, and every way in which it breaks the contract.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shared/core/PluginOperations.h"

// The checker's report: plain text, one finding a line, so that two runs can
// be compared with diff. Problem lines start with "PROBLEM ".
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

// What the checker needs from the system besides the library loader: the
// export table, what a returned bitmap handle is, and a clock. The checker
// program answers with Win32 calls; native tests with a fake.
struct BitmapFacts {
  bool isBitmap = false;
  int32_t width = 0;
  int32_t height = 0;
};

class CheckHost {
 public:
  virtual ~CheckHost() = default;
  // Why the last load failed, in the system's words.
  virtual std::string LoadFailure() = 0;
  // Every name in the loaded library's export table.
  virtual std::vector<std::string> ExportNames(uintptr_t module) = 0;
  // The library has a thread-local storage directory.
  virtual bool HasTlsDirectory(uintptr_t module) = 0;
  // What a handle that SensorIcon returned is; the checker owns and deletes it.
  virtual BitmapFacts InspectBitmap(BitmapHandle handle) = 0;
  virtual void DeleteBitmap(BitmapHandle handle) = 0;
  // Milliseconds from any fixed point.
  virtual double Milliseconds() = 0;
};

// CvlCheck's exit codes.
constexpr int kCheckClean = 0;       // no problem found
constexpr int kCheckProblems = 1;    // one or more problems
constexpr int kCheckNotAPlugin = 2;  // the file does not load, or has no PluginFacilities

// How often the sensor function is called, to see whether its text changes;
// SensorValue, when exported, is called after each call.
constexpr int kSensorCalls = 5;

// Checks the plug-in at path and returns the exit code. After a call that
// did not return (PluginHang) the check ends and the library is not
// released: its code is still running.
int CheckPlugin(const std::string& path, LibraryLoader& loader, CheckHost& host,
                CheckReport& report);
