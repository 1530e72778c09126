// Installing and removing plug-ins, without windows: the decisions, the
// "Plugins" entries, and the numbers of the rows that refer to plug-ins.
#include "settings/core/GeneralSettings.h"

#include <gtest/gtest.h>

#include "tests/settings/FakePluginFiles.h"

namespace {

class PluginInstall : public ::testing::Test {
 protected:
  void SetUp() override { s.Set("Settings", "InstalledDir", "C:\\Cvl\\"); }
  void Install(const std::string& file) {
    q.AddBoth("C:\\Cvl\\" + file, file);
    int n = std::stoi(s.GetSetting(kAppName, "Plugins", "NoOfPlugins", "0")) + 1;
    s.Set("Plugins", "NoOfPlugins", std::to_string(n));
    s.Set("Plugins", std::to_string(n), file);
  }
  void StoreEntry(const char* list, int n, const std::string& plugin, const std::string& number,
                  const char* valueName, const std::string& value) {
    std::string sec = std::string(list) + "\\" + std::to_string(n) + "\\General";
    s.Set(sec, "Plugin", plugin);
    s.Set(sec, "Number", number);
    s.Set(sec, valueName, value);
  }
  MemorySettings s;
  FakePluginFiles q{s};
};

TEST_F(PluginInstall, TheListNamesEachEntryOrMarksItInvalid) {
  Install("a.cvl");
  s.Set("Plugins", "NoOfPlugins", "3");
  s.Set("Plugins", "2", "missing.cvl");
  std::vector<PluginRow> rows = LoadPluginRows(q.contract);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].name, "a.cvl Plugin");
  EXPECT_EQ(rows[1].name, "<Invalid Plugin>");
  EXPECT_EQ(rows[1].fileName, "missing.cvl");
  EXPECT_EQ(rows[2].name, "<Invalid Plugin>");  // no file name stored
  EXPECT_EQ(rows[2].fileName, "");
  EXPECT_EQ(rows[2].position, 3);
}

TEST_F(PluginInstall, RefusesWhatIsNoPluginOrAlreadyInstalled) {
  q.AddBoth("D:\\new\\plugin.cvl", "P");
  q.AddBoth("D:\\new\\PLUGIN.CVL", "Caps");
  q.files["D:\\new\\notplugin.cvl"] = FakePlugin();  // loads, mask 0
  EXPECT_EQ(DecideInstall(q.contract, "").kind, InstallDecision::Nothing);
  InstallDecision caps = DecideInstall(q.contract, "D:\\new\\PLUGIN.CVL");
  EXPECT_EQ(caps.kind, InstallDecision::Refuse);
  EXPECT_EQ(caps.message, "File is not a Valid Corvella Plugin");
  EXPECT_EQ(DecideInstall(q.contract, "D:\\new\\notplugin.cvl").message,
            "File is not a Valid Corvella Plugin");
  EXPECT_EQ(DecideInstall(q.contract, "cv").message, "File is not a Valid Corvella Plugin");

  InstallDecision d = DecideInstall(q.contract, "D:\\new\\plugin.cvl");
  ASSERT_EQ(d.kind, InstallDecision::Install);
  EXPECT_EQ(d.fileName, "plugin.cvl");
  EXPECT_EQ(d.copyTo, "C:\\Cvl\\plugin.cvl");
  EXPECT_EQ(d.count, 0);
  PluginRow row = RecordInstall(q.contract, d, "D:\\new\\plugin.cvl");
  EXPECT_EQ(row.name, "P Plugin");
  EXPECT_EQ(row.position, 1);
  EXPECT_EQ(s.Get("Plugins", "NoOfPlugins"), "1");
  EXPECT_EQ(s.Get("Plugins", "1"), "plugin.cvl");

  InstallDecision again = DecideInstall(q.contract, "D:\\new\\plugin.cvl");
  EXPECT_EQ(again.kind, InstallDecision::Refuse);
  EXPECT_EQ(again.message,
            "Plugin is Already Installed or a Plugin with the same name is Installed");
}

TEST_F(PluginInstall, AFileAlreadyInTheInstallationFolderIsNotCopied) {
  q.AddBoth("c:\\cvl\\here.cvl", "Here");
  InstallDecision d = DecideInstall(q.contract, "c:\\cvl\\here.cvl");
  ASSERT_EQ(d.kind, InstallDecision::Install);
  EXPECT_EQ(d.copyTo, "");
}

// Removing plug-in 2 of 3: entries move down, the rows and stored entries of
// plug-in 2 go, and references to plug-in 3 become references to 2.
TEST_F(PluginInstall, RemovalShiftsEntriesAndRenumbersEveryReference) {
  Install("one.cvl");
  Install("two.cvl");
  Install("three.cvl");
  std::vector<PluginRow> rows = LoadPluginRows(q.contract);
  PanelList panels;
  WarningList warnings;
  s.Set("Panels", "NoOfPanels", "5");
  StoreEntry("Panels", 1, "TRUE", "2", "Width", "20");
  StoreEntry("Panels", 2, "FALSE", "2", "Width", "73");  // built-in sensor 2, not plug-in 2
  StoreEntry("Panels", 3, "TRUE", "3", "Width", "30");
  StoreEntry("Panels", 4, "TRUE", "1", "Width", "");
  StoreEntry("Panels", 5, "TRUE", "2", "Width", "21");
  s.Set("Warnings", "NoOfWarnings", "3");
  StoreEntry("Warnings", 1, "TRUE", "3", "WarnVal", "40");
  StoreEntry("Warnings", 2, "TRUE", "2", "WarnVal", "50");
  StoreEntry("Warnings", 3, "FALSE", "3", "WarnVal", "7");
  panels.Load(q.contract);
  warnings.Load(q.contract);
  ASSERT_EQ(panels.Count(), 5u);
  ASSERT_EQ(warnings.Count(), 3u);

  RemovePlugin(s, 2, rows, panels, warnings);

  EXPECT_EQ(s.Get("Plugins", "NoOfPlugins"), "2");
  EXPECT_EQ(s.Get("Plugins", "1"), "one.cvl");
  EXPECT_EQ(s.Get("Plugins", "2"), "three.cvl");
  EXPECT_EQ(s.Get("Plugins", "3"), "");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].fileName, "three.cvl");
  EXPECT_EQ(rows[1].position, 2);

  // The dialog's rows: plug-in 2 gone, plug-in 3 now 2, built-ins untouched.
  ASSERT_EQ(panels.Count(), 3u);
  EXPECT_EQ(panels.rows[0].caption, "System Memory : Free & Load");
  EXPECT_EQ(panels.rows[0].plugin, "No");
  EXPECT_EQ(panels.rows[0].data.Number, 2);
  EXPECT_EQ(panels.rows[1].caption, "three.cvl sensor");
  EXPECT_EQ(panels.rows[1].data.Number, 2);
  EXPECT_EQ(panels.rows[2].data.Number, 1);
  ASSERT_EQ(warnings.Count(), 2u);
  EXPECT_EQ(warnings.rows[0].caption, "three.cvl warning");
  EXPECT_EQ(warnings.rows[0].data.Number, 2);
  EXPECT_FALSE(warnings.rows[1].data.IsPlugin);
  EXPECT_EQ(warnings.rows[1].data.Number, 3);

  // The stored lists say the same at once (what Cancel leaves behind).
  EXPECT_EQ(s.Get("Panels", "NoOfPanels"), "3");
  EXPECT_EQ(s.Get("Panels\\1\\General", "Plugin"), "FALSE");
  EXPECT_EQ(s.Get("Panels\\1\\General", "Width"), "73");
  EXPECT_EQ(s.Get("Panels\\2\\General", "Number"), "2");
  EXPECT_EQ(s.Get("Panels\\2\\General", "Width"), "30");
  EXPECT_EQ(s.Get("Panels\\3\\General", "Number"), "1");
  EXPECT_EQ(s.Get("Panels\\3\\General", "Width"), "");
  EXPECT_EQ(s.Get("Warnings", "NoOfWarnings"), "2");
  EXPECT_EQ(s.Get("Warnings\\1\\General", "Number"), "2");
  EXPECT_EQ(s.Get("Warnings\\1\\General", "WarnVal"), "40");
  EXPECT_EQ(s.Get("Warnings\\2\\General", "Plugin"), "FALSE");
  EXPECT_EQ(s.Get("Warnings\\2\\General", "Number"), "3");

  // Loading again from the stored state finds the same plug-in behind each row.
  PanelList reloaded;
  reloaded.Load(q.contract);
  ASSERT_EQ(reloaded.Count(), 3u);
  EXPECT_EQ(reloaded.rows[1].caption, "three.cvl sensor");
  EXPECT_EQ(reloaded.rows[2].caption, "one.cvl sensor");
}

TEST_F(PluginInstall, RemovingTheLastPluginLeavesNothingToRenumber) {
  Install("only.cvl");
  std::vector<PluginRow> rows = LoadPluginRows(q.contract);
  PanelList panels;
  WarningList warnings;
  s.writes.clear();
  RemovePlugin(s, 1, rows, panels, warnings);
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(s.Get("Plugins", "NoOfPlugins"), "0");
  EXPECT_EQ(s.Get("Plugins", "1"), "");
  EXPECT_EQ(s.writes, (std::vector<std::string>{"Plugins/NoOfPlugins=0", "Plugins/1="}));
}

}  // namespace
