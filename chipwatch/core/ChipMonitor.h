#pragma once
// The library's readings over the driver. ChipDevice is the driver as one
// reading uses it: the open sequence, the three register requests and the
// chip's reset; it holds the handle of the reading in progress and nothing
// between readings. ChipMonitor makes each reading: it opens the driver,
// resets the chip, reads and closes again. Not re-entrant: callers on
// several threads serialise their calls (the library's exports hold one lock
// around each call).
#include <cstddef>
#include <cstdint>
#include <string>

#include "chipwatch/core/ChipIO.h"

// The seven voltage scale factors (volts per count), their registry texts
// and the store that keeps them.
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

constexpr const char* kDriverDeviceName = "\\\\.\\LM78";
// Opening this name makes Windows load the driver dynamically.
constexpr const char* kDriverLoaderName = "\\\\.\\LM78.VXD";

class ChipDevice {
 public:
  explicit ChipDevice(ChipIO& io) : io_(io) {}
  // Closes the handle of a reading still in progress; the loader handle
  // stays open (closing it would unload the driver).
  ~ChipDevice() { Close(); }
  ChipDevice(const ChipDevice&) = delete;
  ChipDevice& operator=(const ChipDevice&) = delete;

  // Opens the driver for one reading. When it is not loaded yet, the loader
  // name is opened once and kept open for the life of the process, and this
  // reading fails; later readings find the driver under its own name.
  bool Open();
  void Close();
  bool IsOpen() const { return handle_ != ChipIO::kNoDevice; }

  // The register's byte; kAbsentInput when the driver did not answer.
  uint8_t ReadChipRegister(uint8_t reg);
  void WriteChipRegister(uint8_t reg, uint8_t value);
  void WriteChipRegisterWord(uint8_t reg, uint16_t value);
  bool ReadPort(uint16_t port, uint8_t& value) { return io_.ReadPort(port, value); }

  // Restores the chip's power-on state and starts monitoring: run after every
  // open, before the reading (eight requests).
  void ResetChip();

 private:
  bool Send(uint32_t code, ChipRequest& block) {
    return IsOpen() && io_.Control(handle_, code, block);
  }

  ChipIO& io_;
  ChipIO::DeviceHandle handle_ = ChipIO::kNoDevice;
  ChipIO::DeviceHandle loader_ = ChipIO::kNoDevice;
};

// Opens the device for the lifetime of one reading.
class ChipOperation {
 public:
  explicit ChipOperation(ChipDevice& device) : device_(device) { device_.Open(); }
  ~ChipOperation() { device_.Close(); }
  ChipOperation(const ChipOperation&) = delete;
  ChipOperation& operator=(const ChipOperation&) = delete;
  explicit operator bool() const { return device_.IsOpen(); }

 private:
  ChipDevice& device_;
};

class ChipMonitor {
 public:
  ChipMonitor(ChipIO& io, FudgeFactorStore& store) : device_(io), store_(store) {}

  // Reads voltage channels 1 to 3; the chip counts as present once any of them
  // is not 0.0, and stays so.
  bool InitialiseLM78();
  // Channel 1 to 4 in whole degrees; 0 without driver or for other channels.
  int32_t GetTemperature(int32_t channel);
  // Channel 1 to 7 (anything else reads channel 1) in volts; reloads the
  // factors first. 0.0 without driver.
  double GetVoltage(int32_t channel);
  // Fan 1 to 3 (anything else reads fan 1) in rpm, or the raw count when the
  // divisor register reads back 0; 0 without driver.
  int32_t GetFan(int32_t fan);
  // Any chip register (low 8 bits of reg), 255 passed on; 65535 without driver.
  int32_t GetUnknown(int32_t reg);
  // The factor of channel 0 to 7 after reloading; 0.0 for any other channel.
  double GetFudgeFactor(int32_t channel);
  // Channel 1 to 7: stores and saves the factor and answers true, also when
  // it could not be written. Anything else answers false and changes nothing.
  bool SetFudgeFactor(int32_t channel, double factor);

 private:
  int32_t ReadTemperature(int32_t channel);

  ChipDevice device_;
  FudgeFactorStore& store_;
  FudgeFactors factors_;
  bool chipPresent_ = false;
};
