// Dialtally.cvl and Resource.cvl as the bar uses them: loaded through the
// contract code from a folder that holds them beside cvl.dll and, for
// Resource.cvl, the resource meter stand-in.
#include <gtest/gtest.h>

#include <cstdlib>

#include "shared/Common.h"
#include "tests/support/WinTest.h"
#include "tests/fakes/SensorTextStrings.h"

using namespace wintest;

namespace {

constexpr const char* kTallyKey = "Software\\Veltrop\\DialtallyPlugin\\Settings";
constexpr const char* kConnectSpeed = "Dial-Up Adapter\\ConnectSpeed";

std::string Tally(const char* name) { return GetString(HKEY_LOCAL_MACHINE, kTallyKey, name); }

int TodaysDay() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wDay;
}

SIZE BitmapSize(BitmapHandle icon) {
  BITMAP bm{};
  SIZE size{0, 0};
  if (icon && GetObjectA(static_cast<HBITMAP>(icon), sizeof bm, &bm) == sizeof bm)
    size = {bm.bmWidth, bm.bmHeight};
  return size;
}

// What the resource meter stand-in answers (see tests/standins/rsrc32).
void SetFreeResources(int system, int gdi, int user) {
  SetEnvironmentVariableA("CVL_RSRC32_SYSTEM", std::to_string(system).c_str());
  SetEnvironmentVariableA("CVL_RSRC32_GDI", std::to_string(gdi).c_str());
  SetEnvironmentVariableA("CVL_RSRC32_USER", std::to_string(user).c_str());
}

// A folder laid out like the installation folder. It is also made the current
// folder, so the plug-ins' load-time imports resolve from it as they do from
// the bar's own folder.
class PluginFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetVeltropKeys();
    DeletePerfStat(kConnectSpeed);
    dir_ = MakeTempDir("shipped-plugins");
    for (const char* file : {"Dialtally.cvl", "Resource.cvl", "cvl.dll"})
      ASSERT_TRUE(CopyInto(BinDir() + file, dir_)) << file;
    if (WithResourceMeter()) ASSERT_TRUE(CopyInto(TestBinDir() + "rsrc32.dll", dir_));
    GetCurrentDirectoryA(MAX_PATH, previousDir_);
    SetCurrentDirectoryA(dir_.c_str());
  }
  void TearDown() override {
    Contract().ReleasePluginLibraries();
    SetCurrentDirectoryA(previousDir_);
    for (const char* name : {"CVL_RSRC32_SYSTEM", "CVL_RSRC32_GDI", "CVL_RSRC32_USER"})
      SetEnvironmentVariableA(name, nullptr);
    DeletePerfStat(kConnectSpeed);
    ResetVeltropKeys();
  }
  virtual bool WithResourceMeter() const { return true; }
  std::string Dialtally() const { return dir_ + "Dialtally.cvl"; }
  std::string Resource() const { return dir_ + "Resource.cvl"; }

  std::string dir_;
  char previousDir_[MAX_PATH] = "";
};

class DialtallyPlugin : public PluginFolder {};
class ResourcePlugin : public PluginFolder {};
class ResourceWithoutMeter : public PluginFolder {
 protected:
  bool WithResourceMeter() const override { return false; }
};

}  // namespace

TEST_F(DialtallyPlugin, DescribesItselfThroughTheContract) {
  EXPECT_EQ(Contract().GetPluginFacilities(Dialtally()), PluginHasSensor);
  EXPECT_EQ(Contract().GetPluginName(Dialtally()), "Monthly Internet Details");
  TSENSORINFO info;
  Contract().GetSensorInfo(Dialtally(), info);
  EXPECT_EQ(info.Description, "Dialtally: No Of Connections & Total Time");
  EXPECT_EQ(info.ToolTip, "Monthly Internet Details : No Of Connections / Total Time");
  EXPECT_EQ(info.Width, 80);
  const SIZE size = BitmapSize(info.Icon);
  EXPECT_EQ(size.cx, 16);
  EXPECT_EQ(size.cy, 16);
  if (info.Icon) DeleteObject(static_cast<HBITMAP>(info.Icon));
}

TEST_F(DialtallyPlugin, FirstCallEverNotConnectedWritesAllFiveValues) {
  // Windows 98: no adapter statistics; other systems: remote access has no
  // connection under Wine.
  TSensorFunction fn = Contract().LoadSensorFunction(Dialtally());
  ASSERT_NE(fn, nullptr);
  EXPECT_EQ(SensorText(Contract(), fn), "0 / 0:00:00");
  EXPECT_EQ(Tally("TimeConnected"), "0");
  EXPECT_EQ(Tally("TotalTime"), "0");
  // The day of the month, also under Wine's month-first short date.
  EXPECT_EQ(Tally("LastDate"), std::to_string(TodaysDay()));
  EXPECT_EQ(Tally("NoConnections"), "0");
  EXPECT_EQ(Tally("NetActive"), "FALSE");

  SetSetting("Settings", "MultiInfoSep", "|");
  EXPECT_EQ(SensorText(Contract(), fn), "0 | 0:00:00");
}

TEST_F(DialtallyPlugin, ConnectSpeedCountsOnWindows98Only) {
  SetPerfStat(kConnectSpeed, 28800);
  TSensorFunction fn = Contract().LoadSensorFunction(Dialtally());
  ASSERT_NE(fn, nullptr);
  SensorText(Contract(), fn);
  Sleep(1000);
  const std::string text = SensorText(Contract(), fn);
  if (!InWin98Mode()) {
    // Other systems ask remote access, which sees no connection here.
    EXPECT_EQ(text, "0 / 0:00:00");
    EXPECT_EQ(Tally("NetActive"), "FALSE");
    return;
  }
  EXPECT_EQ(Tally("NoConnections"), "1");
  EXPECT_EQ(Tally("NetActive"), "TRUE");
  const int total = std::atoi(Tally("TotalTime").c_str());
  EXPECT_GE(total, 950);
  EXPECT_LE(total, 2500);
  EXPECT_EQ(text, "1 / 0:00:0" + std::to_string(total / 1000));

  // 9600 ends the connection; 0 changes nothing; the next speed counts anew.
  SetPerfStat(kConnectSpeed, 9600);
  SensorText(Contract(), fn);
  EXPECT_EQ(Tally("NetActive"), "FALSE");
  EXPECT_EQ(Tally("TimeConnected"), "0");
  SetPerfStat(kConnectSpeed, 0);
  SensorText(Contract(), fn);
  EXPECT_EQ(Tally("NetActive"), "FALSE");
  SetPerfStat(kConnectSpeed, 28800);
  SensorText(Contract(), fn);
  EXPECT_EQ(Tally("NoConnections"), "2");
  EXPECT_EQ(Tally("NetActive"), "TRUE");
  EXPECT_EQ(std::atoi(Tally("TotalTime").c_str()), total);
}

TEST_F(ResourcePlugin, DescribesItselfThroughTheContract) {
  EXPECT_EQ(Contract().GetPluginFacilities(Resource()), PluginHasSensor | PluginHasWarning);
  EXPECT_EQ(Contract().GetPluginName(Resource()), "System Resources Plugin");
  TSENSORINFO sensor;
  Contract().GetSensorInfo(Resource(), sensor);
  EXPECT_EQ(sensor.Description, "Free Resources : System, User & GDI");
  EXPECT_EQ(sensor.ToolTip, "System Resources : System Free / User Free / GDI Free");
  EXPECT_EQ(sensor.Width, 103);
  const SIZE size = BitmapSize(sensor.Icon);
  EXPECT_EQ(size.cx, 16);
  EXPECT_EQ(size.cy, 16);
  if (sensor.Icon) DeleteObject(static_cast<HBITMAP>(sensor.Icon));

  TWARNINGINFO warning;
  Contract().GetWarningInfo(Resource(), warning);
  EXPECT_EQ(warning.Message, "System Resources have dropped below");
  EXPECT_EQ(warning.Description, "System Resources drop below");
  EXPECT_EQ(warning.Val, "%");
  EXPECT_EQ(warning.Max, 95);
  EXPECT_EQ(warning.Min, 5);
  EXPECT_EQ(warning.Increment, 1);
}

TEST_F(ResourcePlugin, SensorShowsSystemUserGdiWithTheSeparator) {
  SetFreeResources(85, 90, 80);
  TSensorFunction fn = Contract().LoadSensorFunction(Resource());
  ASSERT_NE(fn, nullptr);
  EXPECT_EQ(SensorText(Contract(), fn), "85% / 80% / 90%");
  SetSetting("Settings", "MultiInfoSep", ":");
  EXPECT_EQ(SensorText(Contract(), fn), "85% : 80% : 90%");
}

TEST_F(ResourcePlugin, WarningHoldsWhileAnyKindIsStrictlyBelowTheThreshold) {
  TWarningFunction fn = Contract().LoadWarningFunction(Resource());
  ASSERT_NE(fn, nullptr);
  SetFreeResources(50, 4, 60);
  EXPECT_TRUE(Contract().CallWarningFunction(fn, 5));
  EXPECT_EQ(fn(5), -1);
  EXPECT_FALSE(Contract().CallWarningFunction(fn, 4));  // equal to the lowest
  SetFreeResources(6, 50, 60);
  EXPECT_FALSE(Contract().CallWarningFunction(fn, 6));
  EXPECT_TRUE(Contract().CallWarningFunction(fn, 7));
  SetFreeResources(50, 60, 9);
  EXPECT_TRUE(Contract().CallWarningFunction(fn, 10));
  EXPECT_EQ(fn(9), 0);
}

TEST_F(ResourceWithoutMeter, DoesNotLoadSoThePanelLoaderSkipsIt) {
  EXPECT_EQ(Contract().GetPluginFacilities(Resource()), 0);
  EXPECT_EQ(Contract().LoadSensorFunction(Resource()), nullptr);
  EXPECT_EQ(Contract().LoadWarningFunction(Resource()), nullptr);
  EXPECT_EQ(Contract().GetPluginName(Resource()), "");
  // Dialtally needs no resource meter.
  EXPECT_EQ(Contract().GetPluginFacilities(Dialtally()), PluginHasSensor);
}

// ---- Remote access (systems other than Windows 98) ------------------------
// Wine binds its own rasapi32.dll unless a program is told, before it starts,
// to prefer another; so the plug-in runs in a child copy of this program
// (RemoteAccessChild) that loads the stand-in first.

namespace {

std::string OwnProgram() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

std::string WineOverridesKey() {
  const std::string program = OwnProgram();
  return "Software\\Wine\\AppDefaults\\" + program.substr(program.find_last_of("\\/") + 1);
}

}  // namespace

class DialtallyRemoteAccess : public PluginFolder {
 protected:
  void SetUp() override {
    PluginFolder::SetUp();
    if (InWin98Mode()) GTEST_SKIP() << "Windows 98 reads the adapter speed instead";
    ASSERT_TRUE(CopyFileA((TestBinDir() + "rasapi32-standin.dll").c_str(),
                          (dir_ + "rasapi32.dll").c_str(), FALSE));
    SetString(HKEY_CURRENT_USER, WineOverridesKey() + "\\DllOverrides", "rasapi32", "native");
  }
  void TearDown() override {
    DeleteTree(HKEY_CURRENT_USER, WineOverridesKey());
    PluginFolder::TearDown();
  }
  // Two sensor calls a second apart in the child, with `connections` reported.
  void RunChild(int connections) {
    SetEnvironmentVariableA("CVL_RAS_CONNECTIONS", std::to_string(connections).c_str());
    SetEnvironmentVariableA("CVL_RAS_CHILD_DIR", dir_.c_str());
    ChildProcess child;
    ASSERT_TRUE(child.Start(OwnProgram(), "--gtest_filter=RemoteAccessChild.*", dir_));
    SetEnvironmentVariableA("CVL_RAS_CONNECTIONS", nullptr);
    SetEnvironmentVariableA("CVL_RAS_CHILD_DIR", nullptr);
    ASSERT_TRUE(child.WaitExit(60000));
    EXPECT_EQ(child.ExitCode(), 0u);
  }
};

TEST_F(DialtallyRemoteAccess, ConnectionsReportedByRemoteAccessAreCounted) {
  RunChild(1);
  EXPECT_EQ(Tally("NoConnections"), "1");
  EXPECT_EQ(Tally("NetActive"), "TRUE");
  const int total = std::atoi(Tally("TotalTime").c_str());
  EXPECT_GE(total, 950);
  EXPECT_LE(total, 2500);

  RunChild(0);
  EXPECT_EQ(Tally("NetActive"), "FALSE");
  EXPECT_EQ(Tally("TimeConnected"), "0");
  EXPECT_EQ(Tally("NoConnections"), "1");
  EXPECT_EQ(std::atoi(Tally("TotalTime").c_str()), total);
}

TEST(RemoteAccessChild, TwoSensorCallsASecondApart) {
  char dir[MAX_PATH] = "";
  if (GetEnvironmentVariableA("CVL_RAS_CHILD_DIR", dir, sizeof dir) == 0)
    GTEST_SKIP() << "runs only as the child of DialtallyRemoteAccess";
  HMODULE ras = LoadLibraryA((std::string(dir) + "rasapi32.dll").c_str());
  ASSERT_NE(ras, nullptr);
  ASSERT_NE(GetProcAddress(ras, "CvlRasStandin"), nullptr)
      << "Wine bound its own rasapi32.dll";
  TSensorFunction fn = Contract().LoadSensorFunction(std::string(dir) + "Dialtally.cvl");
  ASSERT_NE(fn, nullptr);
  SensorText(Contract(), fn);
  Sleep(1000);
  SensorText(Contract(), fn);
  Contract().ReleasePluginLibraries();
}

// ---- About boxes ------------------------------------------------------------

namespace {

DWORD WINAPI ShowSettingsThread(LPVOID path) {
  Contract().ShowPluginSettings(*static_cast<const std::string*>(path));
  return 0;
}

// PluginDisplaySettings shows the settings library's About box with the
// plug-in's texts and returns once it is closed.
void ExpectAboutBox(const std::string& path, const std::vector<std::string>& texts) {
  HANDLE thread = CreateThread(nullptr, 0, ShowSettingsThread,
                               const_cast<std::string*>(&path), 0, nullptr);
  ASSERT_NE(thread, nullptr);
  HWND box = WaitForTopWindow("", "About Corvella", GetCurrentProcessId(), 10000, true);
  EXPECT_NE(box, nullptr);
  if (box) {
    for (const std::string& text : texts) EXPECT_NE(FindChildByText(box, text), nullptr) << text;
    EXPECT_EQ(WaitForSingleObject(thread, 200), static_cast<DWORD>(WAIT_TIMEOUT))
        << "returned while the box was open";
    HWND ok = FindChildByText(box, "OK", "Button");
    EXPECT_NE(ok, nullptr);
    ClickButton(ok ? ok : box);
    if (!ok) PostMessageA(box, WM_CLOSE, 0, 0);
  }
  EXPECT_EQ(WaitForSingleObject(thread, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(thread);
}

}  // namespace

TEST_F(DialtallyPlugin, SettingsShowTheAboutBox) {
  ExpectAboutBox(Dialtally(), {"About Plugin:", "Monthly Internet Details Plugin", "Version 1.1",
                               "Displays Internet Connection Details for Current Month"});
}

TEST_F(ResourcePlugin, SettingsShowTheAboutBox) {
  ExpectAboutBox(Resource(), {"About Plugin:", "System Resources Plugin", "Version 1.2",
                              "Displays System User and GDI Resources Remaining"});
}
