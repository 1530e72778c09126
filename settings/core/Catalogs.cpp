#include "settings/core/Catalogs.h"

const BuiltInSensor kBuiltInSensors[kBuiltInSensorCount] = {
    {1, "CPU Usage", 40},
    {2, "System Memory : Free & Load", 73},
    {3, "Disk Cache : Size & Percentage Hits", 76},
    {4, "Disk Information : Writes, Reads & Free Space", 139},
    {5, "Dial Up Internet Connection Information", 199},
    {6, "Windows Running Time", 55},
    {7, "Swap File : Size & Usage", 79},
    {8, "Microsoft-Network : Reads & Writes", 76},
    {9, "Active Processes : No. of Processes & Threads", 43},
    {10, "Current Time", 73},
    {11, "Battery Status : Percentage Free & Time Remaining", 97},
    {12, "Current Date", 58},
    {13, "Primary Display : Resolution & Colour Depth", 112},
    {14, "Multiple Monitor Info : No. Of Monitors & Total Desktop Size", 85},
    {15, "Windows : Visible, Minimised & Total", 70},
    {16, "System Temperature : Temperature 1 ", 43},
    {17, "System Temperature : Temperature 2 ", 43},
    {18, "System Temperature : Temperature 3 ", 43},
    {19, "System Temperature : Temperature 4 ", 43},
    {20, "CPU Voltages : Core & I/O ", 94},
    {21, "System Voltages : +5V, -5V, +12V & -12V ", 190},
    {22, "Fans Speed : Fan 1 ", 64},
    {23, "Fans Speed : Fan 2 ", 64},
    {24, "Fans Speed : Fan 3 ", 64},
};

// "\xB0" is the degree sign of the Windows Western code page.
const BuiltInWarning kBuiltInWarnings[kBuiltInWarningCount] = {
    {1, "Disk space drops below", 2, 644444444, 5, "Mb"},
    {2, "Internet Connection Time exceeds", 5, 1920, 5, "Mins"},
    {3, "Battery Power drops below", 5, 80, 1, "%"},
    {4, "Temperature 1 rises above", 5, 150, 1, "\xB0" "C"},
    {5, "Temperature 2 rises above", 5, 150, 1, "\xB0" "C"},
    {6, "Temperature 3 rises above", 5, 150, 1, "\xB0" "C"},
    {7, "Temperature 4 rises above", 5, 150, 1, "\xB0" "C"},
    {8, "CPU Voltages deviate by more than", 1, 20, 1, "%"},
    {9, "System Voltages deviate by more than", 1, 20, 1, "%"},
    {10, "Fan 1 speed drops below", 500, 20000, 500, "rpm"},
    {11, "Fan 2 speed drops below", 500, 20000, 500, "rpm"},
    {12, "Fan 3 speed drops below", 500, 20000, 500, "rpm"},
    {13, "Memory Load exceeds", 1, 99, 1, "%"},
    {14, "Swap Files size exceeds", 1, 1024, 1, "Mb"},
    {15, "Windows has been running longer than", 10, 2880, 10, "Mins"},
};

const BuiltInSensor* FindBuiltInSensor(int32_t number) {
  if (number < 1 || number > kBuiltInSensorCount) return nullptr;
  return &kBuiltInSensors[number - 1];
}

const BuiltInWarning* FindBuiltInWarning(int32_t number) {
  if (number < 1 || number > kBuiltInWarningCount) return nullptr;
  return &kBuiltInWarnings[number - 1];
}
