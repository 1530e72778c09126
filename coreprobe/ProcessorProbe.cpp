#include "coreprobe/ProcessorProbe.h"

#include <windows.h>

#include <cpuid.h>

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

}  // namespace

bool X86Instructions::HasCpuid() { return FlagToggles(kIdFlag); }

bool X86Instructions::HasAlignmentCheck() { return FlagToggles(kAlignmentCheckFlag); }

CpuidResult X86Instructions::Cpuid(uint32_t leaf) {
  CpuidResult r;
  __cpuid(leaf, r.eax, r.ebx, r.ecx, r.edx);
  return r;
}

WindowsSpeedClock::WindowsSpeedClock() {
  LARGE_INTEGER frequency;
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0)
    performanceFrequency_ = static_cast<uint64_t>(frequency.QuadPart);
}

uint64_t WindowsSpeedClock::Cycles() { return __builtin_ia32_rdtsc(); }

uint64_t WindowsSpeedClock::Ticks() {
  if (performanceFrequency_ == 0) return GetTickCount();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<uint64_t>(now.QuadPart);
}

uint64_t WindowsSpeedClock::TicksPerSecond() {
  return performanceFrequency_ != 0 ? performanceFrequency_ : 1000;
}

void WindowsSpeedClock::Wait() {
  Sleep(performanceFrequency_ != 0 ? kPerformanceCounterInterval : kTickCountInterval);
}
