#include "tools/barpeek/core/PngImage.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>

namespace {

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutBigEndian(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& body) {
  PutBigEndian(out, static_cast<uint32_t>(body.size()));
  const std::string typed = std::string(type, 4) + body;
  out += typed;
  PutBigEndian(out, Crc32(reinterpret_cast<const uint8_t*>(typed.data()), typed.size(), 0));
}

// Deflate's bit order: values from the least significant bit, Huffman codes
// from the most significant one.
class BitWriter {
 public:
  void Bits(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
  }
  void Code(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
  }
  std::vector<uint8_t> Finish() {
    if (used_) bytes_.push_back(current_);
    used_ = 0;
    current_ = 0;
    return std::move(bytes_);
  }

 private:
  void Bit(uint32_t bit) {
    current_ |= static_cast<uint8_t>(bit << used_);
    if (++used_ == 8) {
      bytes_.push_back(current_);
      current_ = 0;
      used_ = 0;
    }
  }
  std::vector<uint8_t> bytes_;
  uint8_t current_ = 0;
  int used_ = 0;
};

// The fixed literal/length code of the deflate format.
void PutSymbol(BitWriter& out, int symbol) {
  if (symbol < 144) out.Code(0x30 + symbol, 8);
  else if (symbol < 256) out.Code(0x190 + symbol - 144, 9);
  else if (symbol < 280) out.Code(symbol - 256, 7);
  else out.Code(0xC0 + symbol - 280, 8);
}

// A copy of the byte before, length 3 ... 258 (distance 1: distance code 0).
void PutRun(BitWriter& out, int length) {
  static const int kBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
  static const int kExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  int code = 28;
  while (kBase[code] > length) --code;
  PutSymbol(out, 257 + code);
  out.Bits(static_cast<uint32_t>(length - kBase[code]), kExtra[code]);
  out.Code(0, 5);
}

// One final block with the fixed codes; repeated bytes become runs.
std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data) {
  BitWriter out;
  out.Bits(1, 1);  // the last block
  out.Bits(1, 2);  // fixed codes
  size_t i = 0;
  while (i < data.size()) {
    size_t run = 0;
    if (i > 0) {
      while (i + run < data.size() && run < 258 && data[i + run] == data[i - 1]) ++run;
    }
    if (run >= 3) {
      PutRun(out, static_cast<int>(run));
      i += run;
    } else {
      PutSymbol(out, data[i]);
      ++i;
    }
  }
  PutSymbol(out, 256);
  return out.Finish();
}

// The rows with their filter bytes: each row takes the filter (0 none, 1
// left, 2 up) whose differences are smallest as signed bytes.
std::vector<uint8_t> FilteredRows(const RgbImage& image) {
  const size_t stride = static_cast<size_t>(image.Width) * 3;
  std::vector<uint8_t> rows;
  rows.reserve((stride + 1) * image.Height);
  std::vector<uint8_t> candidate[3];
  for (uint32_t y = 0; y < image.Height; ++y) {
    const uint8_t* row = &image.Pixels[y * stride];
    const uint8_t* above = y > 0 ? row - stride : nullptr;
    int best = 0;
    uint64_t bestCost = UINT64_MAX;
    for (int filter = 0; filter < 3; ++filter) {
      std::vector<uint8_t>& c = candidate[filter];
      c.resize(stride);
      uint64_t cost = 0;
      for (size_t x = 0; x < stride; ++x) {
        uint8_t prior = 0;
        if (filter == 1 && x >= 3) prior = row[x - 3];
        if (filter == 2 && above) prior = above[x];
        c[x] = static_cast<uint8_t>(row[x] - prior);
        cost += static_cast<uint64_t>(std::abs(static_cast<int>(static_cast<int8_t>(c[x]))));
      }
      if (cost < bestCost) {
        bestCost = cost;
        best = filter;
      }
    }
    rows.push_back(static_cast<uint8_t>(best));
    rows.insert(rows.end(), candidate[best].begin(), candidate[best].end());
  }
  return rows;
}

}  // namespace

std::string EncodePng(const RgbImage& image) {
  if (image.Width == 0 || image.Height == 0 || image.Width > 0x7FFFFFFFu / 3 ||
      image.Pixels.size() != static_cast<uint64_t>(image.Width) * 3 * image.Height)
    throw std::invalid_argument("picture size and pixels do not match");

  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  PutBigEndian(header, image.Width);
  PutBigEndian(header, image.Height);
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, filters, no interlace
  PutChunk(png, "IHDR", header);

  const std::vector<uint8_t> rows = FilteredRows(image);
  std::string stream("\x78\x01", 2);  // deflate with a 32 KB window, no dictionary
  const std::vector<uint8_t> deflated = Deflate(rows);
  stream.append(deflated.begin(), deflated.end());
  PutBigEndian(stream, Adler32(rows));
  PutChunk(png, "IDAT", stream);
  PutChunk(png, "IEND", "");
  return png;
}
