#pragma once
// The error raised by product code. Its text is what error boxes show after
// " Description: ", so it is worded for the user.
#include <stdexcept>
#include <string>

class CvlError : public std::runtime_error {
 public:
  explicit CvlError(const std::string& text) : std::runtime_error(text) {}
};

// Raised by checked integer arithmetic in sensor texts and checks.
inline CvlError IntOverflowError() { return CvlError("Integer overflow"); }
// Raised when a number does not lie in the range a table or list allows.
inline CvlError RangeCheckError() { return CvlError("Range check error"); }
