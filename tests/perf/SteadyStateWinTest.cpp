// Once warmed up, the real built-in sensor and check functions, plug-in
// functions through the guarded path, and a warning list of 100 loaded from
// the registry allocate nothing on the calling thread. That thread owns a
// call record, as the display thread does, so its calls are made on it. The heap counter sees
// operator new (replaced in this program) and malloc, calloc and realloc
// (wrapped at link time), which covers the product code and the C++ and
// MinGW runtimes linked into the program; Chipwatch.dll, the plug-ins and the
// system's own libraries keep heaps of their own and are not counted.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "shared/Globals.h"
#include "sensors/BuiltInPass.h"
#include "sensors/BuiltInsCode.h"
#include "tests/support/SystemWarningHost.h"
#include "shared/Common.h"
#include "shared/win32/Win32LibraryLoader.h"
#include "tests/perf/HeapCounter.h"
#include "tests/support/WinTest.h"
#include "tests/fakes/SensorTextStrings.h"

using namespace wintest;

namespace {

constexpr DWORD kMb = 1048576;

std::string Describe(const heapcount::Counts& c) {
  return std::to_string(c.News) + " new and " + std::to_string(c.Mallocs) + " malloc calls";
}

class SteadyStateOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    static CallRecord passes;
    passes.Attach();
    ResetVeltropKeys();
    SetSetting("Settings", "InstalledDir", TestBinDir());
    SetSetting("LM78", "LM78Enable", "TRUE");
    SetSetting("LM78", "Fan1Type", "1");
    SetSetting("LM78", "Fan2Type", "2");
    SetSetting("LM78", "Fan3Type", "3");
    // Counters that make the longest texts.
    SetPerfStat("KERNEL\\CPUUsage", 100);
    SetPerfStat("VFAT\\BReadsSec", 0x80000000u);
    SetPerfStat("VFAT\\BWritesSec", 5 * kMb);
    SetPerfStat("VMM\\cpgDiskcache", 64 * kMb);
    SetPerfStat("VCACHE\\Hits", 3);
    SetPerfStat("VCACHE\\Misses", 1);
    SetPerfStat("VMM\\cpgSwapfile", 65 * kMb);
    SetPerfStat("Dial-Up Adapter\\ConnectSpeed", 28800);
    SetPerfStat("Dial-Up Adapter\\TotalBytesRecvd", 123456789);
    SetPerfStat("Dial-Up Adapter\\TotalBytesXmit", 98765432);
    // Off Windows 98 the dial-up sensor asks the remote access library,
    // which must be loaded for the question to reach it.
    ras_ = LoadLibraryA("rasapi32.dll");
    SetEnvironmentVariableA("CVL_TEST_LEVEL", "50");
    StartPerfStats();
    InitBuiltIns(true);
  }
  void TearDown() override {
    Contract().ReleasePluginLibraries();
    if (ras_) FreeLibrary(ras_);
    SetEnvironmentVariableA("CVL_TEST_LEVEL", nullptr);
    ResetVeltropKeys();
  }

  HMODULE ras_ = nullptr;
};

DWORD WINAPI AllocateElsewhere(LPVOID) {
  std::string* volatile kept = new std::string(100, 'y');
  delete kept;
  return 0;
}

TEST_F(SteadyStateOnWindows, TheCounterSeesThisProgramsHeap) {
  {
    heapcount::Scope scope;
    int* volatile kept = new int(7);  // volatile: the pair cannot be optimised away
    delete kept;
    const heapcount::Counts c = scope.Stop();
    EXPECT_EQ(c.News, 1);
    EXPECT_EQ(c.Mallocs, 1) << "operator new takes its block from the wrapped malloc";
  }
  {
    heapcount::Scope scope;
    void* (*volatile allocate)(size_t) = std::malloc;
    std::free(allocate(24));
    void* (*volatile zeroed)(size_t, size_t) = std::calloc;
    std::free(zeroed(2, 8));
    EXPECT_EQ(scope.Stop().Mallocs, 2);
  }
  {
    // The string form of the guarded call copies a 31-character text out.
    const TSensorFunction volts = BuiltInSensor(21).Function;
    SensorText(Contract(), volts);
    heapcount::Scope scope;
    EXPECT_EQ(SensorText(Contract(), volts), "+0.00V / 0.00V / +0.00V / 0.00V");
    EXPECT_GE(scope.Stop().Total(), 1);
  }
  {
    heapcount::Scope scope;
    HANDLE other = CreateThread(nullptr, 0, AllocateElsewhere, nullptr, 0, nullptr);
    ASSERT_NE(other, nullptr);
    WaitForSingleObject(other, 5000);
    CloseHandle(other);
    EXPECT_EQ(scope.Stop().News, 0) << "another thread's allocation is not this thread's";
  }
}

TEST_F(SteadyStateOnWindows, EveryBuiltInSensorAfterItsFirstCall) {
  for (int n = 1; n <= 24; ++n) {
    const TSensorFunction fn = BuiltInSensor(n).Function;
    TextBuffer buffer;
    Contract().CallSensorFunction(fn, buffer);  // the first call may set up what it reads
    heapcount::Scope scope;
    for (int k = 0; k < 3; ++k) Contract().CallSensorFunction(fn, buffer);
    const heapcount::Counts c = scope.Stop();
    EXPECT_EQ(c.Total(), 0) << "sensor " << n << " (\"" << buffer << "\"): " << Describe(c);
    EXPECT_LE(TextBufferLength(buffer), 79u) << n;
    EXPECT_GT(TextBufferLength(buffer), 0u) << n;
  }
  // The counted calls composed the texts the string form shows.
  TextBuffer swap;
  Contract().CallSensorFunction(BuiltInSensor(7).Function, swap);
  EXPECT_STREQ(swap, "65Mb / 0Mb");
  TextBuffer dialUp;
  Contract().CallSensorFunction(BuiltInSensor(5).Function, dialUp);
  if (InWin98Mode())
    EXPECT_EQ(std::string(dialUp).substr(7), " / 28800bps / 120563Kb / 96451Kb") << dialUp;
  else
    EXPECT_STREQ(dialUp, "0:00:00");
}

TEST_F(SteadyStateOnWindows, WithTheGraphsOnEveryBuiltInHandsItsValueOutWithoutTheHeap) {
  const BuiltInPass pass;  // as the display thread opens around a pass
  WantGraphValues(true);
  for (int n = 1; n <= 24; ++n) {
    const TBuiltInSensor sensor = BuiltInSensor(n);
    TextBuffer buffer;
    Contract().CallSensorFunction(sensor.Function, buffer);
    TakeGraphValue();
    heapcount::Scope scope;
    std::optional<int32_t> value;
    for (int k = 0; k < 3; ++k) {
      Contract().CallSensorFunction(sensor.Function, buffer);
      value = TakeGraphValue();
    }
    const heapcount::Counts c = scope.Stop();
    EXPECT_EQ(c.Total(), 0) << "sensor " << n << ": " << Describe(c);
    if (sensor.Scale == GraphScale::None) EXPECT_FALSE(value) << n;
    if (n == 1) EXPECT_EQ(value, 100) << "the reading of \"" << buffer << "\"";
    if (n == 3) EXPECT_EQ(value, 75) << "3 hits, 1 miss: \"" << buffer << "\"";
    if (n == 4 || n == 9 || n == 20 || n == 22) EXPECT_TRUE(value) << n;
  }
  EXPECT_FALSE(TakeGraphValue()) << "taken once";
  WantGraphValues(false);
  TextBuffer text;
  Contract().CallSensorFunction(BuiltInSensor(1).Function, text);
  EXPECT_FALSE(TakeGraphValue()) << "none while the panels do not graph";
}

TEST_F(SteadyStateOnWindows, EveryBuiltInCheckAfterItsFirstCall) {
  for (int kind = 1; kind <= 15; ++kind) {
    const TWarningFunction fn = BuiltInWarning(kind).Function;
    for (int32_t threshold : {-1, 0, 64, 100000}) {
      Contract().CallWarningFunction(fn, threshold);
      heapcount::Scope scope;
      const bool first = Contract().CallWarningFunction(fn, threshold);
      const bool second = Contract().CallWarningFunction(fn, threshold);
      const heapcount::Counts c = scope.Stop();
      EXPECT_EQ(c.Total(), 0) << "check " << kind << " at " << threshold << ": " << Describe(c);
      if (kind != 2) {  // the connection timer runs on between the two
        EXPECT_EQ(first, second) << kind;
      }
    }
  }
  EXPECT_TRUE(Contract().CallWarningFunction(BuiltInWarning(14).Function, 64));
  EXPECT_FALSE(Contract().CallWarningFunction(BuiltInWarning(14).Function, 65));
}

TEST_F(SteadyStateOnWindows, PluginFunctionsThroughTheGuardedPath) {
  const TSensorFunction sensor = Contract().LoadSensorFunction(TestBinDir() + "complete.cvl");
  const TSensorFunction full = Contract().LoadSensorFunction(TestBinDir() + "text80.cvl");
  const TWarningFunction check = Contract().LoadWarningFunction(TestBinDir() + "complete.cvl");
  ASSERT_TRUE(sensor && full && check);
  TextBuffer buffer, whole;
  Contract().CallSensorFunction(sensor, buffer);
  Contract().CallSensorFunction(full, whole);
  Contract().CallWarningFunction(check, 10);
  heapcount::Scope scope;
  Contract().CallSensorFunction(sensor, buffer);
  Contract().CallSensorFunction(full, whole);
  const bool holds = Contract().CallWarningFunction(check, 10);
  const bool clear = Contract().CallWarningFunction(check, 90);
  const heapcount::Counts c = scope.Stop();
  EXPECT_EQ(c.Total(), 0) << Describe(c);
  EXPECT_EQ(std::string(buffer, TextBufferLength(buffer)).substr(0, 17), "Complete reading ");
  EXPECT_EQ(TextBufferLength(whole), 80u) << "all 80 bytes and no NUL";
  EXPECT_TRUE(holds);
  EXPECT_FALSE(clear);

  // A plug-in's SensorValue, found in the load the panel keeps.
  TSensorValue value = nullptr;
  const TSensorFunction graphed = Contract().LoadSensorFunction(TestBinDir() + "graphvalue.cvl", &value);
  ASSERT_TRUE(graphed && value);
  const int32_t first = Contract().CallSensorValue(value);
  heapcount::Scope values;
  const int32_t second = Contract().CallSensorValue(value);
  EXPECT_EQ(values.Stop().Total(), 0);
  EXPECT_EQ(first + second, 100) << "0, 100, 0, ...";
}

// Thresholds at which each built-in kind holds on this machine (none for
// the battery and the connection time, which do not hold here) and at
// which it does not. Without a chip every voltage deviates: kinds 8 and 9
// always hold.
struct Kind {
  const char* holds;
  const char* clear;
};
const Kind kKinds[15] = {
    {"2147483647", "0"}, {"100000", "100000"}, {"0", "0"},   {"-1", "1000"}, {"-1", "1000"},
    {"-1", "1000"},      {"-1", "1000"},       {"0", "0"},   {"0", "0"},     {"1", "0"},
    {"1", "0"},          {"1", "0"},           {"-1", "100"}, {"64", "65"},  {"-1", "2147483647"},
};

TEST_F(SteadyStateOnWindows, HundredWarningsFromTheRegistry) {
  MessageBoxWatcher boxes;
  SetSetting("Plugins", "NoOfPlugins", "1");
  SetSetting("Plugins", "1", "complete.cvl");
  SetSetting("Warnings", "NoOfWarnings", "100");
  for (int i = 1; i <= 100; ++i) {
    const std::string section = "Warnings\\" + std::to_string(i) + "\\General";
    // A few hold (each alert box takes the harness a while to close); the
    // rest are evaluated every pass without alerting.
    const bool holds = i == 8 || i == 9 || i == 13 || i == 14 || i == 15 || i == 96;
    if (i > 95) {  // the plug-in's level is 50
      SetSetting(section, "Plugin", "TRUE");
      SetSetting(section, "Number", "1");
      SetSetting(section, "WarnVal", holds ? "10" : "90");
      continue;
    }
    int number = (i - 1) % 15 + 1;
    if (i > 15 && (number == 8 || number == 9)) number = 14;
    const Kind& kind = kKinds[number - 1];
    SetSetting(section, "Number", std::to_string(number));
    SetSetting(section, "WarnVal", holds ? kind.holds : kind.clear);
  }
  TWarnings list(SystemWarningHost(), Contract());
  list.LoadWarnings();
  ASSERT_EQ(list.Count(), 100) << boxes.Summary();
  ASSERT_EQ(boxes.Count(), 0u) << boxes.Summary();

  auto pass = [&] {
    for (int i = 1; i <= list.Count(); ++i) list.Items(i).Check();
  };
  pass();  // the holding warnings alert, once each
  const size_t alerts = boxes.Count();
  EXPECT_EQ(alerts, 6u) << boxes.Summary();
  EXPECT_NE(boxes.Summary().find("Warning: Windows has been running longer than -1 Mins."),
            std::string::npos)
      << boxes.Summary();
  EXPECT_NE(boxes.Summary().find("Warning: Swap File size has exceeded 64 Mb."), std::string::npos)
      << boxes.Summary();

  heapcount::Scope scope;
  for (int n = 0; n < 5; ++n) pass();
  const heapcount::Counts c = scope.Stop();
  EXPECT_EQ(c.Total(), 0) << Describe(c);
  Sleep(200);  // a box raised by a counted pass would have shown by now
  EXPECT_EQ(boxes.Count(), alerts) << boxes.Summary();
}

}  // namespace
