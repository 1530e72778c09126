#pragma once
// The seven voltage scale factors (volts per count), their registry texts
// and the store that keeps them.
#include <cstddef>
#include <string>

constexpr int kFudgeFactorCount = 7;
constexpr const char* kFudgeFactorKey = "SOFTWARE\\Veltrop\\Chipwatch";
// Bytes read of each stored text: longer values are not read at all.
constexpr size_t kFudgeTextCapacity = 10;

// Index 1 to 7; index 0 is always 0.0.
struct FudgeFactors {
  double value[kFudgeFactorCount + 1] = {0.0, 0.016, 0.016, 0.016, 0.0268, 0.061, -0.0555, -0.024};
};

// "Fudge 1" ... "Fudge 7".
std::string FudgeValueName(int index);

// The factor a stored text stands for: its leading decimal integer (blanks
// skipped, optional sign) × 0.0001. False when that is 0.0 (no digits, "0"),
// so the factor in use stays.
bool FactorFromText(const char* data, size_t size, double& factor);

// The stored text of a factor: factor × 10000 truncated toward zero, computed
// in double precision (0.0163 gives "162"), limited to 32 bits.
std::string FactorToText(double factor);

// Where the factors live (the registry in the library).
class FudgeFactorStore {
 public:
  virtual ~FudgeFactorStore() = default;
  // Replaces the factors with the stored ones that can be read; creates the
  // store with the factors as they stand when it does not exist.
  virtual void Load(FudgeFactors& factors) = 0;
  // Writes all seven; failures are silent.
  virtual void Save(const FudgeFactors& factors) = 0;
};
