#include "sensors/BuiltInFunctions.h"

#include "bar/Globals.h"
#include "sensors/BuiltInReadings.h"
#include "sensors/BuiltInState.h"
#include "sensors/core/BuiltInChecks.h"
#include "sensors/core/DialUpTimer.h"
#include "sensors/core/SensorTexts.h"

// Each function has the plug-in calling convention and may raise an error
// (an overflow) to its caller, the guarded call of the refresh pass.

namespace {

std::string Sep() { return BuiltIns().MultiInfoSeparator; }

void Put(const std::string& text, char* buffer) { TextToBuffer(text, buffer); }

int32_t Answer(bool alert) { return alert ? -1 : 0; }

void CVL_STDCALL CpuUsageSensor(char* b) { Put(CpuUsageText(ReadPerfStat("KERNEL\\CPUUsage")), b); }
void CVL_STDCALL MemorySensor(char* b) { Put(MemoryText(ReadMemory(), Sep()), b); }
void CVL_STDCALL DiskCacheSensor(char* b) { Put(DiskCacheText(ReadDiskCache(), Sep()), b); }
void CVL_STDCALL DiskInfoSensor(char* b) { Put(DiskInfoText(ReadDisks(), Sep()), b); }
void CVL_STDCALL DialUpSensor(char* b) {
  Put(DialUpText(ReadDialUpForSensor(), BuiltIns().DialUp, Sep()), b);
}
void CVL_STDCALL RunningTimeSensor(char* b) { Put(RunningTimeText(GetTickCount()), b); }
void CVL_STDCALL SwapFileSensor(char* b) {
  const uint32_t size = ReadPerfStat("VMM\\cpgSwapfile");
  Put(SwapFileText(size, ReadPerfStat("VMM\\cpgSwapfileInUse"), Sep()), b);
}
void CVL_STDCALL NetworkSensor(char* b) {
  const uint32_t reads = ReadPerfStat("SMBRedir\\BReadsSec");
  Put(NetworkText(reads, ReadPerfStat("SMBRedir\\BWritesSec"), Sep()), b);
}
void CVL_STDCALL ProcessesSensor(char* b) {
  WindowCounts counts;
  CountWindows(counts);
  Put(ProcessesText(counts.Processes, ReadPerfStat("KERNEL\\Threads"), Sep()), b);
}
void CVL_STDCALL TimeSensor(char* b) { Put(LocalTimeText(), b); }
void CVL_STDCALL BatterySensor(char* b) { Put(BatteryText(ReadPower(), Sep()), b); }
void CVL_STDCALL DateSensor(char* b) { Put(LocalDateText(), b); }
void CVL_STDCALL DisplaySensor(char* b) { Put(DisplayText(ReadDisplay(BuiltIns().BarDC), Sep()), b); }
void CVL_STDCALL MonitorsSensor(char* b) {
  const int count = MonitorCount();
  Put(MonitorsText(count, VirtualDesktopRect(), Sep()), b);
}
void CVL_STDCALL WindowsSensor(char* b) {
  WindowCounts counts;
  CountWindows(counts);
  Put(WindowsText(counts, Sep()), b);
}

int32_t CVL_STDCALL DiskSpaceWarning(int32_t threshold) {
  return Answer(DiskSpaceCheck(FreeBytesOn(BuiltIns().WindowsDriveRoot), threshold));
}
int32_t CVL_STDCALL ConnectionTimeWarning(int32_t threshold) {
  return Answer(ConnectionTimeCheck(ReadDialUpForCheck(), BuiltIns().DialUp, threshold));
}
int32_t CVL_STDCALL BatteryWarning(int32_t threshold) {
  return Answer(BatteryCheck(ReadPower().Percent, threshold));
}
int32_t CVL_STDCALL MemoryLoadWarning(int32_t threshold) {
  return Answer(MemoryLoadCheck(ReadMemory().Load, threshold));
}
int32_t CVL_STDCALL SwapFileWarning(int32_t threshold) {
  return Answer(SwapFileCheck(ReadPerfStat("VMM\\cpgSwapfile"), threshold));
}
int32_t CVL_STDCALL RunningTimeWarning(int32_t threshold) {
  return Answer(RunningTimeCheck(GetTickCount(), threshold));
}

const TSensorFunction kSensors[kSystemSensorCount] = {
    CpuUsageSensor,   MemorySensor,   DiskCacheSensor, DiskInfoSensor,  DialUpSensor,
    RunningTimeSensor, SwapFileSensor, NetworkSensor,  ProcessesSensor, TimeSensor,
    BatterySensor,    DateSensor,     DisplaySensor,   MonitorsSensor,  WindowsSensor,
};

}  // namespace

TSensorFunction SystemSensorFunction(int32_t number) {
  if (number < 1 || number > kSystemSensorCount) return nullptr;
  return kSensors[number - 1];
}

TWarningFunction SystemCheckFunction(int32_t number) {
  switch (number) {
    case 1: return DiskSpaceWarning;
    case 2: return ConnectionTimeWarning;
    case 3: return BatteryWarning;
    case 13: return MemoryLoadWarning;
    case 14: return SwapFileWarning;
    case 15: return RunningTimeWarning;
    default: return nullptr;
  }
}
