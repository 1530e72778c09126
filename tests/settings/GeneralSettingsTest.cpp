// The settings dialog's value table and rules, without windows.
#include "settings/core/GeneralSettings.h"

#include <gtest/gtest.h>

#include "tests/fakes/MemorySettings.h"

TEST(GeneralSettings, StoredTextsSelectItemsOrNothing) {
  EXPECT_EQ(UpdateIndex("50"), 0);
  EXPECT_EQ(UpdateIndex("600000"), 10);
  EXPECT_EQ(UpdateIndex("750"), kDefaultUpdateIndex);
  EXPECT_EQ(UpdateIndex("1000 "), kDefaultUpdateIndex);  // matched as text, not read as a number
  EXPECT_EQ(HotKeyIndex("0"), 0);
  EXPECT_EQ(HotKeyIndex("5"), 5);
  EXPECT_EQ(HotKeyIndex("6"), -1);
  EXPECT_EQ(HotKeyIndex("-1"), -1);
  EXPECT_EQ(SeparatorIndex("\\"), 1);
  EXPECT_EQ(SeparatorIndex(","), 5);
  EXPECT_EQ(SeparatorIndex(";"), -1);
  EXPECT_EQ(SeparatorIndex("//"), -1);
  EXPECT_EQ(ProcessIndex("REALTIME_PRIORITY_CLASS"), 3);
  EXPECT_EQ(ProcessIndex("idle_priority_class"), -1);
  EXPECT_EQ(ThreadIndex("THREAD_PRIORITY_BELOW_NORMAL"), 1);
  EXPECT_EQ(LoggingFrom("TRUE", "FALSE"), LogMode::All);
  EXPECT_EQ(LoggingFrom("true", "TRUE"), LogMode::WarningsOnly);
  EXPECT_EQ(LoggingFrom("FALSE", "True"), LogMode::None);
  EXPECT_EQ(PlaceFrom("TOP"), BarPlace::Top);
  EXPECT_EQ(PlaceFrom("top"), BarPlace::Bottom);
  EXPECT_EQ(PlaceFrom(""), BarPlace::Bottom);
  EXPECT_EQ(ColouringFrom("Solid"), Colouring::Solid);
  EXPECT_EQ(ColouringFrom("SOLID"), Colouring::None);
}

TEST(GeneralSettings, ApplyWritesEveryValueInOrderWithTheStatusLast) {
  MemorySettings store;
  GeneralSettings v = LoadGeneralSettings(store);
  v.separator = -1;  // no selection: nothing written
  v.update = -1;
  v.process = -1;
  v.hotKey = -1;  // written as -1
  std::vector<std::string> order;
  SaveSettings(store, v, PanelList(), WarningList(), [&] {
    order.push_back("run");
    order.push_back(std::to_string(store.writes.size()));
  });
  std::vector<std::string> want = {
      "Settings/AutoHide=FALSE",      "Settings/LogAll=FALSE",
      "Settings/LogWarnings=FALSE",   "Settings/PauseOnMinimise=FALSE",
      "Settings/AudioWarnings=FALSE", "Settings/HotKeyModifiers=-1",
      "Settings/ShowSplash=TRUE",     "Settings/AutoResize=TRUE",
      "Priorities/MainThread=THREAD_PRIORITY_HIGHEST",
      "Priorities/TimerThread=THREAD_PRIORITY_NORMAL",
      "Settings/OnTop=TRUE",          "Settings/BarPosition=BOTTOM",
      "Settings/ShadeBar=FALSE",      "Settings/ShadeColour=16744576",
      "Settings/ShadeAmount=100",     "Settings/FontName=Arial",
      "Settings/FontSize=8",          "Settings/FontColor=-2147483640",
      "Settings/FontStyle=",          "Settings/PanelGraphs=FALSE",
      "Panels/NoOfPanels=0",          "Warnings/NoOfWarnings=0",
      "Settings/SettingsStatus=Applied"};
  EXPECT_EQ(store.writes, want);
  // The start-up entry comes after the first group (six values).
  EXPECT_EQ(order, (std::vector<std::string>{"run", "6"}));
}

TEST(GeneralSettings, AFailedWriteStopsApplyBeforeTheStatus) {
  MemorySettings store;
  store.failOnWrite = "ShadeColour";
  EXPECT_THROW(SaveSettings(store, LoadGeneralSettings(store), PanelList(), WarningList(), nullptr),
               CvlError);
  EXPECT_EQ(store.Get("Settings", "SettingsStatus"), "<missing>");
}

TEST(GeneralSettings, LoadReadsStoredValues) {
  MemorySettings store;
  store.Set("Settings", "FontColor", "255");
  store.Set("Settings", "FontSize", "12");
  store.Set("Settings", "FontStyle", "Bold");
  store.Set("Settings", "AutoResize", "FALSE");
  store.Set("Settings", "ShadeColour", "-2147483633");
  GeneralSettings v = LoadGeneralSettings(store);
  EXPECT_EQ(v.font.colour, 255);
  EXPECT_EQ(v.font.size, 12);
  EXPECT_TRUE(v.font.bold);
  EXPECT_FALSE(v.font.italic);
  EXPECT_TRUE(v.disableAutoResize);
  EXPECT_EQ(v.shadeColour, static_cast<int32_t>(0x8000000Fu));
}

TEST(GeneralSettings, OnlyTheExactTextTRUEShowsTheHistoryGraphs) {
  MemorySettings store;
  EXPECT_FALSE(LoadGeneralSettings(store).panelGraphs);
  const std::vector<std::string> hostile = {"true", "1", "TRUE ", std::string(10000, 'T'),
                                            "TRUE" + std::string(9996, ' ')};
  for (const std::string& stored : hostile) {
    store.Set("Settings", "PanelGraphs", stored);
    EXPECT_FALSE(LoadGeneralSettings(store).panelGraphs) << stored.substr(0, 20);
  }
  store.Set("Settings", "PanelGraphs", "TRUE");
  GeneralSettings v = LoadGeneralSettings(store);
  EXPECT_TRUE(v.panelGraphs);
  SaveSettings(store, v, PanelList(), WarningList(), nullptr);
  EXPECT_EQ(store.Get("Settings", "PanelGraphs"), "TRUE");
}

TEST(GeneralSettingsRules, SpeedLoggingPriorityAndPreview) {
  for (int i = 0; i < kUpdateItemCount; ++i) EXPECT_EQ(SpeedNeedsConfirmation(i), i < 3) << i;
  EXPECT_FALSE(SpeedNeedsConfirmation(-1));
  EXPECT_EQ(SpeedForLogAll(-1), kOneMinuteIndex);
  EXPECT_EQ(SpeedForLogAll(5), kOneMinuteIndex);
  EXPECT_EQ(SpeedForLogAll(7), kOneMinuteIndex);
  EXPECT_EQ(SpeedForLogAll(8), 8);
  EXPECT_EQ(SpeedForLogAll(9), 9);

  int level = -99;
  EXPECT_TRUE(ThreadLevel(0, 4, level));
  EXPECT_EQ(level, 6);
  EXPECT_TRUE(ThreadLevel(3, 0, level));
  EXPECT_EQ(level, 22);
  EXPECT_TRUE(ThreadLevel(1, 2, level));
  EXPECT_EQ(level, 9);
  level = -99;
  EXPECT_FALSE(ThreadLevel(-1, 2, level));
  EXPECT_FALSE(ThreadLevel(2, -1, level));
  EXPECT_EQ(level, -99);

  EXPECT_EQ(PreviewPicture(BarPlace::Top, true), "APPEARPIC0");
  EXPECT_EQ(PreviewPicture(BarPlace::Top, false), "APPEARPIC1");
  EXPECT_EQ(PreviewPicture(BarPlace::Bottom, true), "APPEARPIC2");
  EXPECT_EQ(PreviewPicture(BarPlace::Floating, false), "APPEARPIC5");
  EXPECT_EQ(PreviewPicture(BarPlace::Minimised, true), "APPEARPIC6");
  EXPECT_EQ(PreviewPicture(BarPlace::Minimised, false), "APPEARPIC6");
}
