#pragma once
// The error raised by product code. Its text is what error boxes show after
// " Description: ", so it is worded for the user.
//
// A plain std::exception with a text of its own: the standard error classes
// keep their texts in the runtime's older, reference-counted string, which
// would bring a second string implementation into every program.
#include <exception>
#include <string>

class CvlError : public std::exception {
 public:
  explicit CvlError(const std::string& text) : text_(text) {}
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  std::string text_;
};

// Raised by checked integer arithmetic in sensor texts and checks.
inline CvlError IntOverflowError() { return CvlError("Integer overflow"); }
// Raised when a number does not lie in the range a table or list allows.
inline CvlError RangeCheckError() { return CvlError("Range check error"); }
