#pragma once
// The scale factors under HKEY_LOCAL_MACHINE\SOFTWARE\Veltrop\Chipwatch, as
// REG_EXPAND_SZ values "Fudge 1" ... "Fudge 7" holding factor × 10000.
#include "chipwatch/core/FudgeFactors.h"

class RegistryFudgeStore : public FudgeFactorStore {
 public:
  void Load(FudgeFactors& factors) override;
  void Save(const FudgeFactors& factors) override;
};
