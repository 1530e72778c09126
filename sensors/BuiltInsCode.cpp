#include "sensors/BuiltInsCode.h"

#include <cstring>

#include "chipwatch/ChipwatchApi.h"
#include "shared/Globals.h"
#include "sensors/BuiltInReadings.h"
#include "sensors/BuiltInState.h"
#include "sensors/BuiltInPass.h"
#include "sensors/core/BuiltInGraphs.h"
#include "sensors/core/HardwareMonitor.h"
#include "sensors/core/SensorTexts.h"
#include "shared/VBFunctions.h"
#include "shared/core/CvlError.h"
#include "shared/core/TextBuilder.h"
#include "shared/win32/Handle.h"

// Each function has the plug-in calling convention and may raise an error
// (an overflow) to its caller, the guarded call of the refresh pass. Texts go
// straight into the caller's buffer; nothing is allocated.

namespace {

// The hardware monitor readings through the exports of Chipwatch.dll, which
// the bar links by name (the program does not start without it).
class HardwareChipReader : public HardwareReader {
 public:
  int32_t GetTemperature(int32_t channel) override { return ::GetTemperature(channel); }
  double GetVoltage(int32_t channel) override { return ::GetVoltage(channel); }
  int32_t GetFan(int32_t fan) override { return ::GetFan(fan); }
};

// A settings reload on the main thread replaces the settings while the
// display thread reads them; each sensor and check takes a whole copy, so it
// never sees half of an old and half of a new set.
class SettingsSlot {
 public:
  HardwareSettings Get() {
    Lock lock(lock_);
    return value_;
  }
  void Set(const HardwareSettings& value) {
    Lock lock(lock_);
    value_ = value;
  }

 private:
  CriticalSection lock_;
  HardwareSettings value_;
};

SettingsSlot& Slot() {
  static SettingsSlot slot;
  return slot;
}

HardwareReader& Chip() {
  static HardwareChipReader reader;  // no state of its own
  return reader;
}

int32_t Answer(bool alert) { return alert ? -1 : 0; }

// The texts hand out the quantity they show for the panel's graph.
template <int32_t Channel>
void CVL_STDCALL TemperatureSensor(char* buffer) {
  const HardwareSettings settings = Slot().Get();
  TextBuilder out(buffer);
  const int32_t degrees = TemperatureText(out, Chip(), settings, Channel);
  HandOutGraphValue(TemperatureGraphValue(settings, Channel, degrees));
}

void CVL_STDCALL ProcessorVoltagesSensor(char* buffer) {
  const HardwareSettings settings = Slot().Get();
  TextBuilder out(buffer);
  const double core = ProcessorVoltagesText(out, Chip(), settings, SeparatorCopy().Text);
  HandOutGraphValue(CoreVoltageGraphValue(settings, core));
}

void CVL_STDCALL SystemVoltagesSensor(char* buffer) {
  TextBuilder out(buffer);
  SystemVoltagesText(out, Chip(), Slot().Get(), SeparatorCopy().Text);
}

template <int32_t Fan>
void CVL_STDCALL FanSensor(char* buffer) {
  const HardwareSettings settings = Slot().Get();
  TextBuilder out(buffer);
  HandOutGraphValue(FanGraphValue(settings, FanText(out, Chip(), settings, Fan)));
}

template <int32_t Channel>
int32_t CVL_STDCALL TemperatureWarning(int32_t threshold) {
  return Answer(TemperatureCheck(Chip(), Slot().Get(), Channel, threshold));
}

int32_t CVL_STDCALL ProcessorVoltageWarning(int32_t threshold) {
  return Answer(ProcessorVoltageCheck(Chip(), Slot().Get(), threshold));
}

int32_t CVL_STDCALL SystemVoltageWarning(int32_t threshold) {
  return Answer(SystemVoltageCheck(Chip(), Slot().Get(), threshold));
}

template <int32_t Fan>
int32_t CVL_STDCALL FanWarning(int32_t threshold) {
  return Answer(FanCheck(Chip(), Slot().Get(), Fan, threshold));
}

constexpr int32_t kFirstSensor = 16;
const TSensorFunction kSensors[] = {
    TemperatureSensor<1>,    TemperatureSensor<2>,  TemperatureSensor<3>,
    TemperatureSensor<4>,    ProcessorVoltagesSensor, SystemVoltagesSensor,
    FanSensor<1>,            FanSensor<2>,          FanSensor<3>,
};

constexpr int32_t kFirstWarning = 4;
const TWarningFunction kWarnings[] = {
    TemperatureWarning<1>,   TemperatureWarning<2>, TemperatureWarning<3>,
    TemperatureWarning<4>,   ProcessorVoltageWarning, SystemVoltageWarning,
    FanWarning<1>,           FanWarning<2>,         FanWarning<3>,
};

constexpr int32_t kEntries = sizeof kSensors / sizeof kSensors[0];
static_assert(kEntries == sizeof kWarnings / sizeof kWarnings[0], "one warning per sensor");

// Sensor 16-24 (four temperatures, processor voltages, system voltages,
// three fans); none for other numbers.
TSensorFunction HardwareSensorFunction(int32_t number) {
  if (number < kFirstSensor || number >= kFirstSensor + kEntries) return nullptr;
  return kSensors[number - kFirstSensor];
}

// Kind 4-12; none for other numbers.
TWarningFunction HardwareCheckFunction(int32_t number) {
  if (number < kFirstWarning || number >= kFirstWarning + kEntries) return nullptr;
  return kWarnings[number - kFirstWarning];
}

}  // namespace

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
    // Asks the library once whether the chip is there (the answer is not
    // used); it also creates the library's key of scale factors.
    InitialiseLM78();
    char windows[260] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    CopyInto(state.WindowsDriveRoot, LeftText(windows, 3));
    TakeBarDC(state);
    StartBuiltInCounters();
  }
  RegistrySettings registry;
  Slot().Set(ReadHardwareSettings(registry));
  CopyInto(state.MultiInfoSeparator,
           SeparatorFrom(GetSetting(kAppName, "Settings", "MultiInfoSep", "/")));
}

std::string MultiInfoSeparator() { return BuiltIns().MultiInfoSeparator; }
