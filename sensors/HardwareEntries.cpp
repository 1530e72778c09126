#include "sensors/HardwareEntries.h"

#include "sensors/BuiltInPass.h"
#include "sensors/BuiltInState.h"
#include "sensors/BuiltInsCode.h"
#include "sensors/HardwareChipReader.h"
#include "sensors/core/BuiltInGraphs.h"
#include "sensors/core/HardwareChecks.h"
#include "sensors/core/HardwareTexts.h"
#include "shared/VBFunctions.h"
#include "shared/core/TextBuilder.h"
#include "shared/win32/Handle.h"

// Each function has the plug-in calling convention and may raise an error
// (an overflow) to its caller, the guarded call of the refresh pass. Texts go
// straight into the caller's buffer; nothing is allocated.

namespace {

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

}  // namespace

TSensorFunction HardwareSensorFunction(int32_t number) {
  if (number < kFirstSensor || number >= kFirstSensor + kEntries) return nullptr;
  return kSensors[number - kFirstSensor];
}

TWarningFunction HardwareCheckFunction(int32_t number) {
  if (number < kFirstWarning || number >= kFirstWarning + kEntries) return nullptr;
  return kWarnings[number - kFirstWarning];
}

void HardwareStartUpProbe() { ProbeHardwareMonitor(); }

void LoadHardwareSettings() {
  RegistrySettings registry;
  Slot().Set(ReadHardwareSettings(registry));
}
