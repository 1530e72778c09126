#pragma once
// Everything the chip library does to the outside world for a reading: open
// and close the driver, send it the three requests, and read an I/O port.
// The Win32 implementation talks to the real driver; tests put a register
// model of the chip behind it.
#include <cstddef>
#include <cstdint>

// The chip's address register: every request names it.
constexpr uint16_t kChipAddressPort = 0x295;

// Device control codes of the driver. The input buffer of each request is
// 4 bytes holding the block's 32-bit address; there is no output buffer.
constexpr uint32_t kReadChipRegisterCode = 0x900;
constexpr uint32_t kWriteChipRegisterCode = 0x901;
constexpr uint32_t kWriteChipRegisterWordCode = 0x903;

// What a chip input that is not connected reads; also what a read the driver
// did not answer yields.
constexpr uint8_t kAbsentInput = 0xFF;

// The request block the driver reads and fills. Its layout is a wire format
// shared with the driver (little-endian, no padding), so every offset is
// pinned below.
#pragma pack(push, 1)
struct ChipRequest {
  uint16_t port = kChipAddressPort;
  uint8_t reg = 0;
  uint8_t byte = 0;           // byte write
  uint16_t word = 0;          // word write
  uint8_t unused[2] = {0, 0};
  uint8_t result = kAbsentInput;  // filled by the driver on a read
};
#pragma pack(pop)

static_assert(offsetof(ChipRequest, port) == 0, "port at 0");
static_assert(offsetof(ChipRequest, reg) == 2, "register at 2");
static_assert(offsetof(ChipRequest, byte) == 3, "byte at 3");
static_assert(offsetof(ChipRequest, word) == 4, "word at 4");
static_assert(offsetof(ChipRequest, result) == 8, "result at 8");
static_assert(sizeof(ChipRequest) == 9, "the driver reads nothing past offset 8");

class ChipIO {
 public:
  using DeviceHandle = std::uintptr_t;
  static constexpr DeviceHandle kNoDevice = 0;

  virtual ~ChipIO() = default;
  // Opens the device by its name ("\\.\LM78"); kNoDevice when it cannot be opened.
  virtual DeviceHandle OpenDevice(const char* name) = 0;
  virtual void CloseDevice(DeviceHandle device) = 0;
  // Sends one request with the block's address as input. False when the
  // driver refused it; the block's result byte is then not to be trusted.
  virtual bool Control(DeviceHandle device, uint32_t code, ChipRequest& block) = 0;
  // Reads one byte from an I/O port; false where the platform forbids it or
  // the read faulted.
  virtual bool ReadPort(uint16_t port, uint8_t& value) = 0;
};
