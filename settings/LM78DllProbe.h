#pragma once
// The machine as the dialog's auto-detection sees it in the product: the
// exports of Chipwatch.dll and Coreprobe.dll, both linked by name.
#include "settings/core/LM78Probe.h"

class LM78DllProbe : public LM78Probe {
 public:
  bool InitialiseLM78() override;
  int32_t GetTemperature(int32_t channel) override;
  double GetVoltage(int32_t channel) override;
  uint32_t GetFan(int32_t fan) override;
  ProcessorFacts Processor() override;
};
