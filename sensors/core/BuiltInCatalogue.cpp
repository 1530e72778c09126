#include "sensors/core/BuiltInCatalogue.h"

#include "shared/core/CvlError.h"

namespace {

// The names of 16 to 19 end with a blank.
const char* const kSensorNames[kBuiltInSensorCount] = {
    "CPU Usage",
    "System Memory : Free / Load",
    "Disk Cache : Size / Percentage Hits",
    "Disk Information : Writes / Reads / [All Fixed Drives Free Space]",
    "Dial Up Internet Connection Information : Time Connected [/ Connection Speed / Recieved / "
    "Sent]-Windows 98 Only",
    "Windows Running Time",
    "Swap File : Size / Usage",
    "Microsoft-Network : Reads / Writes",
    "Active Processes : No. of Processes / No. of Threads",
    "Current Time",
    "Battery Status : Percentage Free / Time Remaining",
    "Current Date",
    "Primary Display : Resolution / Colour Depth",
    "Multiple Monitor Info : No. Of Monitors / Total Desktop Size",
    "Windows : Visible / Minimised / Total",
    "System Temperature : Temperature 1 ",
    "System Temperature : Temperature 2 ",
    "System Temperature : Temperature 3 ",
    "System Temperature : Temperature 4 ",
    "CPU Voltages : Core / I/O",
    "System Voltages : +5V / -5V / +12V / -12V",
    "Fans Speed : Fan 1",
    "Fans Speed : Fan 2",
    "Fans Speed : Fan 3",
};

struct WarningTexts {
  const char* message;
  const char* units;
};

// "\xB0" is the ANSI degree sign.
const WarningTexts kWarnings[kBuiltInWarningCount] = {
    {"Disk space has dropped below", "Mb"},
    {"Internet Connection Time has exceeded", "Mins"},
    {"Battery Power has dropped below", "%"},
    {"Temperature 1 has risen above", "\xB0" "C"},
    {"Temperature 2 has risen above", "\xB0" "C"},
    {"Temperature 3 has risen above", "\xB0" "C"},
    {"Temperature 4 has risen above", "\xB0" "C"},
    {"A CPU Voltage has deviated beyond", "%"},
    {"A System Voltage has deviated beyond", "%"},
    {"Fan 1 speed has dropped below", "rpm"},
    {"Fan 2 speed has dropped below", "rpm"},
    {"Fan 3 speed has dropped below", "rpm"},
    {"Memory Load has exceeded", "%"},
    {"Swap File size has exceeded", "Mb"},
    {"Windows has been running longer than", "Mins"},
};

const WarningTexts& Warning(int32_t number) {
  if (number < 1 || number > kBuiltInWarningCount) throw RangeCheckError();
  return kWarnings[number - 1];
}

}  // namespace

const char* BuiltInSensorName(int32_t number) {
  if (number < 1 || number > kBuiltInSensorCount) throw RangeCheckError();
  return kSensorNames[number - 1];
}

const char* BuiltInWarningMessage(int32_t number) { return Warning(number).message; }
const char* BuiltInWarningUnits(int32_t number) { return Warning(number).units; }
