#include "coreprobe/core/ProcessorId.h"

#include <cmath>

void VendorText(uint32_t ebx, uint32_t edx, uint32_t ecx, char out[13]) {
  const uint32_t parts[3] = {ebx, edx, ecx};
  for (int i = 0; i < 12; ++i) out[i] = static_cast<char>(parts[i / 4] >> (8 * (i % 4)));
  out[12] = '\0';
}

int32_t FamilyOf(uint32_t signature) {
  int32_t family = (signature >> 8) & 0x0F;
  if (family == 0x0F) family += (signature >> 20) & 0xFF;
  return family;
}

int32_t ModelOf(uint32_t signature) {
  int32_t model = (signature >> 4) & 0x0F;
  if (FamilyOf(signature) >= 6) model += ((signature >> 16) & 0x0F) << 4;
  return model;
}

bool IsOverdrive(uint32_t signature) { return ((signature >> 12) & 0x03) == 1; }

ProcessorInfo IdentifyProcessor(CpuInstructions& cpu) {
  ProcessorInfo info;
  if (!cpu.HasCpuid()) {
    info.family = cpu.HasAlignmentCheck() ? 4 : 3;
    return info;
  }
  CpuidResult leaf0 = cpu.Cpuid(0);
  VendorText(leaf0.ebx, leaf0.edx, leaf0.ecx, info.vendor);
  if (leaf0.eax < 1) {
    info.family = 4;  // CPUID without its signature leaf: at best a 486
    return info;
  }
  CpuidResult leaf1 = cpu.Cpuid(1);
  info.family = FamilyOf(leaf1.eax);
  info.model = ModelOf(leaf1.eax);
  info.overdrive = IsOverdrive(leaf1.eax);
  info.mmx = (leaf1.edx & kMmxFeature) != 0;
  info.timeStampCounter = (leaf1.edx & kTimeStampCounterFeature) != 0;
  return info;
}

int32_t SpeedMHz(uint64_t cycles, uint64_t ticks, uint64_t ticksPerSecond) {
  if (ticks == 0 || ticksPerSecond == 0) return 0;
  double seconds = static_cast<double>(ticks) / static_cast<double>(ticksPerSecond);
  double mhz = static_cast<double>(cycles) / seconds / 1e6;
  if (!(mhz < 2147483647.0)) return 0;
  return static_cast<int32_t>(std::floor(mhz + 0.5));
}

int32_t MeasureSpeedMHz(const ProcessorInfo& processor, SpeedClock& clock) {
  if (!processor.timeStampCounter) return 0;
  uint64_t perSecond = clock.TicksPerSecond();
  if (perSecond == 0) return 0;
  uint64_t startTicks = clock.Ticks();
  uint64_t startCycles = clock.Cycles();
  clock.Wait();
  uint64_t endTicks = clock.Ticks();
  uint64_t endCycles = clock.Cycles();
  if (endTicks <= startTicks || endCycles < startCycles) return 0;
  return SpeedMHz(endCycles - startCycles, endTicks - startTicks, perSecond);
}
