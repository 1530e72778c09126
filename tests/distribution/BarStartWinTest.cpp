// The installed product end to end: the setup's Launcher.exe brings up the
// bar with the seeded configuration, whose panel texts are read from this
// (another) process, in the order setup seeded them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "bar/PanelWindows.h"
#include "tests/distribution/DistributionSupport.h"
#include "tests/support/WinTest.h"

using namespace wintest;
using namespace dist;

namespace {

// The stand-in resource meter answers what these say (see tests/standins/rsrc32).
const char* const kMeterVariables[][2] = {
    {"CVL_RSRC32_SYSTEM", "41"}, {"CVL_RSRC32_USER", "63"}, {"CVL_RSRC32_GDI", "52"}};

std::string PanelText(HWND bar, int slot) {
  HWND cell = GetDlgItem(bar, kTextCellIdBase + slot);
  return cell ? WindowText(cell) : "<no panel>";
}

// The local time or short date of one of the last few seconds, formatted as
// the user's regional settings say: what the time and date panels show.
bool IsRecent(const std::string& text, bool date) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  FILETIME ft;
  SystemTimeToFileTime(&now, &ft);
  for (int back = 0; back <= 4; ++back) {
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    t.QuadPart -= static_cast<ULONGLONG>(back) * 10000000;
    FILETIME moment{t.LowPart, t.HighPart};
    SYSTEMTIME st;
    FileTimeToSystemTime(&moment, &st);
    char formatted[80] = "";
    if (date)
      GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, formatted, sizeof formatted);
    else
      GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, formatted, sizeof formatted);
    if (text == formatted) return true;
  }
  return false;
}

bool Matches(const std::string& text, const char* pattern) {
  return std::regex_match(text, std::regex(pattern));
}

class InstalledBar : public ::testing::Test {
 protected:
  void SetUp() override {
    ForgetInstallation();
    // A processor usage that Wine's counters never give by themselves.
    SetPerfStat("KERNEL\\CPUUsage", 37);
    for (const auto& v : kMeterVariables) SetEnvironmentVariableA(v[0], v[1]);
  }
  void TearDown() override {
    if (application_ && IsWindow(application_)) {
      PostMessageA(application_, WM_CLOSE, 0, 0);
      WaitUntil([&] { return !IsWindow(application_); }, 20000);
    }
    if (!folder_.empty()) {
      EXPECT_TRUE(RunUninstaller(folder_, "/REMOVESETTINGS"));
    }
    for (const auto& v : kMeterVariables) SetEnvironmentVariableA(v[0], nullptr);
    DeletePerfStat("KERNEL\\CPUUsage");
    ForgetInstallation();
  }

  // Installs silently into a fresh folder and starts the installed launcher,
  // as the Start-menu shortcut does; the bar's window, or nullptr.
  HWND InstallAndLaunch(const std::string& tag) {
    folder_ = NewInstallFolder(tag);
    EXPECT_EQ(0, RunSetup("/D=" + folder_));
    if (!FileExists(folder_ + "\\Main.exe")) return nullptr;

    ChildProcess launcher;
    if (!launcher.Start(folder_ + "\\Launcher.exe", "", MakeTempDir("cwd"))) return nullptr;
    EXPECT_NE(nullptr,
              WaitForTopWindow("CorvellaSplash", "Corvella", launcher.Pid(), 10000, true));
    // The hidden window that marks the running bar, and the bar itself.
    application_ = WaitForTopWindow("TApplication", "CVL", 0, 20000);
    if (!application_) return nullptr;
    DWORD barPid = 0;
    GetWindowThreadProcessId(application_, &barPid);
    HWND bar = WaitForTopWindow("TBarForm", "", barPid, 20000, true);
    EXPECT_TRUE(launcher.WaitExit(5000));
    // Start-up is over once the last setting has been applied and written.
    WaitUntil([] { return Setting("Settings", "OnTop") != "<missing>"; }, 10000);
    return bar;
  }

  // Every panel shows a reading (not the empty cell or dashes) in time.
  bool WaitForReadings(HWND bar, int panels) {
    return WaitUntil([&] {
      for (int slot = 1; slot <= panels; ++slot) {
        const std::string text = PanelText(bar, slot);
        if (text.empty() || text == "------" || text == "<no panel>") return false;
      }
      return true;
    }, 10000);
  }

  std::string folder_;
  HWND application_ = nullptr;
};

TEST_F(InstalledBar, LauncherBringsUpTheSeededPanelsInOrder) {
  // With the resource meter present setup adds the free resources panel too.
  ResourceMeterInstalled meter;
  ASSERT_TRUE(meter.Ok());
  MessageBoxWatcher boxes;
  HWND bar = InstallAndLaunch("bar");
  if (!FileExists(folder_ + "\\Main.exe")) GTEST_SKIP() << "Main.exe is not built in this tree yet";
  ASSERT_NE(nullptr, bar) << boxes.Summary();
  // The bar wrote its version at start: it runs with the installed settings.
  EXPECT_EQ("1.6", Setting("Settings", "Version"));
  ASSERT_TRUE(WaitForReadings(bar, 7)) << PanelText(bar, 1) << " ... " << PanelText(bar, 7);

  // Processor usage, memory, running time, free resources, this month's
  // dial-up, time, date; nothing more.
  EXPECT_EQ("37%", PanelText(bar, 1));
  const std::string memory = PanelText(bar, 2);
  ASSERT_TRUE(Matches(memory, "[0-9]+Mb / [0-9]+%")) << memory;
  // All of the free memory, also past the 2 Gb a 32-bit program is told;
  // builds running beside the test move it by a hundred Mb within a second.
  EXPECT_NEAR(static_cast<double>(MemoryStatusEx().AvailPhys) / 1048576,
              std::atof(memory.c_str()), 512)
      << memory;
  const std::string running = PanelText(bar, 3);
  ASSERT_TRUE(Matches(running, "[0-9]+:[0-5][0-9]:[0-5][0-9]")) << running;
  const int h = std::atoi(running.c_str()), m = std::atoi(running.c_str() + running.find(':') + 1),
            s = std::atoi(running.c_str() + running.rfind(':') + 1);
  EXPECT_NEAR(GetTickCount() / 1000.0, h * 3600.0 + m * 60 + s, 5) << running;
  EXPECT_EQ("41% / 63% / 52%", PanelText(bar, 4));
  EXPECT_EQ("0 / 0:00:00", PanelText(bar, 5));
  EXPECT_TRUE(WaitUntil([&] { return IsRecent(PanelText(bar, 6), false); }, 3000))
      << PanelText(bar, 6);
  EXPECT_TRUE(WaitUntil([&] { return IsRecent(PanelText(bar, 7), true); }, 3000))
      << PanelText(bar, 7);
  EXPECT_EQ("<no panel>", PanelText(bar, 8));

  // The display thread keeps them current: a new reading shows up.
  SetPerfStat("KERNEL\\CPUUsage", 88);
  EXPECT_TRUE(WaitUntil([&] { return PanelText(bar, 1) == "88%"; }, 5000)) << PanelText(bar, 1);
  EXPECT_EQ(0u, boxes.Count()) << boxes.Summary();

  // Closing the application window ends the bar.
  PostMessageA(application_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(application_); }, 20000));
}

// Where Windows has no resource meter setup leaves the resources panel out,
// so the bar starts without the "could not be loaded" box.
TEST_F(InstalledBar, WithoutTheResourceMeterTheBarStartsQuietly) {
  MessageBoxWatcher boxes;
  HWND bar = InstallAndLaunch("nometer");
  if (!FileExists(folder_ + "\\Main.exe")) GTEST_SKIP() << "Main.exe is not built in this tree yet";
  ASSERT_NE(nullptr, bar) << boxes.Summary();
  ASSERT_TRUE(WaitForReadings(bar, 6)) << PanelText(bar, 1) << " ... " << PanelText(bar, 6);
  EXPECT_EQ("37%", PanelText(bar, 1));
  EXPECT_EQ("0 / 0:00:00", PanelText(bar, 4));
  EXPECT_TRUE(WaitUntil([&] { return IsRecent(PanelText(bar, 6), true); }, 3000))
      << PanelText(bar, 6);
  EXPECT_EQ("<no panel>", PanelText(bar, 7));
  Sleep(1500);  // a load failure would be reported by now
  EXPECT_EQ(0u, boxes.Count()) << boxes.Summary();
}

}  // namespace
