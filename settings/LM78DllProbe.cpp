#include "settings/LM78DllProbe.h"

#include "chipwatch/ChipwatchApi.h"
#include "coreprobe/CoreprobeApi.h"

bool LM78DllProbe::InitialiseLM78() { return ::InitialiseLM78() != FALSE; }

int32_t LM78DllProbe::GetTemperature(int32_t channel) { return ::GetTemperature(channel); }

double LM78DllProbe::GetVoltage(int32_t channel) { return ::GetVoltage(channel); }

uint32_t LM78DllProbe::GetFan(int32_t fan) { return static_cast<uint32_t>(::GetFan(fan)); }

ProcessorFacts LM78DllProbe::Processor() {
  ProcessorFacts cpu;
  cpu.family = GetCPUInfoFamily();
  cpu.model = GetCPUInfoModel();
  char vendor[80] = "";
  GetCPUInfoVendorID(vendor);
  vendor[sizeof vendor - 1] = '\0';
  cpu.vendor = vendor;
  cpu.mmx = GetMMX() != FALSE;
  cpu.overdrive = GetOverdrive() != FALSE;
  cpu.speed = GetSpeed();
  return cpu;
}
