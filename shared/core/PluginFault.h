#pragma once
// The error that a processor exception inside plug-in code becomes. Callers
// that want to stop using a faulting function tell it apart from an ordinary
// CvlError by its type.
#include <string>

#include "shared/core/CvlError.h"

// A processor exception (access violation, divide by zero, illegal
// instruction ...) raised inside plug-in code, turned into an ordinary error.
class PluginFault : public CvlError {
 public:
  PluginFault(unsigned long code, const std::string& text) : CvlError(text), code_(code) {}
  unsigned long Code() const { return code_; }

 private:
  unsigned long code_;
};

// A call into plug-in code that has not returned within kCallHangLimitMs.
// The caller stops waiting for it and treats the function as a faulting one:
// out of service for good, while its library stays loaded.
class PluginHang : public PluginFault {
 public:
  explicit PluginHang(const std::string& text) : PluginFault(0, text) {}
};

// "Exception C0000005 (access violation)": the text a fault carries.
std::string FaultText(unsigned long code);
