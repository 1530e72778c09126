// The setup program and its uninstaller, run silently under Wine.
#include <gtest/gtest.h>

#include "tests/distribution/DistributionSupport.h"
#include "tests/support/WinTest.h"

using namespace wintest;
using namespace dist;

namespace {

const std::string kAppKeyPath = kAppKey;

// Processor usage, memory, running time, the monthly dial-up plug-in (first
// in the plug-in list), time and date.
const std::vector<Entry> kDefaultPanels = {
    {"FALSE", "1", "40"}, {"FALSE", "2", "73"},  {"FALSE", "6", "55"},
    {"TRUE", "1", "80"},  {"FALSE", "10", "73"}, {"FALSE", "12", "58"}};
// Disk space below 100 Mb.
const std::vector<Entry> kDefaultWarnings = {{"FALSE", "1", "100"}};

class SetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(SetupProgram())) << SetupProgram();
    ForgetInstallation();
  }
  void TearDown() override { ForgetInstallation(); }

  // The stand-in keeping the hidden window that marks a running bar.
  void StartRunningBar(ChildProcess& bar) {
    ClearLaunchRecord();
    SetString(HKEY_CURRENT_USER, kRecordKey, "Hold", "1");
    ASSERT_TRUE(bar.Start(TestBinDir() + "RecordLaunch.exe"));
    ASSERT_TRUE(WaitUntil([] { return Recorded("Holding") == "yes"; }, 10000));
  }

  std::string Install(const std::string& tag, const std::string& options = "") {
    std::string folder = NewInstallFolder(tag);
    EXPECT_EQ(0, RunSetup(options + (options.empty() ? "" : " ") + "/D=" + folder));
    return folder;
  }
};

TEST_F(SetupTest, FreshSetupInstallsTheFilesAndGivesAUsefulConfiguration) {
  const std::string folder = Install("fresh");

  for (const std::string& file : ShippedFiles()) {
    SCOPED_TRACE(file);
    EXPECT_EQ(FileSize(BinDir() + file), FileSize(folder + "\\" + file));
  }
  EXPECT_TRUE(FileExists(folder + "\\Launcher.exe"));
  EXPECT_TRUE(FileExists(folder + "\\Help\\Help.htm"));
  EXPECT_TRUE(FileExists(folder + "\\Help\\images\\logo.gif"));
  EXPECT_TRUE(FileExists(folder + "\\Uninstall.exe"));
  // The resource meter's library comes with Windows, never with Corvella.
  EXPECT_FALSE(FileExists(folder + "\\rsrc32.dll"));
  // The plug-in kit is for the few who write plug-ins: only when chosen.
  EXPECT_FALSE(FolderExists(folder + "\\SDK"));

  EXPECT_EQ(folder + "\\", Setting("Settings", "InstalledDir"));
  EXPECT_EQ("2", Setting("Plugins", "NoOfPlugins"));
  EXPECT_EQ("Dialtally.cvl,Resource.cvl", Describe(StoredPlugins()));
  // Without the resource meter there is no panel for the resources plug-in.
  EXPECT_EQ(Describe(kDefaultPanels), Describe(StoredPanels()));
  EXPECT_EQ(Describe(kDefaultWarnings), Describe(StoredWarnings()));

  const std::string menu = MenuFolder();
  EXPECT_TRUE(SamePath(folder + "\\Launcher.exe", ShortcutTarget(menu + "\\Corvella.lnk")))
      << ShortcutTarget(menu + "\\Corvella.lnk");
  EXPECT_TRUE(SamePath(folder + "\\Help\\Help.htm",
                       ShortcutTarget(menu + "\\Corvella Help.lnk")));
  EXPECT_TRUE(SamePath(folder + "\\Uninstall.exe",
                       ShortcutTarget(menu + "\\Uninstall Corvella.lnk")));

  EXPECT_EQ("\"" + folder + "\\Uninstall.exe\"",
            GetString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"));
  // Starting with Windows is the user's choice, off unless asked for.
  EXPECT_EQ("<missing>", GetString(HKEY_LOCAL_MACHINE, kRunKey, "Corvella"));
}

// The bar and the settings dialog build the help path and the start-up entry
// from the folder in 80-byte buffers: 65 characters is the longest folder.
TEST_F(SetupTest, SilentSetupRefusesAFolderTooLongForTheBar) {
  const std::string head = "C:\\cvl setup tests\\", tail = "\\Corvella";
  std::string folder = head + std::string(66 - head.size() - tail.size(), 'x') + tail;
  EXPECT_EQ(2, RunSetup("/D=" + folder));
  EXPECT_FALSE(FolderExists(folder));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppKeyPath));

  folder = head + std::string(65 - head.size() - tail.size(), 'x') + tail;
  EXPECT_EQ(0, RunSetup("/D=" + folder));
  EXPECT_TRUE(FileExists(folder + "\\Launcher.exe"));
  EXPECT_EQ(folder + "\\", Setting("Settings", "InstalledDir"));
  EXPECT_TRUE(RunUninstaller(folder, "/REMOVESETTINGS"));
}

// Without the C runtime in the system folder (the first Windows 95) nothing
// of Corvella could start: setup says why, installs nothing and ends with 3.
// The switch names a file that is missing; Wine's own msvcrt.dll cannot go.
TEST_F(SetupTest, SetupRefusesASystemWithoutTheCRuntime) {
  const std::string folder = NewInstallFolder("noruntime");
  EXPECT_EQ(3, RunSetup("/RUNTIMEFILE=cvlnone.dll /D=" + folder));
  EXPECT_FALSE(FolderExists(folder));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppKeyPath));

  MessageBoxWatcher boxes;
  ChildProcess setup;
  ASSERT_TRUE(setup.Start(SetupProgram(), "/RUNTIMEFILE=cvlnone.dll /D=" + folder));
  ASSERT_TRUE(setup.WaitExit(60000));
  EXPECT_EQ(3u, setup.ExitCode());
  ASSERT_EQ(1u, boxes.Count()) << boxes.Summary();
  EXPECT_NE(std::string::npos, boxes.Boxes()[0].text.find("needs the file msvcrt.dll"))
      << boxes.Summary();
  EXPECT_EQ(MB_ICONHAND, boxes.Boxes()[0].icon);
  EXPECT_FALSE(FolderExists(folder));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppKeyPath));
}

TEST_F(SetupTest, ResourcesPanelIsAddedWhereTheResourceMeterExists) {
  ResourceMeterInstalled meter;
  ASSERT_TRUE(meter.Ok());
  Install("meter");
  std::vector<Entry> expected = kDefaultPanels;
  expected.insert(expected.begin() + 3, Entry{"TRUE", "2", "103"});
  EXPECT_EQ(Describe(expected), Describe(StoredPanels()));
}

TEST_F(SetupTest, SetupOverAnExistingConfigurationKeepsTheUsersLists) {
  SetSetting("Plugins", "NoOfPlugins", "2");
  SetSetting("Plugins", "1", "Other.cvl");
  SetSetting("Plugins", "2", "Dialtally.cvl");
  SetSetting("Panels", "NoOfPanels", "1");
  SetString(HKEY_LOCAL_MACHINE, kAppKeyPath + "\\Panels\\1\\General", "Plugin", "FALSE");
  SetString(HKEY_LOCAL_MACHINE, kAppKeyPath + "\\Panels\\1\\General", "Number", "13");
  SetString(HKEY_LOCAL_MACHINE, kAppKeyPath + "\\Panels\\1\\General", "Width", "99");
  SetSetting("Warnings", "NoOfWarnings", "0");  // the user removed every warning

  Install("again");
  const std::vector<Entry> panels = {{"FALSE", "13", "99"}};
  EXPECT_EQ(Describe(panels), Describe(StoredPanels()));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppKeyPath + "\\Panels\\2"));
  EXPECT_EQ("0", Setting("Warnings", "NoOfWarnings"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppKeyPath + "\\Warnings\\1"));
  EXPECT_EQ("Other.cvl,Dialtally.cvl,Resource.cvl", Describe(StoredPlugins()));

  // A third setup registers nothing twice either, and without a folder given
  // it goes where the last one went.
  const std::string folder = Setting("Settings", "InstalledDir");
  ASSERT_EQ(0, RunSetup(""));
  EXPECT_EQ("Other.cvl,Dialtally.cvl,Resource.cvl", Describe(StoredPlugins()));
  EXPECT_EQ(Describe(panels), Describe(StoredPanels()));
  EXPECT_EQ(folder, Setting("Settings", "InstalledDir"));
  EXPECT_EQ(folder, GetString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation") + "\\");
}

TEST_F(SetupTest, StartWithWindowsEntryNamesTheLauncherAndFollowsTheUsersChoice) {
  const std::string first = Install("run", "/STARTWITHWINDOWS");
  // Unquoted, as the settings dialog writes and compares it.
  EXPECT_EQ(first + "\\Launcher.exe", GetString(HKEY_LOCAL_MACHINE, kRunKey, "Corvella"));

  // A later setup keeps it on and points it at the new folder.
  const std::string second = Install("moved");
  EXPECT_EQ(second + "\\Launcher.exe", GetString(HKEY_LOCAL_MACHINE, kRunKey, "Corvella"));

  // The settings dialog switches it off by emptying the entry: it stays off.
  SetString(HKEY_LOCAL_MACHINE, kRunKey, "Corvella", "");
  Install("off");
  EXPECT_EQ("<missing>", GetString(HKEY_LOCAL_MACHINE, kRunKey, "Corvella"));
}

TEST_F(SetupTest, PluginKitIsInstalledWhenChosenKeptByLaterSetupsAndRemovedWithCorvella) {
  const std::string folder = Install("kit", "/PLUGINKIT");
  const std::string kit = folder + "\\SDK\\";
  for (const char* file : {"CvlPlugin.h", "CvlPlugin.def", "PLUGINS.md", "CvlCheck.exe",
                           "template\\Template.c", "template\\Makefile"}) {
    SCOPED_TRACE(file);
    EXPECT_GT(FileSize(kit + file), 0);
    EXPECT_EQ(FileSize(BinDir() + "SDK\\" + file), FileSize(kit + file));
  }
  // The installed checker passes the installed dial-up plug-in, which binds
  // cvl.dll from the installation folder.
  ChildProcess check;
  ASSERT_TRUE(check.Start(kit + "CvlCheck.exe", "\"" + folder + "\\Dialtally.cvl\""));
  ASSERT_TRUE(check.WaitExit(30000));
  EXPECT_EQ(check.ExitCode(), 0u);

  // A setup without the switch keeps the kit there; a file of the user's in
  // the kit's folder survives the uninstaller.
  ASSERT_EQ(0, RunSetup("/D=" + folder));
  EXPECT_TRUE(FileExists(kit + "CvlPlugin.h"));
  WriteTextFile(kit + "template\\Mine.c", "mine");
  ASSERT_TRUE(RunUninstaller(folder));
  EXPECT_FALSE(FileExists(kit + "CvlCheck.exe"));
  EXPECT_FALSE(FileExists(kit + "template\\Template.c"));
  EXPECT_TRUE(FileExists(kit + "template\\Mine.c"));
}

TEST_F(SetupTest, UninstallerRemovesWhatSetupCreatedAndKeepsTheUsersSettings) {
  ASSERT_EQ(0, RunSetup("/STARTWITHWINDOWS"));  // to the default folder
  const std::string folder = ProgramFilesFolder() + "\\Corvella";
  ASSERT_EQ(folder + "\\", Setting("Settings", "InstalledDir"));
  ASSERT_TRUE(FileExists(folder + "\\Launcher.exe"));
  SetSetting("Settings", "BarPosition", "TOP");

  ASSERT_TRUE(RunUninstaller(folder));
  EXPECT_FALSE(FolderExists(folder));
  EXPECT_FALSE(FolderExists(MenuFolder()));
  EXPECT_EQ("<missing>", GetString(HKEY_LOCAL_MACHINE, kRunKey, "Corvella"));
  EXPECT_EQ("<missing>", Setting("Settings", "InstalledDir"));
  // The lists and the user's choices stay for the next installation.
  EXPECT_EQ("TOP", Setting("Settings", "BarPosition"));
  EXPECT_EQ(Describe(kDefaultPanels), Describe(StoredPanels()));
  EXPECT_EQ("Dialtally.cvl,Resource.cvl", Describe(StoredPlugins()));
}

TEST_F(SetupTest, UninstallerCanRemoveTheSettingsButNeverTheUsersOtherFiles) {
  const std::string folder = Install("purge");
  // A plug-in the user installed, the log, and a file of the user's own.
  WriteTextFile(folder + "\\Extra.cvl", "plug-in");
  SetSetting("Plugins", "3", "Extra.cvl");
  SetSetting("Plugins", "NoOfPlugins", "3");
  WriteTextFile(folder + "\\cvllog.txt", "log");
  WriteTextFile(folder + "\\Notes.txt", "mine");
  SetString(HKEY_LOCAL_MACHINE, "Software\\Veltrop\\DialtallyPlugin\\Settings", "TotalTime", "5");

  ASSERT_TRUE(RunUninstaller(folder, "/REMOVESETTINGS"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Veltrop"));
  EXPECT_FALSE(FileExists(folder + "\\Extra.cvl"));
  EXPECT_FALSE(FileExists(folder + "\\cvllog.txt"));
  EXPECT_FALSE(FileExists(folder + "\\Uninstall.exe"));
  EXPECT_FALSE(FolderExists(folder + "\\Help"));
  EXPECT_TRUE(FileExists(folder + "\\Notes.txt"));
}

TEST_F(SetupTest, SetupAndUninstallerCloseARunningBar) {
  ChildProcess before;
  StartRunningBar(before);
  const std::string folder = Install("running");
  EXPECT_EQ("yes", Recorded("Closed"));
  EXPECT_TRUE(before.WaitExit(5000));

  ChildProcess after;
  StartRunningBar(after);
  ASSERT_TRUE(RunUninstaller(folder));
  EXPECT_EQ("yes", Recorded("Closed"));
  EXPECT_TRUE(after.WaitExit(5000));
}

}  // namespace
