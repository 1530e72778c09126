// The exports of Coreprobe.dll: each call asks the processor afresh.
#include <cstring>

#include "coreprobe/CoreprobeApi.h"
#include "coreprobe/ProcessorProbe.h"

namespace {
ProcessorInfo Processor() {
  X86Instructions cpu;
  return IdentifyProcessor(cpu);
}
}  // namespace

extern "C" {

void WINAPI GetCPUInfoVendorID(char* buffer) {
  if (buffer == nullptr) return;
  ProcessorInfo info = Processor();
  std::memcpy(buffer, info.vendor, sizeof info.vendor);
}

LONG WINAPI GetCPUInfoFamily() { return Processor().family; }

LONG WINAPI GetCPUInfoModel() { return Processor().model; }

BOOLEAN WINAPI GetMMX() { return Processor().mmx ? TRUE : FALSE; }

BOOLEAN WINAPI GetOverdrive() { return Processor().overdrive ? TRUE : FALSE; }

LONG WINAPI GetSpeed() {
  WindowsSpeedClock clock;
  return MeasureSpeedMHz(Processor(), clock);
}

}  // extern "C"
