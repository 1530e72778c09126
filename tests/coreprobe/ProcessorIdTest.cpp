// Decoding CPUID answers of known processors, and the speed arithmetic.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "coreprobe/core/ProcessorId.h"

namespace {

// A processor answering CPUID with fixed values; fails the test when CPUID
// is executed on a processor that does not have it.
class FakeCpu : public CpuInstructions {
 public:
  bool cpuid = true;
  bool alignmentCheck = true;
  std::map<uint32_t, CpuidResult> leaves;
  bool HasCpuid() override { return cpuid; }
  bool HasAlignmentCheck() override { return alignmentCheck; }
  CpuidResult Cpuid(uint32_t leaf) override {
    EXPECT_TRUE(cpuid) << "CPUID executed on a processor without it";
    EXPECT_TRUE(leaves.count(leaf)) << "leaf " << leaf << " is beyond the highest leaf";
    return leaves[leaf];
  }
};

// Vendor registers as CPUID leaf 0 returns them.
FakeCpu Processor(const char* vendor, uint32_t signature, uint32_t features) {
  FakeCpu cpu;
  uint32_t regs[3] = {};
  for (int i = 0; i < 12; ++i) regs[i / 4] |= static_cast<uint32_t>(static_cast<uint8_t>(vendor[i])) << (8 * (i % 4));
  cpu.leaves[0] = {1, regs[0], regs[2], regs[1]};  // EBX, EDX, ECX order of the text
  cpu.leaves[1] = {signature, 0, 0, features};
  return cpu;
}

constexpr uint32_t kMmx = 1u << 23;
constexpr uint32_t kTsc = 1u << 4;

struct Known {
  const char* name;
  const char* vendor;
  uint32_t signature;
  uint32_t features;
  int32_t family, model;
  bool mmx, overdrive;
};

TEST(ProcessorId, KnownProcessors) {
  const Known known[] = {
      {"Pentium", "GenuineIntel", 0x00000525, kTsc, 5, 2, false, false},
      {"Pentium MMX", "GenuineIntel", 0x00000543, kTsc | kMmx, 5, 4, true, false},
      {"Pentium OverDrive", "GenuineIntel", 0x00001531, kTsc, 5, 3, false, true},
      {"Pentium II OverDrive", "GenuineIntel", 0x00001632, kTsc | kMmx, 6, 3, true, true},
      {"Pentium II Deschutes", "GenuineIntel", 0x00000652, kTsc | kMmx, 6, 5, true, false},
      {"Pentium 4", "GenuineIntel", 0x00000F29, kTsc | kMmx, 15, 2, true, false},
      {"Sapphire Rapids", "GenuineIntel", 0x000806F8, kTsc | kMmx, 6, 0x8F, true, false},
      {"K5", "AuthenticAMD", 0x00000501, kTsc, 5, 0, false, false},
      {"K6-2", "AuthenticAMD", 0x0000058C, kTsc | kMmx, 5, 8, true, false},
      {"Athlon 64", "AuthenticAMD", 0x00020FB1, kTsc | kMmx, 15, 0x2B, true, false},
      {"Zen 3", "AuthenticAMD", 0x00A20F10, kTsc | kMmx, 0x19, 0x21, true, false},
      {"6x86L", "CyrixInstead", 0x00000520, 0, 5, 2, false, false},
  };
  for (const Known& k : known) {
    FakeCpu cpu = Processor(k.vendor, k.signature, k.features);
    ProcessorInfo info = IdentifyProcessor(cpu);
    EXPECT_STREQ(info.vendor, k.vendor) << k.name;
    EXPECT_EQ(info.family, k.family) << k.name;
    EXPECT_EQ(info.model, k.model) << k.name;
    EXPECT_EQ(info.mmx, k.mmx) << k.name;
    EXPECT_EQ(info.overdrive, k.overdrive) << k.name;
    EXPECT_EQ(info.timeStampCounter, (k.features & kTsc) != 0) << k.name;
  }
}

TEST(ProcessorId, WithoutCpuidTheFlagsTellA486FromA386) {
  FakeCpu cpu;
  cpu.cpuid = false;
  ProcessorInfo info = IdentifyProcessor(cpu);
  EXPECT_STREQ(info.vendor, "");
  EXPECT_EQ(info.family, 4);
  EXPECT_EQ(info.model, 0);
  EXPECT_FALSE(info.mmx || info.overdrive || info.timeStampCounter);
  cpu.alignmentCheck = false;
  EXPECT_EQ(IdentifyProcessor(cpu).family, 3);
}

TEST(ProcessorId, NoSignatureLeafIsNotAskedFor) {
  FakeCpu cpu = Processor("UMC UMC UMC ", 0, 0);
  cpu.leaves.erase(1);
  cpu.leaves[0].eax = 0;
  ProcessorInfo info = IdentifyProcessor(cpu);
  EXPECT_STREQ(info.vendor, "UMC UMC UMC ");
  EXPECT_EQ(info.family, 4);
  EXPECT_FALSE(info.timeStampCounter);
}

// A clock that advances by fixed amounts over the interval.
class FakeClock : public SpeedClock {
 public:
  uint64_t cycles = 1000, ticks = 50, perSecond = 0, cyclesPerWait = 0, ticksPerWait = 0;
  int cycleReads = 0, waits = 0;
  uint64_t Cycles() override {
    ++cycleReads;
    return cycles;
  }
  uint64_t Ticks() override { return ticks; }
  uint64_t TicksPerSecond() override { return perSecond; }
  void Wait() override {
    ++waits;
    cycles += cyclesPerWait;
    ticks += ticksPerWait;
  }
};

TEST(ProcessorSpeed, CyclesOverTheTimedInterval) {
  ProcessorInfo tsc;
  tsc.timeStampCounter = true;
  FakeClock clock;
  clock.perSecond = 10000000;  // a 10 MHz counter over 100 ms
  clock.ticksPerWait = 1000000;
  clock.cyclesPerWait = 260000000;
  EXPECT_EQ(MeasureSpeedMHz(tsc, clock), 2600);
  clock.perSecond = 1000;  // the tick count over half a second
  clock.ticksPerWait = 500;
  clock.cyclesPerWait = 116600000;
  EXPECT_EQ(MeasureSpeedMHz(tsc, clock), 233);
  EXPECT_EQ(SpeedMHz(166499999, 1000, 1000), 166);
  EXPECT_EQ(SpeedMHz(166500001, 1000, 1000), 167);
  EXPECT_EQ(SpeedMHz(1000, 0, 1000), 0);
}

TEST(ProcessorSpeed, NoTimeStampCounterIsZeroWithoutReadingIt) {
  ProcessorInfo none;
  FakeClock clock;
  clock.perSecond = 1000;
  clock.ticksPerWait = 100;
  clock.cyclesPerWait = 100000000;
  EXPECT_EQ(MeasureSpeedMHz(none, clock), 0);
  EXPECT_EQ(clock.cycleReads, 0);
  EXPECT_EQ(clock.waits, 0);
}

TEST(ProcessorSpeed, ATimerThatDidNotMoveGivesZero) {
  ProcessorInfo tsc;
  tsc.timeStampCounter = true;
  FakeClock clock;
  clock.perSecond = 1000;
  clock.cyclesPerWait = 100000000;
  EXPECT_EQ(MeasureSpeedMHz(tsc, clock), 0);
}

}  // namespace
