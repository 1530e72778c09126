#pragma once
// The portable work of one refresh pass over fixed readings, shared by the
// allocation test and the micro-benchmark: the texts of built-ins 1-24
// (except 10 and 12, which are the system's own time and date formats)
// composed by functions of the sensor function type, and 100 warnings whose
// checks have the warning function type. Both go through the plug-in
// contract's guarded calls, over a loader that runs them directly.
#include <memory>
#include <string>
#include <vector>

#include "sensors/core/WarningObjectCode.h"
#include "shared/core/PluginOperations.h"

class PortablePass {
 public:
  static constexpr int kSensors = 22;
  static constexpr int kWarnings = 100;

  PortablePass();
  ~PortablePass();
  PortablePass(const PortablePass&) = delete;
  PortablePass& operator=(const PortablePass&) = delete;

  // Every sensor into its own buffer through the guarded buffer call.
  void RunSensors();
  // Every warning's Check, in list order.
  void RunWarnings();
  void Run() {
    RunSensors();
    RunWarnings();
  }

  // Sensor i (0-based): its built-in number, its function, its last text.
  int SensorNumber(int i) const;
  TSensorFunction Sensor(int i) const;
  const char* Text(int i) const { return texts_[i]; }
  // The guarded string form, for comparison with the buffer form.
  std::string CallForString(TSensorFunction fn);
  // Alerts raised so far (warnings whose condition holds alert once).
  const std::vector<std::string>& Alerts() const;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
  TextBuffer texts_[kSensors];
};
