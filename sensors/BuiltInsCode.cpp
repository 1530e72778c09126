#include "sensors/BuiltInsCode.h"

#include <cstring>

#include "shared/Globals.h"
#include "sensors/BuiltInFunctions.h"
#include "sensors/BuiltInReadings.h"
#include "sensors/BuiltInState.h"
#include "sensors/HardwareEntries.h"
#include "sensors/core/BuiltInGraphs.h"
#include "sensors/core/SensorTexts.h"
#include "shared/VBFunctions.h"
#include "shared/core/CvlError.h"

BuiltInState& BuiltIns() {
  static BuiltInState state;
  return state;
}

TBuiltInSensor BuiltInSensor(int32_t number) {
  TBuiltInSensor entry;
  entry.Name = BuiltInSensorName(number);  // raises outside 1-24
  entry.Function = number <= kSystemSensorCount ? SystemSensorFunction(number)
                                                : HardwareSensorFunction(number);
  entry.Scale = BuiltInGraphScale(number);
  return entry;
}

TBuiltInWarning BuiltInWarning(int32_t number) {
  TBuiltInWarning entry;
  entry.Message = BuiltInWarningMessage(number);  // raises outside 1-15
  entry.Units = BuiltInWarningUnits(number);
  const bool hardware = number >= 4 && number <= 12;
  entry.Function = hardware ? HardwareCheckFunction(number) : SystemCheckFunction(number);
  return entry;
}

namespace {

void TakeBarDC(BuiltInState& state) {
  HWND bar = BarWindowHandle();
  // Kept for the life of the program; taken again only for a new bar window,
  // so that a second start-up call does not leak a display context.
  if (state.BarDC && state.BarWindow == bar) return;
  if (state.BarDC) ReleaseDC(state.BarWindow, state.BarDC);
  state.BarWindow = bar;
  state.BarDC = GetDC(bar);
}

void CopyInto(char (&target)[4], const std::string& text) {
  char copy[4] = {};
  std::strncpy(copy, text.c_str(), 3);
  std::memcpy(target, copy, sizeof copy);
}

}  // namespace

void InitBuiltIns(bool startUp) {
  BuiltInState& state = BuiltIns();
  if (startUp) {
    HardwareStartUpProbe();
    char windows[260] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    CopyInto(state.WindowsDriveRoot, LeftText(windows, 3));
    TakeBarDC(state);
    StartBuiltInCounters();
  }
  LoadHardwareSettings();
  CopyInto(state.MultiInfoSeparator,
           SeparatorFrom(GetSetting(kAppName, "Settings", "MultiInfoSep", "/")));
}

std::string MultiInfoSeparator() { return BuiltIns().MultiInfoSeparator; }
