#include "tests/perf/PortablePass.h"

#include <cstring>

#include "sensors/core/BuiltInCatalogue.h"
#include "sensors/core/DialUpTimer.h"
#include "sensors/core/HardwareMonitor.h"
#include "sensors/core/SensorTexts.h"
#include "shared/core/PluginOperations.h"
#include "shared/core/TextBuilder.h"
#include "tests/fakes/MemorySettings.h"
#include "tests/fakes/SensorTextStrings.h"

namespace {

constexpr uint32_t kMb = 1048576;
const char* const kSep = " / ";

// A busy machine, so that the texts run long.
class Chip : public HardwareReader {
 public:
  int32_t GetTemperature(int32_t channel) override { return 38 + channel; }
  double GetVoltage(int32_t channel) override {
    static const double kVolts[8] = {0, 2.5, 2.48, 3.31, 5.01, 12.14, -11.99, -5.04};
    return kVolts[channel & 7];
  }
  int32_t GetFan(int32_t fan) override { return 2250 + fan; }
};

struct Readings {
  MemoryReadings memory{uint64_t(3) << 30, 67};
  DiskCacheReadings cache{64 * kMb, 3, 1};
  DiskReadings disks;
  DialUpReadings dialUp;
  DialUpTimer timer;
  PowerReadings power{80, 3725};
  DisplayReadings display{1024, 768, 1, 16};
  MonitorRect desktop{-1024, 0, 2048, 768};
  WindowCounts windows{9, 31, 5, 2};
  Chip chip;
  HardwareSettings hardware;

  Readings() {
    disks.Reads = 5 * kMb;
    disks.Writes = 0x80000000u;
    for (int i = 0; i < 26; ++i) disks.FixedDriveFree.push_back(uint64_t(1000 + 997 * i) * kMb);
    dialUp.Windows98 = true;
    dialUp.Speed = 28800;
    dialUp.Received = 2560;
    dialUp.Sent = 3584;
    dialUp.Now = 600000;
    timer.StartTiming(1000);
    hardware.HardwareEnabled = true;
    hardware.TempComp[2] = -3;
    hardware.FanType[1] = 1;
    hardware.FanType[2] = 2;
    hardware.FanType[3] = 3;
  }
};

Readings& R() {
  static Readings readings;
  return readings;
}

// The built-in sensor functions, as the bar binds them, over the readings.
#define SENSOR(name, body)              \
  void CVL_STDCALL name(char* buffer) { \
    TextBuilder out(buffer);            \
    body;                               \
  }
SENSOR(Cpu, CpuUsageText(out, 100))
SENSOR(Memory, MemoryText(out, R().memory, kSep))
SENSOR(Cache, DiskCacheText(out, R().cache, kSep))
SENSOR(Disks, DiskInfoText(out, R().disks, kSep))
SENSOR(DialUp, DialUpText(out, R().dialUp, R().timer, kSep))
SENSOR(Running, RunningTimeText(out, 18462000))
SENSOR(Swap, SwapFileText(out, SwapFileReadings{64 * kMb, 10 * kMb}, kSep))
SENSOR(Network, NetworkText(out, 3 * kMb, kMb / 2, kSep))
SENSOR(Processes, ProcessesText(out, 57, 420, kSep))
SENSOR(Battery, BatteryText(out, R().power, kSep))
SENSOR(Display, DisplayText(out, R().display, kSep))
SENSOR(Monitors, MonitorsText(out, 2, R().desktop, kSep))
SENSOR(Windows, WindowsText(out, R().windows, kSep))
SENSOR(Temperature1, TemperatureText(out, R().chip, R().hardware, 1))
SENSOR(Temperature2, TemperatureText(out, R().chip, R().hardware, 2))
SENSOR(Temperature3, TemperatureText(out, R().chip, R().hardware, 3))
SENSOR(Temperature4, TemperatureText(out, R().chip, R().hardware, 4))
SENSOR(CoreVolts, ProcessorVoltagesText(out, R().chip, R().hardware, kSep))
SENSOR(SystemVolts, SystemVoltagesText(out, R().chip, R().hardware, kSep))
SENSOR(Fan1, FanText(out, R().chip, R().hardware, 1))
SENSOR(Fan2, FanText(out, R().chip, R().hardware, 2))
SENSOR(Fan3, FanText(out, R().chip, R().hardware, 3))
#undef SENSOR

struct SensorEntry {
  int number;
  TSensorFunction fn;
};
const SensorEntry kSensorTable[PortablePass::kSensors] = {
    {1, Cpu},           {2, Memory},        {3, Cache},         {4, Disks},
    {5, DialUp},        {6, Running},       {7, Swap},          {8, Network},
    {9, Processes},     {11, Battery},      {13, Display},      {14, Monitors},
    {15, Windows},      {16, Temperature1}, {17, Temperature2}, {18, Temperature3},
    {19, Temperature4}, {20, CoreVolts},    {21, SystemVolts},  {22, Fan1},
    {23, Fan2},         {24, Fan3},
};

int32_t Answer(bool alert) { return alert ? -1 : 0; }

#define CHECK(name, expr) \
  int32_t CVL_STDCALL name(int32_t threshold) { return Answer(expr); }
CHECK(DiskSpace, DiskSpaceCheck(5000 * uint64_t(kMb), threshold))
CHECK(ConnectionTime, ConnectionTimeCheck(R().dialUp, R().timer, threshold))
CHECK(Battery3, BatteryCheck(R().power.Percent, threshold))
CHECK(Temp1, TemperatureCheck(R().chip, R().hardware, 1, threshold))
CHECK(Temp2, TemperatureCheck(R().chip, R().hardware, 2, threshold))
CHECK(Temp3, TemperatureCheck(R().chip, R().hardware, 3, threshold))
CHECK(Temp4, TemperatureCheck(R().chip, R().hardware, 4, threshold))
CHECK(CoreVoltage, ProcessorVoltageCheck(R().chip, R().hardware, threshold))
CHECK(SystemVoltage, SystemVoltageCheck(R().chip, R().hardware, threshold))
CHECK(FanSpeed1, FanCheck(R().chip, R().hardware, 1, threshold))
CHECK(FanSpeed2, FanCheck(R().chip, R().hardware, 2, threshold))
CHECK(FanSpeed3, FanCheck(R().chip, R().hardware, 3, threshold))
CHECK(MemoryLoad, MemoryLoadCheck(R().memory.Load, threshold))
CHECK(SwapFile, SwapFileCheck(64 * kMb, threshold))
CHECK(RunningTime, RunningTimeCheck(18462000, threshold))
#undef CHECK

// Kind n: its check, a threshold at which the condition holds and one at
// which it does not.
struct WarningEntry {
  TWarningFunction fn;
  int32_t holds, clear;
};
const WarningEntry kWarningTable[kBuiltInWarningCount] = {
    {DiskSpace, 6000, 10},     {ConnectionTime, 1, 1000}, {Battery3, 90, 10},
    {Temp1, 30, 90},           {Temp2, 30, 90},           {Temp3, 30, 90},
    {Temp4, 30, 90},           {CoreVoltage, 0, 50},      {SystemVoltage, 0, 50},
    {FanSpeed1, 9000, 100},    {FanSpeed2, 9000, 100},    {FanSpeed3, 9000, 100},
    {MemoryLoad, 50, 90},      {SwapFile, 10, 100},       {RunningTime, 10, 1000},
};

// Runs every call in place; loads nothing.
class DirectLoader : public LibraryLoader {
 public:
  uintptr_t Load(const std::string&) override { return 0; }
  void* Find(uintptr_t, const char*) override { return nullptr; }
  void Release(uintptr_t) override {}
  void Invoke(PluginCall& call) override { call.body(call); }
};

class Host : public TWarningHost {
 public:
  TBuiltInWarning BuiltInWarning(int32_t) override { return TBuiltInWarning(); }
  bool StoppedResponding(TWarningFunction) override { return false; }
  void RaiseWarning(const std::string& text) override { alerts.push_back(text); }
  void ShowError(const std::string&, const std::string&, const std::string&) override {}

  std::vector<std::string> alerts;
};

}  // namespace

struct PortablePass::Parts {
  DirectLoader loader;
  MemorySettings settings;
  PluginContract contract{loader, settings};
  Host host;
  TWarnings warnings{host, contract};
};

PortablePass::PortablePass() : parts_(new Parts) {
  R();
  for (int i = 0; i < kWarnings; ++i) {
    const int kind = i % kBuiltInWarningCount;
    const WarningEntry& e = kWarningTable[kind];
    // Every other warning holds: after its first alert it stays fired.
    parts_->warnings.AddWarning(e.fn, i % 2 == 0 ? e.holds : e.clear,
                                BuiltInWarningMessage(kind + 1), BuiltInWarningUnits(kind + 1));
  }
  std::memset(texts_, 0, sizeof texts_);
}

PortablePass::~PortablePass() = default;

void PortablePass::RunSensors() {
  for (int i = 0; i < kSensors; ++i) parts_->contract.CallSensorFunction(kSensorTable[i].fn, texts_[i]);
}

void PortablePass::RunWarnings() {
  TWarnings& list = parts_->warnings;
  for (int i = 1; i <= list.Count(); ++i) list.Items(i).Check();
}

int PortablePass::SensorNumber(int i) const { return kSensorTable[i].number; }
TSensorFunction PortablePass::Sensor(int i) const { return kSensorTable[i].fn; }

std::string PortablePass::CallForString(TSensorFunction fn) {
  return SensorText(parts_->contract, fn);
}

const std::vector<std::string>& PortablePass::Alerts() const { return parts_->host.alerts; }
