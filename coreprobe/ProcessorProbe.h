#pragma once
// The processor's identification instructions and a Windows timer for the
// clock speed measurement (x86, 32-bit).
#include "coreprobe/core/ProcessorId.h"

class X86Instructions : public CpuInstructions {
 public:
  bool HasCpuid() override;
  bool HasAlignmentCheck() override;
  CpuidResult Cpuid(uint32_t leaf) override;
};

// The time-stamp counter against the performance counter (or, where there is
// none, the tick count over a longer interval).
class WindowsSpeedClock : public SpeedClock {
 public:
  WindowsSpeedClock();
  uint64_t Cycles() override;
  uint64_t Ticks() override;
  uint64_t TicksPerSecond() override;
  void Wait() override;

 private:
  uint64_t performanceFrequency_ = 0;
};
