#include "sensors/BuiltInsCode.h"

#include <cstring>
#include <optional>

#include "shared/Globals.h"
#include "sensors/BuiltInPass.h"
#include "sensors/BuiltInReadings.h"
#include "sensors/BuiltInState.h"
#include "sensors/core/BuiltInGraphs.h"
#include "sensors/core/DialUpTimer.h"
#include "sensors/core/SensorTexts.h"
#include "shared/core/TextBuilder.h"

// Each function has the plug-in calling convention and may raise an error
// (an overflow) to its caller, the guarded call of the refresh pass. The
// texts are composed straight into the caller's buffer: a pass allocates
// nothing. A sensor with a quantity hands its graph's value out of the very
// reading its text shows.

namespace {

int32_t Answer(bool alert) { return alert ? -1 : 0; }

// A sensor whose text and graph value come from one reading.
template <typename R, R (*Read)(), void (*Text)(TextBuilder&, const R&, const char*),
          std::optional<int32_t> (*GraphValue)(const R&)>
void CVL_STDCALL ReadingSensor(char* b) {
  const R reading = Read();
  TextBuilder out(b);
  Text(out, reading, SeparatorCopy().Text);
  HandOutGraphValue(GraphValue(reading));
}

void CVL_STDCALL CpuUsageSensor(char* b) {
  const uint32_t usage = ReadCpuUsage();
  TextBuilder out(b);
  CpuUsageText(out, usage);
  HandOutGraphValue(CpuUsageGraphValue(usage));
}
void CVL_STDCALL DialUpSensor(char* b) {
  TextBuilder out(b);
  DialUpText(out, ReadDialUpForSensor(), BuiltIns().DialUp, SeparatorCopy().Text);
}
void CVL_STDCALL RunningTimeSensor(char* b) {
  TextBuilder out(b);
  RunningTimeText(out, GetTickCount());
}
void CVL_STDCALL NetworkSensor(char* b) {
  const uint32_t reads = PassReadPerfStat("SMBRedir\\BReadsSec");
  const uint32_t writes = PassReadPerfStat("SMBRedir\\BWritesSec");
  TextBuilder out(b);
  NetworkText(out, reads, writes, SeparatorCopy().Text);
  HandOutGraphValue(NetworkGraphValue(reads, writes));
}
void CVL_STDCALL ProcessesSensor(char* b) {
  WindowCounts counts;
  PassWindowCounts(counts);
  const uint32_t threads = ReadThreadCount();
  TextBuilder out(b);
  ProcessesText(out, counts.Processes, threads, SeparatorCopy().Text);
  HandOutGraphValue(ThreadsGraphValue(threads));
}
void CVL_STDCALL TimeSensor(char* b) {
  TextBuilder out(b);
  LocalTimeText(out);
}
void CVL_STDCALL DateSensor(char* b) {
  TextBuilder out(b);
  LocalDateText(out);
}
void CVL_STDCALL DisplaySensor(char* b) {
  TextBuilder out(b);
  DisplayText(out, ReadDisplay(BuiltIns().BarDC), SeparatorCopy().Text);
}
void CVL_STDCALL MonitorsSensor(char* b) {
  const int count = MonitorCount();
  const MonitorRect desktop = PassVirtualDesktop();
  TextBuilder out(b);
  MonitorsText(out, count, desktop, SeparatorCopy().Text);
}
void CVL_STDCALL WindowsSensor(char* b) {
  WindowCounts counts;
  PassWindowCounts(counts);
  TextBuilder out(b);
  WindowsText(out, counts, SeparatorCopy().Text);
}

int32_t CVL_STDCALL DiskSpaceWarning(int32_t threshold) {
  return Answer(DiskSpaceCheck(PassFreeBytesOn(BuiltIns().WindowsDriveRoot), threshold));
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
  return Answer(SwapFileCheck(ReadSwapFileSize(), threshold));
}
int32_t CVL_STDCALL RunningTimeWarning(int32_t threshold) {
  return Answer(RunningTimeCheck(GetTickCount(), threshold));
}

const TSensorFunction kSensors[kSystemSensorCount] = {
    CpuUsageSensor,
    ReadingSensor<MemoryReadings, ReadMemory, MemoryText, MemoryGraphValue>,
    ReadingSensor<DiskCacheReadings, ReadDiskCache, DiskCacheText, DiskCacheGraphValue>,
    ReadingSensor<DiskReadings, ReadDisks, DiskInfoText, DiskGraphValue>,
    DialUpSensor,
    RunningTimeSensor,
    ReadingSensor<SwapFileReadings, ReadSwapFile, SwapFileText, SwapFileGraphValue>,
    NetworkSensor,
    ProcessesSensor,
    TimeSensor,
    ReadingSensor<PowerReadings, ReadPower, BatteryText, BatteryGraphValue>,
    DateSensor,
    DisplaySensor,
    MonitorsSensor,
    WindowsSensor,
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
