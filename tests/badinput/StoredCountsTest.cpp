// Damaged list counts in the registry: the settings library's lists of
// panels, warnings and plug-ins read only what can mean something, a count
// near the 32-bit limit neither hangs nor overflows, and a damaged plug-in
// count does not hide what is installed. Counted in registry reads, against
// the in-memory store.
#include <gtest/gtest.h>

#include <string>

#include "settings/core/GeneralSettings.h"
#include "shared/core/PluginOperations.h"
#include "tests/contract/FakeLoader.h"
#include "tests/settings/FakePluginFiles.h"

namespace {

const char* const kDamaged[] = {"2000000000", "2147483647", "$7FFFFFFF", "99999999999"};

std::string Entry(const char* list, int n) {
  return std::string(list) + "\\" + std::to_string(n) + "\\General";
}

class StoredCounts : public ::testing::Test {
 protected:
  void SetUp() override { s.Set("Settings", "InstalledDir", "C:\\Cvl\\"); }
  // Plug-ins 1..n installed and answering.
  void Plugins(int n) {
    for (int i = 1; i <= n; ++i) {
      const std::string file = "p" + std::to_string(i) + ".cvl";
      s.Set("Plugins", std::to_string(i), file);
      q.AddBoth("C:\\Cvl\\" + file, file);
    }
  }
  MemorySettings s;
  FakePluginFiles q{s};
};

TEST_F(StoredCounts, PanelAndWarningListsReadOneEntryMoreThanTheBarTakes) {
  EXPECT_EQ(StoredListCount("100"), 100);
  EXPECT_EQ(StoredListCount("101"), 101);
  EXPECT_EQ(StoredListCount("150"), 101);
  EXPECT_EQ(StoredListCount("-5"), 0);
  EXPECT_EQ(StoredListCount("abc"), 0);
  for (const char* count : kDamaged) {
    s.Set("Panels", "NoOfPanels", count);
    s.Set("Warnings", "NoOfWarnings", count);
    s.reads = 0;
    PanelList panels;
    WarningList warnings;
    panels.Load(q.contract);
    warnings.Load(q.contract);
    // Entries that are not there read as built-in sensor 1 and warning kind 1.
    EXPECT_EQ(panels.Count(), 101u) << count;
    EXPECT_EQ(warnings.Count(), 101u) << count;
    EXPECT_LT(s.reads, 1000) << count;
    EXPECT_EQ(panels.rows[100].caption, "CPU Usage");
  }
  // A list of exactly 100 is read whole, as before.
  s.Set("Panels", "NoOfPanels", "100");
  for (int i = 1; i <= 100; ++i) s.Set(Entry("Panels", i), "Number", i == 100 ? "24" : "10");
  PanelList full;
  full.Load(q.contract);
  ASSERT_EQ(full.Count(), 100u);
  EXPECT_EQ(full.rows[99].caption, "Fans Speed : Fan 3 ");
}

TEST_F(StoredCounts, ADamagedPluginCountIsTakenAsFarAsItsNamedEntriesGo) {
  Plugins(3);
  for (const char* count : kDamaged) {
    s.Set("Plugins", "NoOfPlugins", count);
    s.reads = 0;
    const std::vector<PluginRow> rows = LoadPluginRows(q.contract);
    ASSERT_EQ(rows.size(), 3u) << count;
    EXPECT_EQ(rows[2].fileName, "p3.cvl");
    EXPECT_EQ(SensorChoices(q.contract).size(), 24u + 3) << count;
    EXPECT_EQ(WarningChoices(q.contract).size(), 15u + 3) << count;
    EXPECT_LT(s.reads, 1000) << count;
  }
  // Up to a thousand the count is taken as stored, entries without a name
  // included; below zero as nothing.
  s.Set("Plugins", "NoOfPlugins", "1000");
  EXPECT_EQ(InstalledPluginCount(s), 1000);
  const std::vector<PluginRow> stored = LoadPluginRows(q.contract);
  ASSERT_EQ(stored.size(), 1000u);
  EXPECT_EQ(stored[999].name, "<Invalid Plugin>");
  s.Set("Plugins", "NoOfPlugins", "1001");
  EXPECT_EQ(InstalledPluginCount(s), 3);
  s.Set("Plugins", "NoOfPlugins", "-4");
  EXPECT_EQ(InstalledPluginCount(s), 0);
  EXPECT_TRUE(LoadPluginRows(q.contract).empty());
}

TEST_F(StoredCounts, InstallingAfterADamagedCountAppendsWhereTheListEnds) {
  Plugins(3);
  q.AddBoth("D:\\new.cvl", "New");
  for (const char* count : {"2147483647", "-4"}) {
    MemorySettings before = s;
    s.Set("Plugins", "NoOfPlugins", count);
    const InstallDecision d = DecideInstall(q.contract, "D:\\new.cvl");
    ASSERT_EQ(d.kind, InstallDecision::Install) << count;
    const PluginRow row = RecordInstall(q.contract, d, "D:\\new.cvl");
    // Not under "-3" or past the 32-bit limit, where no list would find it.
    const std::string position = count[0] == '-' ? "1" : "4";
    EXPECT_EQ(std::to_string(row.position), position) << count;
    EXPECT_EQ(s.Get("Plugins", "NoOfPlugins"), position);
    EXPECT_EQ(s.Get("Plugins", position), "new.cvl");
    s = before;
  }
  // The contract's own question stops where the list ends too.
  FakeLoader loader;
  PluginContract contract(loader, s);
  s.Set("Plugins", "NoOfPlugins", "2147483647");
  s.reads = 0;
  EXPECT_TRUE(contract.IsPluginInstalled("p3.cvl"));
  EXPECT_FALSE(contract.IsPluginInstalled("p4.cvl"));
  EXPECT_LT(s.reads, 100);
}

TEST_F(StoredCounts, RemovalRewritesOnlyWhatTheDialogRead) {
  Plugins(2);
  s.Set("Plugins", "NoOfPlugins", "2147483647");
  s.Set("Panels", "NoOfPanels", "2147483647");
  s.Set(Entry("Panels", 1), "Plugin", "TRUE");
  s.Set(Entry("Panels", 1), "Number", "1");
  s.Set(Entry("Panels", 2), "Plugin", "TRUE");
  s.Set(Entry("Panels", 2), "Number", "2");
  s.Set("Warnings", "NoOfWarnings", "2000000000");
  PanelList panels;
  WarningList warnings;
  panels.Load(q.contract);
  warnings.Load(q.contract);
  std::vector<PluginRow> rows = LoadPluginRows(q.contract);
  s.reads = 0;
  s.writes.clear();
  RemovePlugin(s, 1, rows, panels, warnings);
  EXPECT_LT(s.reads + static_cast<int>(s.writes.size()), 2000);
  EXPECT_EQ(s.Get("Plugins", "NoOfPlugins"), "1");
  EXPECT_EQ(s.Get("Plugins", "1"), "p2.cvl");
  // The panel list: plug-in 1's entry dropped, plug-in 2 now number 1, and
  // the 99 built-in entries read behind them.
  EXPECT_EQ(s.Get("Panels", "NoOfPanels"), "100");
  EXPECT_EQ(s.Get(Entry("Panels", 1), "Number"), "1");
  EXPECT_EQ(s.Get(Entry("Panels", 1), "Plugin"), "TRUE");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].position, 1);
  EXPECT_EQ(panels.Count(), 100u);
}

}  // namespace
