// The panel and warning lists of the settings dialog, without windows.
#include "settings/core/GeneralSettings.h"

#include <gtest/gtest.h>

#include "tests/settings/FakePluginFiles.h"

namespace {

void StorePanel(MemorySettings& s, int n, const std::string& plugin, const std::string& number,
                const std::string& width) {
  std::string sec = "Panels\\" + std::to_string(n) + "\\General";
  s.Set(sec, "Plugin", plugin);
  s.Set(sec, "Number", number);
  s.Set(sec, "Width", width);
}

std::vector<std::string> Captions(const PanelList& l) {
  std::vector<std::string> out;
  for (const auto& r : l.rows) out.push_back(r.caption);
  return out;
}

}  // namespace

TEST(Catalogs, HoldTheBuiltInSensorsAndWarningsUnderTheirNumbers) {
  for (int i = 0; i < kCatalogueSensorCount; ++i) EXPECT_EQ(kBuiltInSensors[i].number, i + 1);
  for (int i = 0; i < kCatalogueWarningCount; ++i) EXPECT_EQ(kBuiltInWarnings[i].number, i + 1);
  EXPECT_STREQ(FindBuiltInSensor(23)->description, "Fans Speed : Fan 2 ");
  EXPECT_EQ(FindBuiltInSensor(21)->width, 190);
  EXPECT_EQ(FindBuiltInSensor(0), nullptr);
  EXPECT_EQ(FindBuiltInSensor(25), nullptr);
  const BuiltInWarning* disk = FindBuiltInWarning(1);
  EXPECT_EQ(disk->max, 644444444);
  EXPECT_STREQ(FindBuiltInWarning(4)->unit, "\xB0" "C");
  EXPECT_STREQ(FindBuiltInWarning(15)->description, "Windows has been running longer than");
  EXPECT_EQ(FindBuiltInWarning(16), nullptr);
}

TEST(AddChoices, ListTheCatalogueThenEveryPluginWithTheFacility) {
  MemorySettings s;
  FakePluginFiles q(s);
  EXPECT_EQ(SensorChoices(q.contract).size(), 24u);
  EXPECT_EQ(WarningChoices(q.contract).size(), 15u);

  s.Set("Settings", "InstalledDir", "C:\\CVL\\");
  s.Set("Plugins", "NoOfPlugins", "3");
  s.Set("Plugins", "1", "both.cvl");
  s.Set("Plugins", "2", "gone.cvl");
  s.Set("Plugins", "3", "sensor.cvl");
  q.AddBoth("C:\\CVL\\both.cvl", "Both", 33);
  q.AddBoth("C:\\CVL\\sensor.cvl", "Sensor");
  q.files["C:\\CVL\\sensor.cvl"].mask = PluginHasSensor;
  const BitmapHandle icon = reinterpret_cast<BitmapHandle>(0x77);
  q.files["C:\\CVL\\both.cvl"].sensor.Icon = icon;
  DiscardedIcons().clear();
  std::vector<PanelRow> sensors = SensorChoices(q.contract);
  // The dialogs show no icon: the one handed over is freed at once.
  EXPECT_EQ(DiscardedIcons(), std::vector<BitmapHandle>{icon});
  ASSERT_EQ(sensors.size(), 26u);
  EXPECT_EQ(sensors[24].caption, "Both sensor");
  EXPECT_EQ(sensors[24].plugin, "Yes");
  EXPECT_EQ(sensors[24].width, "33");
  EXPECT_EQ(sensors[24].data.Number, 1);
  EXPECT_EQ(sensors[25].data.Number, 3);
  std::vector<WarningRow> warnings = WarningChoices(q.contract);
  ASSERT_EQ(warnings.size(), 16u);
  EXPECT_EQ(warnings[15].caption, "Both warning");
  EXPECT_EQ(warnings[15].value, "10");  // a new warning starts at its minimum
  EXPECT_EQ(warnings[15].unit, "units");
  EXPECT_TRUE(warnings[15].data.IsPlugin);
  EXPECT_EQ(warnings[9].value, "500");
  EXPECT_EQ(warnings[9].unit, "rpm");
}

TEST(PanelList, LoadsStoredEntriesAndLeavesOutWhatNoLongerExists) {
  MemorySettings s;
  FakePluginFiles q(s);
  s.Set("Settings", "InstalledDir", "D:\\");
  s.Set("Plugins", "NoOfPlugins", "2");
  s.Set("Plugins", "1", "a.cvl");
  s.Set("Plugins", "2", "warnonly.cvl");
  q.AddBoth("D:\\a.cvl", "A");
  q.AddBoth("D:\\warnonly.cvl", "W");
  q.files["D:\\warnonly.cvl"].mask = PluginHasWarning;
  s.Set("Panels", "NoOfPanels", "6");
  StorePanel(s, 1, "FALSE", "10", "73");
  StorePanel(s, 2, "TRUE", "1", "");   // plug-in, width missing: 0
  StorePanel(s, 3, "TRUE", "2", "9");  // no sensor facility: left out
  StorePanel(s, 4, "FALSE", "25", "9");  // outside the catalogue: left out
  StorePanel(s, 5, "", "", "12");      // empty Plugin and Number: built-in sensor 1
  StorePanel(s, 6, "false", "1", "5");  // not exactly "FALSE": a plug-in entry
  PanelList list;
  list.Load(q.contract);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"Current Time", "A sensor", "CPU Usage",
                                                       "A sensor"}));
  EXPECT_EQ(list.rows[1].width, "0");
  EXPECT_EQ(list.rows[1].plugin, "Yes");
  EXPECT_EQ(list.rows[2].width, "12");

  s.writes.clear();
  list.Save(s);
  EXPECT_EQ(s.Get("Panels", "NoOfPanels"), "4");
  EXPECT_EQ(s.Get("Panels\\2\\General", "Plugin"), "TRUE");
  EXPECT_EQ(s.Get("Panels\\3\\General", "Plugin"), "FALSE");
  EXPECT_EQ(s.Get("Panels\\3\\General", "Number"), "1");
  EXPECT_EQ(s.Get("Panels\\4\\General", "Number"), "1");
  // Entries above the new count stay as they were.
  EXPECT_EQ(s.Get("Panels\\6\\General", "Plugin"), "false");
  EXPECT_EQ(s.writes.size(), 1u + 4 * 3);
}

TEST(PanelList, RemoveMoveAndWidthKeepOrderAndLimits) {
  PanelList list;
  for (int i = 1; i <= 5; ++i)
    list.rows.push_back(PanelRow{"row" + std::to_string(i), "No", "0", SensorItemData{i}});
  list.Remove({false, true, true, true, false});
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"row1", "row5"}));
  EXPECT_EQ(list.MoveUp(0), -1);
  EXPECT_EQ(list.MoveDown(1), -1);
  EXPECT_EQ(list.MoveDown(-1), -1);
  EXPECT_EQ(list.MoveDown(0), 1);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"row5", "row1"}));
  EXPECT_EQ(list.rows[0].data.Number, 5);
  EXPECT_EQ(list.MoveUp(1), 0);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"row1", "row5"}));

  EXPECT_TRUE(list.StepWidth(0, -1));
  EXPECT_EQ(list.rows[0].width, "0");
  list.rows[0].width = "-7";
  list.StepWidth(0, -1);
  EXPECT_EQ(list.rows[0].width, "0");
  list.rows[0].width = "2147483647";
  list.StepWidth(0, +1);
  EXPECT_EQ(list.rows[0].width, "2147483647");
  list.rows[1].width = "64";
  list.StepWidth(1, +1);
  EXPECT_EQ(list.rows[1].width, "65");
  EXPECT_FALSE(list.StepWidth(2, +1));
  EXPECT_FALSE(list.StepWidth(-1, +1));
}

TEST(PanelList, AppendingStopsAtOneHundredRows) {
  PanelList list;
  std::vector<PanelRow> many(60, PanelRow{"x", "No", "1", SensorItemData{1}});
  EXPECT_EQ(list.Append(many), 60u);
  EXPECT_EQ(list.Append(many), 40u);
  EXPECT_EQ(list.Count(), kMaxListRows);
}

TEST(WarningList, ValueStepsStayWithinMinAndMax) {
  WarningList list;
  const BuiltInWarning* fan = FindBuiltInWarning(10);
  const BuiltInWarning* temp = FindBuiltInWarning(4);
  list.rows.push_back(WarningRow{fan->description, "500", fan->unit,
                                 WarningItemData{fan->min, fan->max, fan->increment, 10, false}});
  list.rows.push_back(WarningRow{temp->description, "149", temp->unit,
                                 WarningItemData{temp->min, temp->max, temp->increment, 4, false}});
  list.StepValue(0, false);
  EXPECT_EQ(list.rows[0].value, "500");
  list.StepValue(0, true);
  EXPECT_EQ(list.rows[0].value, "1000");
  for (int i = 0; i < 50; ++i) list.StepValue(0, true);
  EXPECT_EQ(list.rows[0].value, "20000");
  list.StepValue(1, true);
  EXPECT_EQ(list.rows[1].value, "150");
  list.StepValue(1, true);
  EXPECT_EQ(list.rows[1].value, "150");
  list.rows[1].value = "abc";  // read as 0 before the step; "+" only limits at Max
  list.StepValue(1, true);
  EXPECT_EQ(list.rows[1].value, "1");
  list.StepValue(1, false);
  EXPECT_EQ(list.rows[1].value, "5");
  // The disk warning's odd maximum and an addition near the 32-bit limit.
  list.rows[1] = WarningRow{"big", "2147483640", "",
                            WarningItemData{0, 2147483647, 100, 1, true}};
  list.StepValue(1, true);
  EXPECT_EQ(list.rows[1].value, "2147483647");
  EXPECT_FALSE(list.StepValue(5, true));
}

TEST(WarningList, LoadsAndSavesBuiltInAndPluginRows) {
  MemorySettings s;
  FakePluginFiles q(s);
  s.Set("Settings", "InstalledDir", "E:\\");
  s.Set("Plugins", "NoOfPlugins", "1");
  s.Set("Plugins", "1", "w.cvl");
  q.AddBoth("E:\\w.cvl", "W");
  s.Set("Warnings", "NoOfWarnings", "3");
  s.Set("Warnings\\1\\General", "Plugin", "FALSE");
  s.Set("Warnings\\1\\General", "Number", "4");
  s.Set("Warnings\\1\\General", "WarnVal", "999");  // shown unchanged, even above the maximum
  s.Set("Warnings\\2\\General", "Plugin", "TRUE");
  s.Set("Warnings\\2\\General", "Number", "1");
  s.Set("Warnings\\3\\General", "Plugin", "FALSE");
  s.Set("Warnings\\3\\General", "Number", "16");
  WarningList list;
  list.Load(q.contract);
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.rows[0].caption, "Temperature 1 rises above");
  EXPECT_EQ(list.rows[0].value, "999");
  EXPECT_EQ(list.rows[0].unit, "\xB0" "C");
  EXPECT_EQ(list.rows[1].caption, "W warning");
  EXPECT_EQ(list.rows[1].value, "0");
  EXPECT_EQ(list.rows[1].data.Max, 90);
  list.Save(s);
  EXPECT_EQ(s.Get("Warnings", "NoOfWarnings"), "2");
  EXPECT_EQ(s.Get("Warnings\\2\\General", "Plugin"), "TRUE");
  EXPECT_EQ(s.Get("Warnings\\2\\General", "WarnVal"), "0");
  EXPECT_EQ(s.Get("Warnings\\1\\General", "WarnVal"), "999");
}
