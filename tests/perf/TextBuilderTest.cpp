// Composing in a fixed buffer: the 79-character cut, the shared number
// formats written without strings, and the sensor texts that meet the cut.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tests/fakes/ReferenceFormat.h"
#include "sensors/core/HardwareMonitor.h"
#include "tests/fakes/SensorTextStrings.h"
#include "shared/core/TextBuilder.h"
#include "shared/core/VBText.h"

namespace {

constexpr uint64_t kMb = 1048576;

std::string Built(void (*compose)(TextBuilder&)) { return ComposedText(compose); }

TEST(TextBuilder, CutsAtSeventyNineCharactersAndAlwaysEndsWithNul) {
  TextBuffer buffer;
  std::memset(buffer, '#', sizeof buffer);
  TextBuilder out(buffer);
  EXPECT_EQ(buffer[0], '\0');
  for (int i = 0; i < 11; ++i) out.Append("abcdefg");  // 77
  EXPECT_FALSE(out.Truncated());
  out.Append("xy");
  EXPECT_EQ(out.Length(), 79u);
  EXPECT_FALSE(out.Truncated()) << "exactly 79 characters fit";
  out.Append("");
  EXPECT_FALSE(out.Truncated());
  out.Append('z').AppendInt(5).AppendFixed2(1.0);
  EXPECT_TRUE(out.Truncated());
  EXPECT_EQ(out.Length(), 79u);
  EXPECT_EQ(buffer[79], '\0');
  EXPECT_EQ(TextBufferLength(buffer), 79u);
  EXPECT_EQ(std::string(buffer).substr(74), "efgxy");

  // A piece that crosses the end keeps its head.
  TextBuffer second;
  TextBuilder cut(second);
  std::string whole;
  for (int i = 0; i < 10; ++i) {
    cut.Append("12345678");
    whole += "12345678";
  }
  EXPECT_EQ(std::string(second), whole.substr(0, 79));
  EXPECT_TRUE(cut.Truncated());
}

TEST(TextBuilder, TinyBuffersAndCuts) {
  char one[1] = {'#'};
  TextBuilder empty(one, sizeof one);
  empty.Append("abc").AppendInt(-7);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(empty.Length(), 0u);
  EXPECT_TRUE(empty.Truncated());

  char none[1] = {'#'};
  TextBuilder nothing(none, 0);
  nothing.Append("abc");
  EXPECT_EQ(none[0], '#') << "a zero-sized buffer is never written";

  TextBuffer buffer;
  TextBuilder out(buffer);
  out.Append("0123456789").Append(static_cast<const char*>(nullptr));
  out.Cut(4);
  EXPECT_STREQ(buffer, "0123");
  out.Cut(40);
  EXPECT_STREQ(buffer, "0123");
  out.Append("ab", 1);
  EXPECT_STREQ(buffer, "0123a");
}

TEST(TextBuilder, NumbersReadAsTheSharedFormatsWriteThem) {
  for (int32_t n : {0, 7, -1, 10, -2147483647 - 1, 2147483647, 1048576}) {
    TextBuffer b;
    TextBuilder(b).AppendInt(n);
    EXPECT_EQ(std::string(b), IntToText(n));
  }
  for (uint32_t n : {0u, 9u, 10u, 59u, 4294967295u}) {
    TextBuffer b;
    TextBuilder(b).AppendPadTwo(n);
    EXPECT_EQ(std::string(b), PadTwo(std::to_string(n))) << n;
  }
  const double inf = std::numeric_limits<double>::infinity();
  for (double x : {0.0, -0.0, 2.5, -11.99, 12.14, -0.004, 0.125, 0.375, 2.675, 1e20, -1e300,
                   1.7976931348623157e308, inf, -inf, std::nan("")}) {
    TextBuffer b;
    TextBuilder(b).AppendFixed2(x);
    const std::string expected = FormatFixed2(x).substr(0, 79);
    EXPECT_EQ(std::string(b), expected) << x;
  }
  for (int32_t ms : {0, 1000, 59999, 3599999, 3600000, 3725000, 36000000, 2147483647}) {
    TextBuffer b;
    TextBuilder(b).AppendDuration(static_cast<uint32_t>(ms));
    EXPECT_EQ(std::string(b), FormatDuration(ms)) << ms;
  }
  EXPECT_EQ(Built([](TextBuilder& t) { t.AppendDuration(0xFFFFFFFFu); }), "1193:02:47");
}

// Sensor 4 drops its last 3 characters before " ]" and only then meets the
// 79-character cut; the texts below end on each side of the cut.
TEST(SensorTextCut, DiskInformationDropsItsLastSeparatorBeforeTheCut) {
  auto text = [](std::initializer_list<uint64_t> megabytes) {
    DiskReadings r;
    for (uint64_t m : megabytes) r.FixedDriveFree.push_back(m * kMb);
    return DiskInfoText(r, " / ");
  };
  EXPECT_EQ(text({10000, 100000, 100000, 100000, 100000, 100000}),
            "0Mb / 0Mb /  [ 10000Mb / 100000Mb / 100000Mb / 100000Mb / 100000Mb / 100000Mb ]");
  EXPECT_EQ(text({100000, 100000, 100000, 100000, 100000, 100000}),
            "0Mb / 0Mb /  [ 100000Mb / 100000Mb / 100000Mb / 100000Mb / 100000Mb / 100000Mb ");
  EXPECT_EQ(text({1000000, 100000, 100000, 100000, 100000, 100000}),
            "0Mb / 0Mb /  [ 1000000Mb / 100000Mb / 100000Mb / 100000Mb / 100000Mb / 100000Mb");
  // One character more than the scratch holds: the whole text ran on.
  EXPECT_EQ(text({1000000, 1000000, 100000, 100000, 100000, 100000}),
            "0Mb / 0Mb /  [ 1000000Mb / 1000000Mb / 100000Mb / 100000Mb / 100000Mb / 100000M");
  EXPECT_EQ(text({1000000, 1000000, 1000000, 100000, 100000, 100000}),
            "0Mb / 0Mb /  [ 1000000Mb / 1000000Mb / 1000000Mb / 100000Mb / 100000Mb / 100000");

  // All 26 drive letters fixed; a 27th is not kept.
  DiskReadings full;
  for (int i = 0; i < 27; ++i) full.FixedDriveFree.push_back(kMb);
  EXPECT_EQ(full.FixedDriveFree.size(), 26u);
  const std::string many = DiskInfoText(full, " / ");
  EXPECT_EQ(many.size(), 79u);
  EXPECT_EQ(many.substr(0, 30), "0Mb / 0Mb /  [ 1Mb / 1Mb / 1Mb");
}

class HugeReadings : public HardwareReader {
 public:
  int32_t GetTemperature(int32_t) override { return 0; }
  double GetVoltage(int32_t channel) override { return channel == 7 ? -1e25 : 1e20; }
  int32_t GetFan(int32_t) override { return 0; }
};

TEST(SensorTextCut, VoltagesOfAnyMagnitudeStopAtSeventyNine) {
  HugeReadings chip;
  HardwareSettings settings;
  settings.HardwareEnabled = true;
  const std::string whole = "+" + FormatFixed2(1e20) + "V / " + FormatFixed2(-1e25) + "V / +" +
                            FormatFixed2(1e20) + "V / " + FormatFixed2(1e20) + "V";
  ASSERT_GT(whole.size(), 79u);
  EXPECT_EQ(SystemVoltagesText(chip, settings, " / "), whole.substr(0, 79));
  TextBuffer b;
  TextBuilder out(b);
  ProcessorVoltagesText(out, chip, settings, " / ");
  EXPECT_EQ(std::string(b), "+" + FormatFixed2(1e20) + "V / +" + FormatFixed2(1e20) + "V");
}

}  // namespace
