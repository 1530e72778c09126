#pragma once
// Scale factors kept in memory for native tests; counts how often the chip
// library loads and saves them. A missing store is created on load, as the
// registry key is.
#include "chipwatch/core/ChipMonitor.h"

class MemoryFudgeStore : public FudgeFactorStore {
 public:
  bool exists = true;
  FudgeFactors stored;
  int loads = 0;
  int saves = 0;
  void Load(FudgeFactors& factors) override {
    ++loads;
    if (!exists) return Save(factors);
    factors = stored;
  }
  void Save(const FudgeFactors& factors) override {
    ++saves;
    exists = true;
    stored = factors;
  }
};
