#include "sensors/HardwareChipReader.h"

#include "chipwatch/ChipwatchApi.h"

int32_t HardwareChipReader::GetTemperature(int32_t channel) { return ::GetTemperature(channel); }

double HardwareChipReader::GetVoltage(int32_t channel) { return ::GetVoltage(channel); }

int32_t HardwareChipReader::GetFan(int32_t fan) { return ::GetFan(fan); }

bool ProbeHardwareMonitor() { return InitialiseLM78() != FALSE; }
