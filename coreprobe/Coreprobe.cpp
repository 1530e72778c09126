// The exports of Coreprobe.dll: each call asks the processor afresh.
#include <cpuid.h>

#include <cstring>

#include "coreprobe/CoreprobeApi.h"
#include "coreprobe/core/ProcessorId.h"

namespace {

// Whether a flag of EFLAGS can be changed; restores EFLAGS afterwards. On a
// 386 the AC flag is fixed, before CPUID the ID flag is.
bool FlagToggles(uint32_t flag) {
  uint32_t before = 0;
  uint32_t after = 0;
  asm volatile(
      "pushfl\n\t"
      "pushfl\n\t"
      "popl %0\n\t"
      "movl %0, %1\n\t"
      "xorl %2, %1\n\t"
      "pushl %1\n\t"
      "popfl\n\t"
      "pushfl\n\t"
      "popl %1\n\t"
      "popfl"
      : "=&r"(before), "=&r"(after)
      : "ri"(flag)
      : "cc");
  return ((before ^ after) & flag) != 0;
}

constexpr uint32_t kIdFlag = 1u << 21;
constexpr uint32_t kAlignmentCheckFlag = 1u << 18;
// Long enough for a steady reading, short enough for a dialog to wait on.
constexpr DWORD kPerformanceCounterInterval = 100;
// The tick count moves in 55 ms steps on Windows 9x.
constexpr DWORD kTickCountInterval = 500;

// The processor's identification instructions (x86, 32-bit).
class X86Instructions : public CpuInstructions {
 public:
  bool HasCpuid() override { return FlagToggles(kIdFlag); }
  bool HasAlignmentCheck() override { return FlagToggles(kAlignmentCheckFlag); }
  CpuidResult Cpuid(uint32_t leaf) override {
    CpuidResult r;
    __cpuid(leaf, r.eax, r.ebx, r.ecx, r.edx);
    return r;
  }
};

// The time-stamp counter against the performance counter (or, where there is
// none, the tick count over a longer interval).
class WindowsSpeedClock : public SpeedClock {
 public:
  WindowsSpeedClock() {
    LARGE_INTEGER frequency;
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
      performanceFrequency_ = static_cast<uint64_t>(frequency.QuadPart);
  }
  uint64_t Cycles() override { return __builtin_ia32_rdtsc(); }
  uint64_t Ticks() override {
    if (performanceFrequency_ == 0) return GetTickCount();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<uint64_t>(now.QuadPart);
  }
  uint64_t TicksPerSecond() override {
    return performanceFrequency_ != 0 ? performanceFrequency_ : 1000;
  }
  void Wait() override {
    Sleep(performanceFrequency_ != 0 ? kPerformanceCounterInterval : kTickCountInterval);
  }

 private:
  uint64_t performanceFrequency_ = 0;
};

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
