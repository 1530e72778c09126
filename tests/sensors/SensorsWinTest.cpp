// Built-in sensors and checks in a Windows process: real performance
// counters under HKEY_DYN_DATA, the registry, the system's own answers; and
// the shipped bar showing them, where the counters exist and where not.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <regex>
#include <vector>

#include "shared/Globals.h"
#include "sensors/BuiltInPass.h"
#include "sensors/BuiltInsCode.h"
#include "shared/Common.h"
#include "shared/win32/Win32LibraryLoader.h"
#include "tests/bar/BarTestRegistry.h"
#include "tests/support/WinTest.h"
#include "tests/fakes/SensorTextStrings.h"

using namespace wintest;

namespace {

constexpr DWORD kMb = 1048576;

std::string Sensor(int number) { return SensorText(Contract(), BuiltInSensor(number).Function); }
bool Alerts(int kind, int32_t threshold) {
  return Contract().CallWarningFunction(BuiltInWarning(kind).Function, threshold);
}

bool Matches(const std::string& text, const char* pattern) {
  return std::regex_match(text, std::regex(pattern));
}

// The whole numbers of a text, in order.
std::vector<long long> Numbers(const std::string& text) {
  std::vector<long long> found;
  const std::regex number("-?\\d+");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
       it != std::sregex_iterator(); ++it)
    found.push_back(std::stoll(it->str()));
  return found;
}

// Threads that keep every processor busy while the object lives.
class BusyProcessors {
 public:
  BusyProcessors() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    for (DWORD i = 0; i < info.dwNumberOfProcessors; ++i) {
      DWORD id;
      threads_.push_back(CreateThread(nullptr, 0, Spin, &stop_, 0, &id));
    }
  }
  ~BusyProcessors() {
    stop_ = true;
    for (HANDLE t : threads_) {
      WaitForSingleObject(t, 5000);
      CloseHandle(t);
    }
  }

 private:
  static DWORD WINAPI Spin(LPVOID stop) {
    volatile unsigned long n = 0;
    while (!*static_cast<std::atomic<bool>*>(stop)) ++n;
    return 0;
  }
  std::atomic<bool> stop_{false};
  std::vector<HANDLE> threads_;
};

class BuiltInsOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    // The test thread calls the sensors as the display thread does, under a
    // call record of its own: a thread without one hands every call to the
    // call helper, outside the pass the test opens.
    static CallRecord calls;
    calls.Attach();
    ResetVeltropKeys();
    for (const char* name : kCounters) DeletePerfStat(name);
    StartPerfStats();
    InitBuiltIns(true);
  }
  void TearDown() override {
    for (const char* name : kCounters) DeletePerfStat(name);
    ResetVeltropKeys();
  }
  static constexpr const char* kCounters[] = {
      "KERNEL\\CPUUsage",  "VMM\\cpgDiskcache",   "VCACHE\\Hits",
      "VCACHE\\Misses",    "VFAT\\BReadsSec",     "VFAT\\BWritesSec",
      "VMM\\cpgSwapfile",  "VMM\\cpgSwapfileInUse", "SMBRedir\\BReadsSec",
      "SMBRedir\\BWritesSec", "KERNEL\\Threads",  "Dial-Up Adapter\\ConnectSpeed",
      "Dial-Up Adapter\\TotalBytesRecvd", "Dial-Up Adapter\\TotalBytesXmit"};
};

// The shipped Main.exe with the counter panels and two memory-load warnings:
// the Windows 9x counters win while they exist (as on Windows 95/98); once
// they are gone the system's own figures show, as on every NT-family
// Windows and under Wine, which has no such counters.
TEST_F(BuiltInsOnWindows, ShippedBarShowsTheCountersWhereTheyExistAndTheSystemsFiguresElsewhere) {
  const int slots[] = {1, 2, 3, 7, 8, 9};
  for (int i = 0; i < 6; ++i) bartest::Panel(i + 1, "", std::to_string(slots[i]), "90");
  SetSetting("Panels", "NoOfPanels", "6");
  // The load of the whole machine moves little: alerts for a threshold
  // below it and none for one above it.
  const MemoryFigures before = MemoryStatusEx();
  ASSERT_GT(before.TotalPhys, 0u) << "no GlobalMemoryStatusEx";
  const int below = static_cast<int>(before.Load) - 3, above = static_cast<int>(before.Load) + 3;
  for (int i : {1, 2}) {
    const std::string key = std::string(kCorvellaKey) + "\\Warnings\\" + std::to_string(i) + "\\General";
    SetString(HKEY_LOCAL_MACHINE, key, "Plugin", "FALSE");
    SetString(HKEY_LOCAL_MACHINE, key, "Number", "13");
    SetString(HKEY_LOCAL_MACHINE, key, "WarnVal", std::to_string(i == 1 ? below : above));
  }
  SetSetting("Warnings", "NoOfWarnings", "2");
  SetSetting("Settings", "Update", "200");
  SetPerfStat("KERNEL\\CPUUsage", 37);
  SetPerfStat("VMM\\cpgDiskcache", 4 * kMb);
  SetPerfStat("VCACHE\\Hits", 3);
  SetPerfStat("VCACHE\\Misses", 1);
  SetPerfStat("VMM\\cpgSwapfile", 64 * kMb);
  SetPerfStat("VMM\\cpgSwapfileInUse", 10 * kMb + kMb / 2);
  SetPerfStat("SMBRedir\\BReadsSec", 3 * kMb);
  SetPerfStat("SMBRedir\\BWritesSec", kMb / 2);
  SetPerfStat("KERNEL\\Threads", 42);

  MessageBoxWatcher boxes;
  ChildProcess main;
  ASSERT_TRUE(main.Start(BinDir() + "Main.exe", "SplashLaunch"));
  HWND bar = WaitForTopWindow("TBarForm", "Corvella", main.Pid(), 20000, true);
  ASSERT_NE(bar, nullptr);
  auto text = [&](int slot) { return WindowText(GetDlgItem(bar, 1000 + slot)); };
  ASSERT_TRUE(WaitUntil([&] { return text(1) == "37%"; }, 10000)) << text(1);
  EXPECT_EQ(text(3), "4Mb / 75%");
  EXPECT_EQ(text(4), "64Mb / 10Mb");
  EXPECT_EQ(text(5), "3Mb / 0Mb");
  EXPECT_TRUE(Matches(text(6), R"(\d+ / 42)")) << text(6);

  for (const char* name : kCounters) DeletePerfStat(name);
  {
    BusyProcessors busy;
    EXPECT_TRUE(WaitUntil(
        [&] {
          const std::vector<long long> cpu = Numbers(text(1));
          return text(1) != "37%" && cpu.size() == 1 && cpu[0] >= 20 && cpu[0] <= 100;
        },
        15000))
        << text(1);
  }
  const MemoryFigures now = MemoryStatusEx();
  const std::string memory = text(2);
  ASSERT_TRUE(Matches(memory, R"(\d+Mb / \d+%)")) << memory;
  const long long freeMb = Numbers(memory)[0], load = Numbers(memory)[1];
  const double systemMb = static_cast<double>(now.AvailPhys) / kMb;
  EXPECT_NEAR(static_cast<double>(freeMb), systemMb, systemMb * 0.05) << memory;
  if (systemMb > 2100) {
    EXPECT_GT(freeMb, 2048) << memory;  // no 32-bit clamp
  }
  EXPECT_GT(load, below);
  EXPECT_LT(load, above);
  const std::vector<long long> processes = Numbers(text(6));
  ASSERT_EQ(processes.size(), 2u) << text(6);
  EXPECT_GT(processes[1], 0) << text(6);
  // No figure of the system mixes with a counter: the swap file, cache and
  // network texts keep their form.
  EXPECT_TRUE(Matches(text(3), R"(\d+Mb / (N/A|\d+%))")) << text(3);
  EXPECT_TRUE(Matches(text(4), R"(\d+Mb / \d+Mb)")) << text(4);
  // A pass may run while the counters are being deleted one by one; the
  // next one reads none of them.
  EXPECT_TRUE(WaitUntil([&] { return text(5) == "0Mb / 0Mb"; }, 2000)) << text(5);

  EXPECT_TRUE(main.Close(15000));
  const std::string alert = "Warning: Memory Load has exceeded " + std::to_string(below) + " %.";
  const std::string none = "Warning: Memory Load has exceeded " + std::to_string(above) + " %.";
  bool alerted = false;
  for (const BoxRecord& box : boxes.Boxes()) {
    alerted = alerted || box.text == alert;
    EXPECT_NE(box.text, none);
  }
  EXPECT_TRUE(alerted) << boxes.Summary();
}

TEST_F(BuiltInsOnWindows, CataloguesBindTheirFunctions) {
  for (int n = 1; n <= 24; ++n) EXPECT_NE(BuiltInSensor(n).Function, nullptr) << n;
  EXPECT_EQ(BuiltInSensor(16).Name, "System Temperature : Temperature 1 ");
  EXPECT_EQ(BuiltInSensor(10).Name, "Current Time");
  EXPECT_THROW(BuiltInSensor(25), CvlError);
  EXPECT_THROW(BuiltInSensor(0), CvlError);
  for (int n = 1; n <= 15; ++n) EXPECT_NE(BuiltInWarning(n).Function, nullptr) << n;
  EXPECT_EQ(BuiltInWarning(14).Message, "Swap File size has exceeded");
  EXPECT_EQ(BuiltInWarning(14).Units, "Mb");
  EXPECT_THROW(BuiltInWarning(16), CvlError);
}

TEST_F(BuiltInsOnWindows, CounterSensorsShowTheStoredCounters) {
  SetPerfStat("KERNEL\\CPUUsage", 37);
  SetPerfStat("VMM\\cpgDiskcache", 4 * kMb);
  SetPerfStat("VCACHE\\Hits", 3);
  SetPerfStat("VCACHE\\Misses", 1);
  SetPerfStat("VFAT\\BReadsSec", 0x80000000u);
  SetPerfStat("VFAT\\BWritesSec", 2 * kMb);
  SetPerfStat("VMM\\cpgSwapfile", 64 * kMb);
  SetPerfStat("VMM\\cpgSwapfileInUse", 10 * kMb + kMb / 2);
  SetPerfStat("SMBRedir\\BReadsSec", 3 * kMb);
  SetPerfStat("SMBRedir\\BWritesSec", kMb / 2);
  SetPerfStat("KERNEL\\Threads", 42);

  EXPECT_EQ(Sensor(1), "37%");
  EXPECT_EQ(Sensor(3), "4Mb / 75%");
  const std::string disks = Sensor(4);
  EXPECT_TRUE(Matches(disks, R"(>2Gb / 2Mb /  \[ (-?\d+Mb / )*-?\d+Mb \])")) << disks;
  EXPECT_EQ(Sensor(7), "64Mb / 10Mb");
  EXPECT_EQ(Sensor(8), "3Mb / 0Mb");
  const std::string processes = Sensor(9);
  EXPECT_TRUE(Matches(processes, R"(\d+ / 42)")) << processes;

  SetPerfStat("VCACHE\\Hits", 0);
  SetPerfStat("VCACHE\\Misses", 0);
  EXPECT_EQ(Sensor(3), "4Mb / N/A");
  // An overflow reaches the caller as an ordinary error, not as a fault.
  SetPerfStat("VCACHE\\Hits", 0x7FFFFFFF);
  SetPerfStat("VCACHE\\Misses", 1);
  try {
    Sensor(3);
    FAIL() << "no error";
  } catch (const PluginFault&) {
    FAIL() << "the overflow became a fault";
  } catch (const CvlError& e) {
    EXPECT_STREQ(e.what(), "Integer overflow");
  }
}

TEST_F(BuiltInsOnWindows, DialUpConnectionTimerOfSensorAndCheck) {
  SetPerfStat("Dial-Up Adapter\\ConnectSpeed", 9600);
  if (!InWin98Mode()) {
    // Elsewhere only a connection that the system lists counts.
    EXPECT_EQ(Sensor(5), "0:00:00");
    EXPECT_FALSE(Alerts(2, 0));
    return;
  }
  ASSERT_TRUE(IsWindows98());
  EXPECT_EQ(Sensor(5), "0:00:00 / 9600bps / 0Kb / 0Kb");
  EXPECT_FALSE(Alerts(2, 0));
  SetPerfStat("Dial-Up Adapter\\ConnectSpeed", 28800);
  SetPerfStat("Dial-Up Adapter\\TotalBytesRecvd", 2048);
  SetPerfStat("Dial-Up Adapter\\TotalBytesXmit", 1536);
  EXPECT_EQ(Sensor(5), "0:00:00 / 28800bps / 2Kb / 2Kb");
  Sleep(30);
  EXPECT_TRUE(Alerts(2, 0));  // the timer the sensor started has run for more than 0 s
  EXPECT_FALSE(Alerts(2, 1));
  SetPerfStat("Dial-Up Adapter\\ConnectSpeed", 0);
  EXPECT_EQ(Sensor(5), "No Dial-Up Adapter Information Available");
  SetPerfStat("Dial-Up Adapter\\ConnectSpeed", 9600);
  EXPECT_EQ(Sensor(5), "0:00:00 / 9600bps / 2Kb / 2Kb");
  EXPECT_FALSE(Alerts(2, 0));
}

TEST_F(BuiltInsOnWindows, SystemSensorsFollowTheSystem) {
  EXPECT_TRUE(Matches(Sensor(2), R"(\d+Mb / \d+%)")) << Sensor(2);
  EXPECT_TRUE(Matches(Sensor(6), R"(\d+:\d\d:\d\d)")) << Sensor(6);
  EXPECT_EQ(Sensor(11), "Battery N/A");  // no battery here
  const std::string display = Sensor(13);
  const std::string size = std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " x " +
                           std::to_string(GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(Matches(display, (size + " / (8|16|24|32) Bit").c_str())) << display;
  EXPECT_TRUE(Matches(Sensor(14), R"(\d+ / \d+ x \d+)")) << Sensor(14);
  const std::string windows = Sensor(15);
  EXPECT_TRUE(Matches(windows, R"(\d+ / \d+ / \d+)")) << windows;
}

DWORD WINAPI WindowsSensorElsewhere(LPVOID text) {
  *static_cast<std::string*>(text) = Sensor(15);
  return 0;
}

// Within one pass sensors 9 and 15 show one walk of the top-level windows,
// taken by the first of them; another thread's call, and every call after
// the pass, walks again.
TEST_F(BuiltInsOnWindows, APassWalksTheTopLevelWindowsOnce) {
  std::string inPass, processes, elsewhere;
  HWND added = nullptr;
  {
    const BuiltInPass pass;
    processes = Sensor(9);
    inPass = Sensor(15);
    added = CreateWindowExA(0, "STATIC", "one more", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(Sensor(15), inPass) << "the pass's own walk";
    EXPECT_EQ(Numbers(Sensor(9))[0], Numbers(processes)[0]);
    HANDLE other = CreateThread(nullptr, 0, WindowsSensorElsewhere, &elsewhere, 0, nullptr);
    ASSERT_NE(other, nullptr);
    WaitForSingleObject(other, 10000);
    CloseHandle(other);
  }
  const std::vector<long long> before = Numbers(inPass);
  ASSERT_EQ(before.size(), 3u) << inPass;
  // The new window is visible (the system may add hidden ones of its own).
  EXPECT_EQ(Numbers(elsewhere)[0], before[0] + 1) << "another thread walks for itself";
  EXPECT_GT(Numbers(elsewhere)[2], before[2]) << elsewhere;
  const std::string after = Sensor(15);
  EXPECT_EQ(Numbers(after)[0], before[0] + 1) << after;
  EXPECT_GT(Numbers(after)[2], before[2]) << after;
  {
    const BuiltInPass next;
    EXPECT_EQ(Sensor(15), after) << "the next pass walks again";
  }
  DestroyWindow(added);
}

// Sensor 4 and check 1 ask the Windows drive's free space once per pass.
TEST_F(BuiltInsOnWindows, APassAsksADrivesFreeSpaceOnce) {
  const char* const file = "C:\\cvl-free-space.bin";
  uint64_t first = 0, again = 0;
  {
    const BuiltInPass pass;
    first = PassFreeBytesOn("C:\\");
    HANDLE h = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::vector<char> block(4 * kMb, 'x');
    DWORD written = 0;
    WriteFile(h, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
    FlushFileBuffers(h);
    CloseHandle(h);
    again = PassFreeBytesOn("c:\\");
  }
  const uint64_t after = PassFreeBytesOn("C:\\");
  DeleteFileA(file);
  EXPECT_GT(first, 0u);
  EXPECT_EQ(again, first) << "the pass's own answer";
  EXPECT_NE(after, first) << "asked again after the pass (the file took room)";
}

// A pass that finds the counter key empty asks no counter one by one; the
// next pass reads a counter written in between.
TEST_F(BuiltInsOnWindows, ACounterWrittenBetweenTwoPassesShowsInTheSecond) {
  {
    const BuiltInPass pass;
    EXPECT_TRUE(Matches(Sensor(1), R"(\d+%)"));
    EXPECT_TRUE(Matches(Sensor(7), R"(\d+Mb / \d+Mb)"));
  }
  SetPerfStat("VMM\\cpgSwapfile", 3 * kMb);
  SetPerfStat("VMM\\cpgSwapfileInUse", kMb);
  const BuiltInPass pass;
  EXPECT_EQ(Sensor(7), "3Mb / 1Mb");
}

TEST_F(BuiltInsOnWindows, TimeAndDateUseTheUsersFormats) {
  char oldTime[80] = {}, oldDate[80] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, oldTime, sizeof oldTime);
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, oldDate, sizeof oldDate);
  ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, "HH'h'mm'm'ss"));
  ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, "yyyy'#'MM'#'dd"));
  const std::string time = Sensor(10);
  const std::string date = Sensor(12);
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, oldTime);
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, oldDate);
  EXPECT_TRUE(Matches(time, R"(\d\dh\d\dm\d\d)")) << time;
  SYSTEMTIME now;
  GetLocalTime(&now);
  char expected[32];
  wsprintfA(expected, "%04d#%02d#%02d", now.wYear, now.wMonth, now.wDay);
  EXPECT_EQ(date, expected);
}

TEST_F(BuiltInsOnWindows, SeparatorComesFromTheSettings) {
  SetPerfStat("VMM\\cpgSwapfile", 64 * kMb);
  SetPerfStat("VMM\\cpgSwapfileInUse", 10 * kMb);
  SetSetting("Settings", "MultiInfoSep", "||");
  InitBuiltIns(false);
  EXPECT_EQ(MultiInfoSeparator(), " ||");
  EXPECT_EQ(Sensor(7), "64Mb ||10Mb");
  SetSetting("Settings", "MultiInfoSep", "-");
  InitBuiltIns(false);
  EXPECT_EQ(Sensor(7), "64Mb - 10Mb");
  SetSetting("Settings", "MultiInfoSep", "");
  InitBuiltIns(false);
  EXPECT_EQ(Sensor(7), "64Mb / 10Mb");
}

TEST_F(BuiltInsOnWindows, ChecksAgainstTheirThresholds) {
  SetPerfStat("VMM\\cpgSwapfile", 65 * kMb);
  EXPECT_TRUE(Alerts(14, 64));
  EXPECT_FALSE(Alerts(14, 65));
  MEMORYSTATUS memory{};
  memory.dwLength = sizeof memory;
  GlobalMemoryStatus(&memory);
  EXPECT_TRUE(Alerts(13, -1));
  EXPECT_FALSE(Alerts(13, 100));
  // The Windows drive has some free space, and less than 2^31 Mb.
  EXPECT_TRUE(Alerts(1, INT32_MAX));
  EXPECT_FALSE(Alerts(1, 0));
  EXPECT_FALSE(Alerts(3, 101));  // battery unknown: never
  EXPECT_TRUE(Alerts(15, -1));
  EXPECT_FALSE(Alerts(15, INT32_MAX));
}

}  // namespace
