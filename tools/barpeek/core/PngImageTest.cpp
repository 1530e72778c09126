// PNG files read back by an independent reader: chunk checksums, the zlib
// stream (inflated from the format's canonical code lengths, not from the
// writer's code table), the row filters undone, every pixel compared.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/barpeek/core/PngImage.h"

namespace {

uint32_t BigEndian(const std::string& s, size_t at) {
  return (uint32_t(uint8_t(s[at])) << 24) | (uint32_t(uint8_t(s[at + 1])) << 16) |
         (uint32_t(uint8_t(s[at + 2])) << 8) | uint32_t(uint8_t(s[at + 3]));
}

// Bit by bit, straight from the polynomial.
uint32_t SlowCrc(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

class Inflater {
 public:
  explicit Inflater(const std::string& data) : data_(data) {}

  std::vector<uint8_t> Run() {
    std::vector<uint8_t> out;
    bool last = false;
    while (!last) {
      last = Bits(1);
      const int type = Bits(2);
      // The writer uses the fixed codes only.
      if (type != 1) throw std::runtime_error("unexpected block type");
      Fixed(out);
    }
    bit_ = (bit_ + 7) / 8 * 8;
    return out;
  }
  size_t BytesUsed() const { return bit_ / 8; }

 private:
  uint32_t Bits(int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i, ++bit_) {
      if (bit_ / 8 >= data_.size()) throw std::runtime_error("stream ends early");
      v |= uint32_t((uint8_t(data_[bit_ / 8]) >> (bit_ % 8)) & 1) << i;
    }
    return v;
  }
  // Canonical decoding from code lengths.
  int Decode(const std::vector<int>& lengths) {
    int code = 0, first = 0;
    for (int len = 1; len <= 15; ++len) {
      code |= static_cast<int>(Bits(1));
      int count = 0;
      for (int l : lengths) count += l == len;
      if (code - first < count) {
        int seen = 0;
        for (size_t s = 0; s < lengths.size(); ++s)
          if (lengths[s] == len && seen++ == code - first) return static_cast<int>(s);
      }
      first = (first + count) << 1;
      code <<= 1;
    }
    throw std::runtime_error("bad code");
  }
  void Fixed(std::vector<uint8_t>& out) {
    std::vector<int> lit(288), dist(30, 5);
    for (int i = 0; i < 288; ++i) lit[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    static const int lbase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int lextra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const int dbase[] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    for (;;) {
      const int sym = Decode(lit);
      if (sym < 256) {
        out.push_back(static_cast<uint8_t>(sym));
      } else if (sym == 256) {
        return;
      } else {
        const int len = lbase[sym - 257] + static_cast<int>(Bits(lextra[sym - 257]));
        const int d = Decode(dist);
        const int dextra = d < 4 ? 0 : d / 2 - 1;
        const size_t distance = dbase[d] + Bits(dextra);
        if (distance > out.size()) throw std::runtime_error("distance before the start");
        for (int i = 0; i < len; ++i) out.push_back(out[out.size() - distance]);
      }
    }
  }
  const std::string& data_;
  size_t bit_ = 0;
};

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Reads the file the way a viewer would; fails the test on any defect.
RgbImage Read(const std::string& png) {
  RgbImage image;
  EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), png.substr(0, 8));
  std::string idat;
  std::vector<std::string> order;
  size_t at = 8;
  while (at + 12 <= png.size()) {
    const uint32_t len = BigEndian(png, at);
    const std::string type = png.substr(at + 4, 4);
    const std::string body = png.substr(at + 8, len);
    EXPECT_EQ(SlowCrc(type + body), BigEndian(png, at + 8 + len)) << type;
    order.push_back(type);
    if (type == "IHDR") {
      image.Width = BigEndian(body, 0);
      image.Height = BigEndian(body, 4);
      EXPECT_EQ(std::string("\x08\x02\x00\x00\x00", 5), body.substr(8));
    } else if (type == "IDAT") {
      idat += body;
    }
    at += 12 + len;
  }
  EXPECT_EQ(png.size(), at);
  EXPECT_EQ((std::vector<std::string>{"IHDR", "IDAT", "IEND"}), order);

  EXPECT_EQ(0, ((uint8_t(idat[0]) << 8) | uint8_t(idat[1])) % 31) << "zlib header check";
  EXPECT_EQ(8, idat[0] & 0x0F) << "deflate";
  const std::string deflated = idat.substr(2);
  Inflater inflater(deflated);
  const std::vector<uint8_t> rows = inflater.Run();
  uint32_t a = 1, b = 0;
  for (uint8_t byte : rows) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ((b << 16) | a, BigEndian(deflated, inflater.BytesUsed())) << "Adler-32";
  EXPECT_EQ(deflated.size(), inflater.BytesUsed() + 4);

  const size_t stride = size_t(image.Width) * 3;
  EXPECT_EQ((stride + 1) * image.Height, rows.size());
  image.Pixels.assign(stride * image.Height, 0);
  for (size_t y = 0; y < image.Height && (y + 1) * (stride + 1) <= rows.size(); ++y) {
    const uint8_t filter = rows[y * (stride + 1)];
    EXPECT_LE(filter, 4);
    for (size_t x = 0; x < stride; ++x) {
      const int left = x >= 3 ? image.Pixels[y * stride + x - 3] : 0;
      const int up = y > 0 ? image.Pixels[(y - 1) * stride + x] : 0;
      const int corner = x >= 3 && y > 0 ? image.Pixels[(y - 1) * stride + x - 3] : 0;
      const int raw = rows[y * (stride + 1) + 1 + x];
      int prior = 0;
      if (filter == 1) prior = left;
      if (filter == 2) prior = up;
      if (filter == 3) prior = (left + up) / 2;
      if (filter == 4) prior = Paeth(left, up, corner);
      image.Pixels[y * stride + x] = static_cast<uint8_t>(raw + prior);
    }
  }
  return image;
}

RgbImage Picture(uint32_t w, uint32_t h) {
  RgbImage image;
  image.Width = w;
  image.Height = h;
  image.Pixels.resize(size_t(w) * h * 3);
  return image;
}

void Set(RgbImage& image, uint32_t x, uint32_t y, uint8_t r, uint8_t g, uint8_t b) {
  uint8_t* p = &image.Pixels[(size_t(y) * image.Width + x) * 3];
  p[0] = r;
  p[1] = g;
  p[2] = b;
}

TEST(PngImage, EveryPixelComesBackFromFlatGradedAndNoisyAreas) {
  // An odd size, flat areas (runs), gradients (left and up filters), noise
  // (literals) and runs longer than one copy can cover.
  RgbImage image = Picture(301, 37);
  uint32_t seed = 12345;
  for (uint32_t y = 0; y < image.Height; ++y)
    for (uint32_t x = 0; x < image.Width; ++x) {
      seed = seed * 1103515245u + 12345u;
      if (y < 10) Set(image, x, y, 0xC0, 0xC0, 0xC0);
      else if (y < 20) Set(image, x, y, uint8_t(x), uint8_t(y * 7), uint8_t(x + y));
      else if (x < 150) Set(image, x, y, uint8_t(seed >> 24), uint8_t(seed >> 16), uint8_t(seed >> 8));
      else Set(image, x, y, 0, 0, x % 2 ? 0xFF : 0);
    }
  const RgbImage back = Read(EncodePng(image));
  EXPECT_EQ(image.Width, back.Width);
  EXPECT_EQ(image.Height, back.Height);
  EXPECT_TRUE(image.Pixels == back.Pixels);

  RgbImage one = Picture(1, 1);
  Set(one, 0, 0, 1, 2, 3);
  EXPECT_TRUE(one.Pixels == Read(EncodePng(one)).Pixels);
}

TEST(PngImage, AScreenWithABarOnItIsSmall) {
  RgbImage screen = Picture(1024, 768);
  for (uint32_t y = 734; y < 768; ++y)
    for (uint32_t x = 0; x < 1024; ++x)
      Set(screen, x, y, 0xC0, 0xC0, 0xC0);
  for (uint32_t x = 30; x < 90; ++x) Set(screen, x, 750, 0, 0, 0x80);
  const std::string png = EncodePng(screen);
  EXPECT_LT(png.size(), 20000u);
  EXPECT_TRUE(screen.Pixels == Read(png).Pixels);
}

TEST(PngImage, PixelsThatDoNotMatchTheSizeAreRefused) {
  RgbImage image = Picture(4, 4);
  image.Pixels.pop_back();
  EXPECT_THROW(EncodePng(image), std::invalid_argument);
  EXPECT_THROW(EncodePng(Picture(0, 5)), std::invalid_argument);
}

}  // namespace
