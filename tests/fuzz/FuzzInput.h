#pragma once
// Reads the fuzzer's bytes as the values a target needs. Past the end every
// read answers zero, so any input is a complete case. Numbers are often
// taken from a table of edges (0, -1, 2^31, a megabyte and its halves ...)
// so that short inputs reach the boundaries of the arithmetic.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t Remaining() const { return size_ - pos_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  bool Bool() { return (Byte() & 1) != 0; }
  uint32_t U32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return v;
  }
  uint64_t U64() { return static_cast<uint64_t>(U32()) << 32 | U32(); }
  int32_t I32() { return static_cast<int32_t>(U32()); }

  // A 32-bit value: an edge, a small number, or any pattern.
  uint32_t Number() {
    static const uint32_t kEdges[] = {0,          1,          2,          9,          10,
                                      59,         60,         255,        1023,       1024,
                                      1536,       2560,       9600,       28800,      524288,
                                      524289,     1048575,    1048576,    1572864,    60000,
                                      3599999,    3600000,    2147483647, 2147483648u, 4294967295u,
                                      2147484,    35791394,   35791395,   4294967196u, 65536};
    const uint8_t how = Byte();
    if (how < 96) return kEdges[Byte() % (sizeof kEdges / sizeof kEdges[0])];
    if (how < 160) return Byte();
    if (how < 200) return static_cast<uint32_t>(-static_cast<int32_t>(Byte()));
    return U32();
  }
  uint64_t Number64() {
    const uint8_t how = Byte();
    if (how < 128) return static_cast<uint64_t>(Number()) * (how % 4 == 0 ? 1048576 : 1);
    return U64();
  }
  // A reading in volts, or any double (NaN, infinities, huge values).
  double Real() {
    if (Bool()) return static_cast<int32_t>(U32() % 4000000) / 1000.0 - 2000.0;
    const uint64_t bits = U64();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  // Up to max bytes of any value, NULs included.
  std::string Bytes(size_t max) {
    const size_t n = max ? Byte() % (max + 1) : 0;
    std::string s;
    for (size_t i = 0; i < n && Remaining() > 0; ++i) s.push_back(static_cast<char>(Byte()));
    return s;
  }
  // A text as registry values hold them: no NUL.
  std::string Text(size_t max) {
    std::string s = Bytes(max);
    for (char& c : s)
      if (c == '\0') c = ' ';
    return s;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};
