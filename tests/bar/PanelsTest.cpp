// The panel list: layout, loading with its "06." and "07." reports, texts at
// creation and in a pass, and the pass's rule for errors and faults.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bar/core/DisplayPanelCode.h"
#include "sensors/core/BuiltInGraphs.h"
#include "shared/core/CvlError.h"
#include "shared/core/PluginOperations.h"

namespace {

struct Shown {
  uint32_t generation;
  std::string text;
  bool fromPass;
  GraphColumn column;
};

class FakeView : public PanelView {
 public:
  // Owns the picture it is given, as the real cells do.
  FakeView(int width, int& alive, int* picture) : width_(width), alive_(alive), picture_(picture) {
    ++alive_;
  }
  ~FakeView() override {
    --alive_;
    if (picture_) --*picture_;
  }
  void SetPosition(int x, int y) override {
    X = x;
    Y = y;
  }
  int TextWidth() const override { return width_; }
  void SetHint(const std::string& hint) override { Hint = hint; }
  bool ShowText(const char* text) override {
    if (Text == text) return false;
    Text = text;
    ++Draws;
    return true;
  }
  void Redraw() override { ++Draws; }
  int X = -1, Y = -1;
  std::string Hint, Text;
  int Draws = 0;

 private:
  int width_;
  int& alive_;
  int* picture_;
};

int gCalls = 0;
void Reading(char* b) { snprintf(b, 80, "reading %d", ++gCalls); }
void Full(char* b) { std::memset(b, 'x', 80); }  // all 80 bytes, no NUL
void Faulting(char*) {}
void Failing(char*) { throw CvlError("Integer overflow"); }
int gValues = 0;
int32_t Alternating() { return gValues++ % 2 ? 100 : 0; }
int32_t FaultingValue() { return 0; }

// What every test plug-in answers about itself.
template <int32_t Mask>
int32_t Facilities() { return Mask; }
void Description(char* b) { std::strcpy(b, "Plug-in"); }
void ToolTip(char* b) { std::strcpy(b, "Plug-in tip"); }
int32_t Width() { return 999; }  // the entry's width decides, not this
BitmapHandle Icon() { return reinterpret_cast<BitmapHandle>(0x1234); }

// The bar around the list, and the settings and libraries of its plug-in
// contract: "C:\p\<n>.cvl" is the plug-in of number n; it loads when it has
// facilities, and every plug-in but 2 exports SensorFunction (Reading).
class FakeHost : public PanelHost, public SettingsSource, public LibraryLoader {
 public:
  TBuiltInSensor BuiltInSensor(int32_t n) override {
    if (n < 1 || n > 24) throw RangeCheckError();
    return {"Sensor " + std::to_string(n), n == 16 ? nullptr : &Reading, BuiltInGraphScale(n)};
  }
  bool StoppedResponding(const void* fn) override { return stopped.count(fn) != 0; }
  BitmapHandle LoadPanelImage(int32_t n) override {
    if (n < 1 || n > 24) return nullptr;
    ++bitmaps;
    return reinterpret_cast<BitmapHandle>(static_cast<intptr_t>(n));
  }
  void DeleteBitmap(BitmapHandle) override { --bitmaps; }
  std::unique_ptr<PanelView> CreateView(int slot, const std::string& hint, BitmapHandle bitmap,
                                        int32_t width, const PanelGraph& graph) override {
    hints[slot] = hint;
    graphBySlot[slot] = &graph;
    auto* v = new FakeView(width, views, bitmap ? &bitmaps : nullptr);
    v->Hint = hint;
    viewBySlot[slot] = v;
    return std::unique_ptr<PanelView>(v);
  }
  void ShowError(const std::string& m, const std::string& c, const std::string& d) override {
    errors.push_back(m + " " + c + " " + d);
  }
  std::optional<int32_t> TakeBuiltInValue() override {
    ++takes;
    return builtInValue;
  }
  void PublishText(uint32_t generation, int slot, const char* text, size_t length, bool fromPass,
                   GraphColumn column) override {
    shown[slot] = {generation, std::string(text, length), fromPass, column};
  }
  bool LogAll() override { return logAll; }
  void LogLine(const std::string& text) override { logged.push_back(text); }

  // SettingsSource: "section/key", a panel's "Panels/<i>/key".
  std::string GetSetting(const std::string&, const std::string& section, const std::string& key,
                         const std::string& def) override {
    if (section == "Settings" && key == "InstalledDir") return "C:\\p\\";
    if (section == "Plugins") return key + ".cvl";
    std::string place = section;
    const size_t general = place.find("\\General");
    if (general != std::string::npos) place.erase(general);
    for (char& c : place)
      if (c == '\\') c = '/';
    auto it = settings.find(place + "/" + key);
    return it == settings.end() ? def : it->second;
  }
  void SaveSetting(const std::string&, const std::string&, const std::string&,
                   const std::string&) override {}

  // LibraryLoader.
  uintptr_t Load(const std::string& path) override {
    if (!facilities.count(path)) return 0;
    paths.push_back(path);
    return 0x100 + paths.size() - 1;
  }
  void* Find(uintptr_t module, const char* name) override {
    const std::string path = paths[module - 0x100];
    const std::string e = name;
    if (e == "PluginFacilities") {
      const int32_t mask = facilities[path];
      return mask == 1 ? Export(&Facilities<1>) : mask == 2 ? Export(&Facilities<2>)
                                                            : Export(&Facilities<3>);
    }
    if (e == "SensorDescription") return Export(&Description);
    if (e == "SensorToolTip") return Export(&ToolTip);
    if (e == "SensorWidth") return Export(&Width);
    if (e == "SensorIcon") return Export(&Icon);
    if (e == "SensorFunction") return path == "C:\\p\\2.cvl" ? nullptr : Export(&Reading);
    if (e == "SensorValue") {
      ++valueLookups;
      auto it = values.find(path);
      return it == values.end() ? nullptr : Export(it->second);
    }
    return nullptr;
  }
  void Release(uintptr_t) override {}
  void Invoke(PluginCall& call) override {
    if (call.fn == Export(&Alternating) || call.fn == Export(&FaultingValue)) ++valueCalls;
    if (call.fn == Export(&Faulting) || call.fn == Export(&FaultingValue))
      throw PluginFault(0xC0000005, "Exception C0000005 (access violation)");
    call.body(call);
    if (call.fn == Export(&Icon)) ++bitmaps;
  }

  void Panel(int i, const std::string& plugin, const std::string& number,
             const std::string& width = "100") {
    const std::string k = "Panels/" + std::to_string(i) + "/";
    if (!plugin.empty()) settings[k + "Plugin"] = plugin;
    settings[k + "Number"] = number;
    settings[k + "Width"] = width;
  }
  int Libraries() { return contract.PluginLibraryCount(); }

  std::map<std::string, std::string> settings;
  std::map<std::string, int32_t> facilities;
  std::map<int, std::string> hints;
  std::map<int, FakeView*> viewBySlot;
  std::map<int, const PanelGraph*> graphBySlot;
  std::map<int, Shown> shown;
  std::map<std::string, TSensorValue> values;  // SensorValue by plug-in path
  std::set<const void*> stopped;
  std::vector<std::string> errors, logged;
  std::vector<std::string> paths;  // by handle, from 0x100
  std::optional<int32_t> builtInValue;
  int views = 0, bitmaps = 0;
  int valueLookups = 0, valueCalls = 0, takes = 0;
  bool logAll = false;
  PluginContract contract{*this, *this};

 private:
  template <typename F>
  static void* Export(F fn) {
    return reinterpret_cast<void*>(fn);
  }
};

class Panels : public ::testing::Test {
 protected:
  FakeHost host;
  TDisplayPanels list{host, host.contract};

  std::string Text(int slot) {
    auto it = host.shown.find(slot);
    return it == host.shown.end() ? "<none>" : it->second.text;
  }
};

}  // namespace

TEST_F(Panels, ArrangeFillsRowsLeftToRightAndNeverReorders) {
  for (int i = 1; i <= 3; ++i) list.AddPanel(&Reading, "p", nullptr, 100);
  EXPECT_EQ(list.Arrange(200), 90);
  EXPECT_EQ(host.viewBySlot[1]->X, 30);
  EXPECT_EQ(host.viewBySlot[1]->Y, 3);
  EXPECT_EQ(host.viewBySlot[2]->X, 3);
  EXPECT_EQ(host.viewBySlot[2]->Y, 30);
  EXPECT_EQ(host.viewBySlot[3]->X, 3);
  EXPECT_EQ(host.viewBySlot[3]->Y, 57);

  // 30 + 127 + 6 = 163: not below a width of 163, so even the first panel
  // starts a second row and the first stays empty.
  EXPECT_EQ(list.Arrange(163), 118);
  EXPECT_EQ(host.viewBySlot[1]->Y, 30);
  EXPECT_EQ(list.Arrange(164), 90);
  EXPECT_EQ(host.viewBySlot[1]->Y, 3);

  // Wide enough for all: one row.
  EXPECT_EQ(list.Arrange(1024), 34);
  EXPECT_EQ(host.viewBySlot[3]->X, 30 + 2 * 133);
}

TEST_F(Panels, AZeroWidthPanelStillTakesItsIconAndGap) {
  list.AddPanel(&Reading, "a", nullptr, 0);
  list.AddPanel(&Reading, "b", nullptr, 0);
  EXPECT_EQ(list.Items(1).PanelSpan(), 27);
  EXPECT_EQ(list.Arrange(1024), 34);
  EXPECT_EQ(host.viewBySlot[2]->X, 30 + 33);
}

TEST_F(Panels, LoadingBuiltInsAndPlugInsThenTheirFirstReadings) {
  host.settings["Panels/NoOfPanels"] = "4";
  host.Panel(1, "", "10", "80");
  host.Panel(2, "TRUE", "1", "60");  // a plug-in with a sensor
  host.Panel(3, "FALSE", "16");      // a built-in without a function
  host.Panel(4, "TRUE", "2");        // a sensor plug-in exporting no SensorFunction
  host.facilities["C:\\p\\1.cvl"] = 3;
  host.facilities["C:\\p\\2.cvl"] = 1;
  list.LoadPanels();
  EXPECT_TRUE(host.errors.empty());
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(host.hints[1], "Sensor 10");
  EXPECT_EQ(host.hints[2], "Plug-in tip");
  EXPECT_EQ(list.Items(2).PanelSpan(), 27 + 60);
  EXPECT_TRUE(host.shown.empty()) << "no sensor is called while the list is loaded";
  FirstReadings(list);
  EXPECT_EQ(Text(1).substr(0, 8), "reading ");
  EXPECT_TRUE(host.shown[1].fromPass);
  EXPECT_EQ(Text(3), "Error");
  EXPECT_EQ(Text(4), "Error");
  EXPECT_EQ(host.Libraries(), 2);
  EXPECT_EQ(host.bitmaps, 4) << "two built-in pictures, two plug-in icons";
  list.ClearPanels();
  EXPECT_EQ(host.bitmaps, 0);
}

TEST_F(Panels, LoadErrorsEmptyTheListAndAreReportedOnce) {
  host.settings["Panels/NoOfPanels"] = "101";
  for (int i = 1; i <= 101; ++i) host.Panel(i, "", "1");
  list.LoadPanels();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(host.views, 0);
  EXPECT_EQ(host.bitmaps, 0) << "no picture is left behind";
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0],
            "An Error has Occured Trying to Load Sensors. Please Remove all Sensors and Restart. "
            "06. Range check error");

  host.errors.clear();
  host.settings["Panels/NoOfPanels"] = "100";
  list.LoadPanels();
  EXPECT_EQ(list.Count(), 100);
  EXPECT_TRUE(host.errors.empty());

  host.settings["Panels/NoOfPanels"] = "3";
  host.Panel(2, "", "25");
  list.LoadPanels();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(host.views, 0);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("06. Range check error"), std::string::npos);

  for (const char* n : {"", "0", "many"}) {
    host.errors.clear();
    host.settings["Panels/NoOfPanels"] = n;
    list.LoadPanels();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(host.errors.empty()) << n;
  }
}

TEST_F(Panels, APlugInWithoutASensorIsLeftOutAndReportedAfterTheList) {
  host.settings["Panels/NoOfPanels"] = "3";
  host.Panel(1, "TRUE", "1");
  host.Panel(2, "TRUE", "3");  // mask 2: warnings only
  host.Panel(3, "TRUE", "4");  // not loadable: mask 0
  host.Panel(4, "", "1");
  host.facilities["C:\\p\\1.cvl"] = 1;
  host.facilities["C:\\p\\3.cvl"] = 2;
  list.LoadPanels();
  EXPECT_EQ(list.Count(), 1);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0], "One or More Plugins could not be Loaded. 07. Error Loading Plugin");
}

TEST_F(Panels, ClearingReleasesTheLibrariesAndStartsANewGeneration) {
  host.settings["Panels/NoOfPanels"] = "1";
  host.Panel(1, "TRUE", "1");
  host.facilities["C:\\p\\1.cvl"] = 1;
  list.LoadPanels();
  FirstReadings(list);
  const uint32_t first = host.shown[1].generation;
  EXPECT_EQ(first, list.Generation());
  list.ClearPanels();
  EXPECT_EQ(host.Libraries(), 0);
  EXPECT_NE(list.Generation(), first) << "texts of the old list must be told apart";
  list.LoadPanels();
  FirstReadings(list);
  EXPECT_EQ(host.shown[1].generation, list.Generation());
}

TEST_F(Panels, AnEightyCharacterTextArrivesWhole) {
  list.AddPanel(&Full, "full", nullptr, 50);
  list.Items(1).UpdateText();
  EXPECT_EQ(Text(1), std::string(80, 'x'));
}

TEST_F(Panels, PausedTextsAndLogLines) {
  host.logAll = true;
  list.AddPanel(&Reading, "CPU Usage", nullptr, 50);
  list.Items(1).UpdateText();
  ASSERT_EQ(host.logged.size(), 1u);
  EXPECT_EQ(host.logged[0], Text(1) + " - CPU Usage");
  // The dashes are the bar's own: they show even once a pass is muted.
  list.ShowPaused();
  EXPECT_EQ(Text(1), "------");
  EXPECT_FALSE(host.shown[1].fromPass);
  list.Items(1).UpdateText();
  EXPECT_NE(Text(1), "------");
}

TEST_F(Panels, FirstReadingsTakeEachPanelOnItsOwn) {
  list.AddPanel(&Faulting, "f", nullptr, 50);
  list.AddPanel(&Failing, "e", nullptr, 50);
  list.AddPanel(&Reading, "r", nullptr, 50);
  FirstReadings(list);
  EXPECT_EQ(list.Items(1).SensorFunc, nullptr) << "a fault disables";
  EXPECT_EQ(Text(1), "Error") << "at once";
  EXPECT_EQ(list.Items(2).SensorFunc, &Failing) << "an ordinary error does not";
  EXPECT_EQ(Text(2), "<none>");
  EXPECT_EQ(Text(3).substr(0, 8), "reading ") << "neither stops the others";
}

TEST_F(Panels, AFunctionThatStoppedRespondingIsOutOfServiceForGood) {
  list.AddPanel(&Reading, "a", nullptr, 50);
  list.AddPanel(&Full, "b", nullptr, 50);
  list.AddPanel(&Reading, "c", nullptr, 50);  // the same function: both go
  host.stopped.insert(reinterpret_cast<const void*>(&Reading));
  list.DisableStopped(reinterpret_cast<const void*>(&Reading));
  for (int slot : {1, 3}) {
    EXPECT_EQ(list.Items(slot).SensorFunc, nullptr);
    EXPECT_EQ(Text(slot), "Error");
    EXPECT_FALSE(host.shown[slot].fromPass) << "shown by the bar, not muted with a pass";
  }
  EXPECT_EQ(host.viewBySlot[1]->Hint, "a (stopped responding)");
  EXPECT_EQ(list.Items(2).SensorFunc, &Full);
  EXPECT_EQ(host.viewBySlot[2]->Hint, "b");
  // A list loaded later does not take it again.
  list.AddPanel(&Reading, "d", nullptr, 50);
  EXPECT_EQ(list.Items(4).SensorFunc, nullptr);
  EXPECT_EQ(host.hints[4], "d (stopped responding)");
}

// ---- The pass ---------------------------------------------------------------

namespace {

class FakeWarnings : public RefreshWarnings {
 public:
  int WarningCount() override { return static_cast<int>(faults.size()); }
  void CheckWarning(int i) override {
    if (disabled[i]) return;  // a warning without a function does nothing
    ++checks[i];
    if (faults[static_cast<size_t>(i - 1)]) throw PluginFault(0xC0000094, "divide");
  }
  void DisableCheck(int i) override { disabled[i] = true; }
  std::vector<bool> faults = {false, false};
  std::map<int, int> checks;
  std::map<int, bool> disabled;
};

}  // namespace

TEST_F(Panels, AFaultSkipsTheRestOfItsPassAndDisablesOnlyThatFunction) {
  list.AddPanel(&Reading, "1", nullptr, 50);
  list.AddPanel(&Reading, "2", nullptr, 50);
  list.AddPanel(&Reading, "3", nullptr, 50);
  list.Items(2).SensorFunc = &Faulting;
  FakeWarnings warnings;
  const std::string before1 = Text(1), before3 = Text(3);

  RefreshCycle(list, warnings);
  EXPECT_NE(Text(1), before1) << "earlier panels are updated";
  EXPECT_EQ(Text(3), before3) << "later panels are skipped";
  EXPECT_TRUE(warnings.checks.empty()) << "warnings are skipped";
  EXPECT_EQ(list.Items(2).SensorFunc, nullptr);

  RefreshCycle(list, warnings);
  EXPECT_EQ(Text(2), "Error");
  EXPECT_NE(Text(3), before3);
  EXPECT_EQ(warnings.checks[1], 1);
  EXPECT_EQ(warnings.checks[2], 1);
}

TEST_F(Panels, AnOrdinaryErrorAbandonsEveryPassButDisablesNothing) {
  list.AddPanel(&Failing, "1", nullptr, 50);
  list.AddPanel(&Reading, "2", nullptr, 50);
  FakeWarnings warnings;
  const std::string before = Text(2);
  RefreshCycle(list, warnings);
  RefreshCycle(list, warnings);
  EXPECT_EQ(list.Items(1).SensorFunc, &Failing);
  EXPECT_EQ(Text(2), before);
  EXPECT_TRUE(warnings.checks.empty());
}

TEST_F(Panels, AFaultingWarningIsDisabledAndTheOthersGoOn) {
  list.AddPanel(&Reading, "1", nullptr, 50);
  FakeWarnings warnings;
  warnings.faults = {true, false};
  RefreshCycle(list, warnings);
  EXPECT_EQ(warnings.checks[1], 1);
  EXPECT_EQ(warnings.checks[2], 0);
  RefreshCycle(list, warnings);
  EXPECT_EQ(warnings.checks[1], 1) << "never evaluated again";
  EXPECT_EQ(warnings.checks[2], 1);
}

// ---- History graphs ---------------------------------------------------------

namespace {

HeldColumns Held(std::initializer_list<GraphColumn> columns) {
  HeldColumns held;
  for (const GraphColumn& c : columns) held.Add(c);
  return held;
}

// Built-in CPU usage (percent), the time (no graph), a plug-in with
// SensorValue and one without.
void GraphedPanels(FakeHost& host, const std::string& graphs) {
  host.settings["Settings/PanelGraphs"] = graphs;
  host.settings["Panels/NoOfPanels"] = "4";
  host.Panel(1, "", "1", "40");
  host.Panel(2, "", "10", "60");
  host.Panel(3, "TRUE", "1", "50");
  host.Panel(4, "TRUE", "3", "50");
  host.facilities["C:\\p\\1.cvl"] = 1;
  host.facilities["C:\\p\\3.cvl"] = 1;
  host.values["C:\\p\\1.cvl"] = &Alternating;
}

}  // namespace

TEST_F(Panels, WithTheGraphsOffNoRingNoValueAndNoColumn) {
  FakeWarnings warnings;
  for (const std::string graphs :
       {std::string("<absent>"), std::string("FALSE"), std::string("true"), std::string("1"),
        std::string("TRUE "), std::string(10000, 'T')}) {
    GraphedPanels(host, graphs);
    if (graphs == "<absent>") host.settings.erase("Settings/PanelGraphs");
    host.builtInValue = 42;
    list.LoadPanels();
    ASSERT_EQ(list.Count(), 4) << graphs.substr(0, 10);
    EXPECT_FALSE(list.GraphsShown());
    FirstReadings(list);
    RefreshCycle(list, warnings);
    for (int slot = 1; slot <= 4; ++slot) {
      EXPECT_FALSE(host.graphBySlot[slot]->HasGraph()) << slot;
      EXPECT_EQ(host.shown[slot].column.kind, GraphColumn::None) << slot;
      EXPECT_EQ(list.Items(slot).ValueFunc, nullptr) << slot;
    }
    EXPECT_EQ(host.valueLookups + host.valueCalls + host.takes, 0) << graphs.substr(0, 10);
  }
}

TEST_F(Panels, WithTheGraphsOnEveryPassHandsOverOneColumnWithTheText) {
  GraphedPanels(host, "TRUE");
  list.LoadPanels();
  EXPECT_TRUE(list.GraphsShown());
  EXPECT_EQ(host.valueLookups, 2) << "in the load each plug-in panel keeps";
  EXPECT_EQ(host.Libraries(), 2);
  const PanelGraph& cpu = *host.graphBySlot[1];
  EXPECT_EQ(cpu.Capacity(), 40);
  EXPECT_EQ(cpu.Scale(), GraphScale::Percent);
  EXPECT_FALSE(host.graphBySlot[2]->HasGraph()) << "the time graphs nothing";
  EXPECT_EQ(host.graphBySlot[3]->Scale(), GraphScale::Largest);
  EXPECT_FALSE(host.graphBySlot[4]->HasGraph()) << "a plug-in without SensorValue";

  FakeWarnings warnings;
  host.builtInValue = 42;
  FirstReadings(list);
  EXPECT_EQ(host.shown[1].column.kind, GraphColumn::Value);
  EXPECT_EQ(host.shown[1].column.value, 42);
  EXPECT_EQ(host.shown[2].column.kind, GraphColumn::None);
  EXPECT_EQ(host.shown[3].column.kind, GraphColumn::Value);
  const int32_t first = host.shown[3].column.value;
  EXPECT_EQ(host.shown[4].column.kind, GraphColumn::None);
  host.builtInValue.reset();
  RefreshCycle(list, warnings);
  EXPECT_EQ(host.shown[1].column.kind, GraphColumn::Empty) << "a reading without a value";
  EXPECT_EQ(host.shown[3].column.value, 100 - first) << "called once a pass";
  EXPECT_EQ(host.takes, 2);
  EXPECT_EQ(host.valueCalls, 2);

  // The main thread adds the columns; a graphed cell is drawn once a pass
  // even when its text stays, any other cell only when its text changes.
  for (int slot = 1; slot <= 2; ++slot) list.Items(slot).ShowReading("same", Held({host.shown[slot].column}));
  const int cpuDraws = host.viewBySlot[1]->Draws, timeDraws = host.viewBySlot[2]->Draws;
  list.Items(1).ShowReading("same", Held({{GraphColumn::Value, 70}}));
  list.Items(2).ShowReading("same", Held({}));
  EXPECT_EQ(host.viewBySlot[1]->Draws, cpuDraws + 1);
  EXPECT_EQ(host.viewBySlot[2]->Draws, timeDraws);
  EXPECT_EQ(cpu.Count(), 2);
  int32_t newest = 0;
  EXPECT_TRUE(cpu.ValueAt(39, newest));
  EXPECT_EQ(newest, 70) << "at the right";
  // Paused: the dashes over the graph, which stays.
  list.ShowPaused();
  list.Items(1).ShowReading("------", Held({host.shown[1].column}));
  EXPECT_EQ(host.viewBySlot[1]->Text, "------");
  EXPECT_EQ(cpu.Count(), 2);
}

TEST_F(Panels, AFaultInSensorValueTakesOnlyTheGraphOutOfService) {
  GraphedPanels(host, "TRUE");
  host.values["C:\\p\\1.cvl"] = &FaultingValue;
  list.LoadPanels();
  FakeWarnings warnings;
  RefreshCycle(list, warnings);
  EXPECT_EQ(host.shown[3].text.substr(0, 8), "reading ") << "its text";
  EXPECT_EQ(host.shown[3].column.kind, GraphColumn::OutOfService);
  EXPECT_EQ(host.shown[4].text.substr(0, 8), "reading ") << "the pass goes on";
  EXPECT_EQ(warnings.checks[1], 1);
  EXPECT_NE(list.Items(3).SensorFunc, nullptr);
  EXPECT_EQ(list.Items(3).ValueFunc, nullptr);
  list.Items(3).ShowReading(host.shown[3].text.c_str(), Held({host.shown[3].column}));
  EXPECT_FALSE(host.graphBySlot[3]->HasGraph());

  const std::string before = host.shown[3].text;
  RefreshCycle(list, warnings);
  EXPECT_EQ(host.valueCalls, 1) << "never called again";
  EXPECT_EQ(host.shown[3].column.kind, GraphColumn::None);
  EXPECT_NE(host.shown[3].text, before) << "the text goes on";
}

TEST_F(Panels, ASensorValueThatStoppedRespondingLosesItsGraphAndKeepsItsText) {
  GraphedPanels(host, "TRUE");
  list.LoadPanels();
  const void* value = reinterpret_cast<const void*>(&Alternating);
  const int draws = host.viewBySlot[3]->Draws;
  host.stopped.insert(value);
  list.DisableStopped(value);
  EXPECT_FALSE(host.graphBySlot[3]->HasGraph());
  EXPECT_EQ(host.viewBySlot[3]->Draws, draws + 1) << "drawn without it at once";
  EXPECT_NE(list.Items(3).SensorFunc, nullptr);
  EXPECT_EQ(host.viewBySlot[3]->Hint, "Plug-in tip");
  FakeWarnings warnings;
  RefreshCycle(list, warnings);
  EXPECT_EQ(host.valueCalls, 0);
  EXPECT_EQ(host.shown[3].text.substr(0, 8), "reading ");
  // A reload does not take it again.
  list.LoadPanels();
  EXPECT_EQ(list.Items(3).ValueFunc, nullptr);
  EXPECT_FALSE(host.graphBySlot[3]->HasGraph());
  EXPECT_NE(list.Items(3).SensorFunc, nullptr);
}

TEST_F(Panels, AReloadKeepsTheHistoryOfAPanelThatStaysWithItsSensor) {
  GraphedPanels(host, "TRUE");
  list.LoadPanels();
  for (int32_t v : {10, 20, 30}) {
    list.Items(1).ShowReading("x", Held({{GraphColumn::Value, v}}));
    list.Items(3).ShowReading("x", Held({{GraphColumn::Value, v}}));
  }
  // Slot 1 keeps its sensor (at another width); slot 3 shows another one.
  host.Panel(1, "", "1", "2");
  host.Panel(3, "", "2", "50");
  list.LoadPanels();
  const PanelGraph& kept = *host.graphBySlot[1];
  EXPECT_EQ(kept.Count(), 2) << "the newest that fit";
  int32_t v = 0;
  EXPECT_TRUE(kept.ValueAt(1, v));
  EXPECT_EQ(v, 30);
  EXPECT_EQ(host.graphBySlot[3]->Count(), 0) << "another sensor starts empty";

  // Off and on again: nothing is kept across a list without graphs.
  host.settings["Settings/PanelGraphs"] = "FALSE";
  list.LoadPanels();
  EXPECT_FALSE(host.graphBySlot[1]->HasGraph());
  host.settings["Settings/PanelGraphs"] = "TRUE";
  list.LoadPanels();
  EXPECT_TRUE(host.graphBySlot[1]->HasGraph());
  EXPECT_EQ(host.graphBySlot[1]->Count(), 0);
}

TEST(HeldColumns, EveryPassWaitsForTheWindowUpToEightAndNothingFollowsTheEnd) {
  HeldColumns held;
  for (int32_t v = 1; v <= 10; ++v) held.Add({GraphColumn::Value, v});
  held.Add({});  // a text without a column
  ASSERT_EQ(held.count, HeldColumns::kHeld);
  EXPECT_EQ(held.columns[0].value, 3) << "the oldest went";
  EXPECT_EQ(held.columns[7].value, 10);
  held.Add({GraphColumn::OutOfService, 0});
  held.Add({GraphColumn::Value, 11});
  EXPECT_EQ(held.columns[held.count - 1].kind, GraphColumn::OutOfService);

  // Shown at once, the waiting columns are all added and the cell drawn once.
  FakeHost host;
  TDisplayPanels list(host, host.contract);
  list.AddPanel(&Reading, "p", nullptr, 20, {{}, GraphScale::Largest, nullptr});
  const int draws = host.viewBySlot[1]->Draws;
  list.Items(1).ShowReading("", Held({{GraphColumn::Value, 5}, {GraphColumn::Empty, 0},
                                      {GraphColumn::Value, 7}}));
  EXPECT_EQ(host.graphBySlot[1]->Count(), 3);
  EXPECT_EQ(host.viewBySlot[1]->Draws, draws + 1);
}
