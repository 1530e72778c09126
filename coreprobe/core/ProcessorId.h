#pragma once
// Identifying the processor from what CPUID answers, and its clock speed from
// the time-stamp counter against a timed interval. The instructions themselves
// sit behind small interfaces so the decoding is tested with given values.
#include <cstdint>

struct CpuidResult {
  uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

// The processor's own instructions.
class CpuInstructions {
 public:
  virtual ~CpuInstructions() = default;
  // Whether the ID flag (EFLAGS bit 21) can be toggled: CPUID exists.
  virtual bool HasCpuid() = 0;
  // Whether the AC flag (EFLAGS bit 18) can be toggled: a 486 or later.
  virtual bool HasAlignmentCheck() = 0;
  // Only called when HasCpuid() holds.
  virtual CpuidResult Cpuid(uint32_t leaf) = 0;
};

struct ProcessorInfo {
  char vendor[13] = {};  // "GenuineIntel"; empty without CPUID
  int32_t family = 0;
  int32_t model = 0;
  bool mmx = false;
  bool overdrive = false;
  bool timeStampCounter = false;
};

// The vendor text of CPUID leaf 0: EBX, EDX, ECX as twelve characters.
void VendorText(uint32_t ebx, uint32_t edx, uint32_t ecx, char out[13]);
// Family and model of a CPUID signature (leaf 1 EAX), with the extended
// fields: the extended family counts when the family is 15, the extended
// model when the family is 6 or above.
int32_t FamilyOf(uint32_t signature);
int32_t ModelOf(uint32_t signature);
// Processor type 1 (bits 12-13 of the signature) is an OverDrive processor.
bool IsOverdrive(uint32_t signature);
constexpr uint32_t kMmxFeature = 1u << 23;             // leaf 1 EDX
constexpr uint32_t kTimeStampCounterFeature = 1u << 4;  // leaf 1 EDX

// Everything the library reports but the speed. Without CPUID: no vendor,
// family 4 for a 486 and 3 for a 386, model 0, no features.
ProcessorInfo IdentifyProcessor(CpuInstructions& cpu);

// A time-stamp counter and a timer to measure it against.
class SpeedClock {
 public:
  virtual ~SpeedClock() = default;
  virtual uint64_t Cycles() = 0;
  virtual uint64_t Ticks() = 0;
  virtual uint64_t TicksPerSecond() = 0;
  // Lets the measured interval pass.
  virtual void Wait() = 0;
};

// Clock speed in MHz, rounded: the cycles counted over an interval divided by
// its length. 0 without a time-stamp counter (the counter is then never
// read) or when no time could be measured.
int32_t MeasureSpeedMHz(const ProcessorInfo& processor, SpeedClock& clock);
int32_t SpeedMHz(uint64_t cycles, uint64_t ticks, uint64_t ticksPerSecond);
