// The portable parts of the global services: the window tally, the warning
// alert's order, the disk arithmetic of the old free-space call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shared/core/DiskGeometry.h"
#include "shared/core/WarningAlert.h"
#include "shared/core/GlobalTypes.h"
#include "shared/core/CvlError.h"
#include "tests/fakes/MemorySettings.h"

namespace {

WindowCounts TallyWindows(const std::vector<WindowFacts>& walk) {
  WindowCounts counts;
  uint32_t previous = 0;
  for (const WindowFacts& w : walk) TallyWindow(counts, previous, w);
  return counts;
}

}  // namespace

TEST(TallyWindows, CountsOwnerChangesNotDistinctProcesses) {
  std::vector<WindowFacts> walk = {
      {5, false, true}, {5, false, false}, {7, true, true}, {5, false, true}, {0, false, false}};
  WindowCounts c = TallyWindows(walk);
  EXPECT_EQ(c.Total, 5);
  EXPECT_EQ(c.Visible, 2);    // a minimised window is not also counted as visible
  EXPECT_EQ(c.Minimised, 1);
  EXPECT_EQ(c.Processes, 4);  // 5, 7, 5 again, 0
  // The walk starts from process 0: a first window of process 0 is no change.
  EXPECT_EQ(TallyWindows({{0, false, true}}).Processes, 0);
  WindowCounts empty = TallyWindows({});
  EXPECT_EQ(empty.Total + empty.Visible + empty.Minimised + empty.Processes, 0);
}

namespace {

class RecordingAlert : public AlertOutput {
 public:
  void Beep() override { events.push_back("beep"); }
  void Pause(unsigned ms) override { events.push_back("pause " + std::to_string(ms)); }
  void ShowBox(const std::string& text) override { events.push_back("box " + text); }
  void AppendLog(const std::string& entry) override {
    if (failLog) throw CvlError("Cannot open the log file x");
    events.push_back("log " + entry);
  }
  std::vector<std::string> events;
  bool failLog = false;
};

// The expected tone pattern: three rounds of 50 short and 10 longer beeps.
std::vector<std::string> TonePattern() {
  std::vector<std::string> e;
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < 50; ++i) {
      e.push_back("beep");
      e.push_back("pause 1");
    }
    for (int i = 0; i < 10; ++i) {
      e.push_back("beep");
      e.push_back("pause 5");
    }
    e.push_back("pause 100");
  }
  return e;
}

}  // namespace

TEST(WarningAlert, TonesThenBoxThenLogLine) {
  MemorySettings settings;
  settings.Set("Settings", "AudioWarnings", "TRUE");
  settings.Set("Settings", "LogWarnings", "TRUE");
  RecordingAlert out;
  EXPECT_TRUE(RunWarningAlert("CPU Usage above 90%", settings, out));
  std::vector<std::string> expected = TonePattern();
  expected.push_back("box Warning: CPU Usage above 90%");
  expected.push_back("log Warning: CPU Usage above 90%");
  EXPECT_EQ(out.events, expected);
}

TEST(WarningAlert, OnlyTheExactTextTrueSwitchesTonesAndLog) {
  for (const char* off : {"", "FALSE", "true", "True", "1"}) {
    MemorySettings settings;
    settings.Set("Settings", "AudioWarnings", off);
    settings.Set("Settings", "LogWarnings", off);
    RecordingAlert out;
    EXPECT_TRUE(RunWarningAlert("x", settings, out));
    EXPECT_EQ(out.events, std::vector<std::string>{"box Warning: x"}) << "setting '" << off << "'";
  }
}

TEST(WarningAlert, ALogErrorReachesTheCallerAfterTheBox) {
  MemorySettings settings;
  settings.Set("Settings", "LogWarnings", "TRUE");
  RecordingAlert out;
  out.failLog = true;
  EXPECT_THROW(RunWarningAlert("x", settings, out), CvlError);
  EXPECT_EQ(out.events, std::vector<std::string>{"box Warning: x"});
}

TEST(FreeBytesFromGeometry, FailsQuietlyWhenTheProductLeavesSigned32Bits) {
  int32_t bytes = -7;
  EXPECT_TRUE(FreeBytesFromGeometry(512, 8, 1000, bytes));
  EXPECT_EQ(bytes, 4096000);
  EXPECT_TRUE(FreeBytesFromGeometry(1, 1, 2147483647u, bytes));
  EXPECT_EQ(bytes, 2147483647);
  bytes = -7;
  EXPECT_FALSE(FreeBytesFromGeometry(512, 64, 65536, bytes));  // exactly 2 GB
  EXPECT_FALSE(FreeBytesFromGeometry(0xFFFFFFFFu, 1, 1, bytes));
  EXPECT_FALSE(FreeBytesFromGeometry(65536, 65536, 1, bytes));  // first product already too big
  EXPECT_EQ(bytes, -7);
  EXPECT_TRUE(FreeBytesFromGeometry(512, 64, 0, bytes));
  EXPECT_EQ(bytes, 0);
}
