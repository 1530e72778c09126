// The shipped bar over hostile settings: every value it, its settings dialog
// and the monthly-tally plug-in read holds one kind of damage at a time. The
// bar must start, report only its documented messages, keep refreshing once
// its lists name something it can show, reload through the settings
// hand-shake, take sane values from the dialog's OK and end with exit code 0.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "bar/core/BarWindow.h"
#include "tests/badinput/HostileValues.h"
#include "tests/badinput/SaneValues.h"
#include "tests/perf/BarMeasure.h"
#include "tests/support/WinTest.h"

using namespace wintest;
using hostile::Kind;

namespace {

void Entry(const char* list, int i, const char* plugin, const char* number) {
  const std::string section = std::string(list) + "\\" + std::to_string(i) + "\\General";
  SetSetting(section, "Plugin", plugin);
  SetSetting(section, "Number", number);
}

// Lists that can show something: the current time (seconds change) and the
// monthly tally over its hostile state; one memory-load warning at the
// hostile threshold. Every other value stays as damaged as it was.
void WriteShowingLists(const std::string& dir) {
  SetSetting("Settings", "InstalledDir", dir);
  SetSetting("Plugins", "NoOfPlugins", "1");
  SetSetting("Plugins", "1", "Dialtally.cvl");
  SetSetting("Panels", "NoOfPanels", "2");
  Entry("Panels", 1, "FALSE", "10");
  Entry("Panels", 2, "TRUE", "1");
  SetSetting("Warnings", "NoOfWarnings", "1");
  Entry("Warnings", 1, "FALSE", "13");
}

std::string CellText(barmeasure::RunningBar& bar, int slot) { return WindowText(bar.Cell(slot)); }

bool TimeMoves(barmeasure::RunningBar& bar, DWORD ms) {
  const std::string first = CellText(bar, 1);
  return WaitUntil([&] { return CellText(bar, 1) != first; }, ms);
}

HWND SettingsDialog(DWORD pid) { return FindTopWindow("", "Corvella Settings", pid, true); }

class HostileBar : public ::testing::TestWithParam<Kind> {
 protected:
  static void SetUpTestSuite() { dir_ = barmeasure::MakeInstallation(); }
  void SetUp() override {
    ASSERT_FALSE(dir_.empty()) << "the installation folder could not be made";
    ASSERT_EQ(FindTopWindow("TApplication", "CVL"), nullptr) << "a bar is already running";
  }
  void TearDown() override {
    if (bar_.Process().Running()) bar_.Process().Kill();
    ResetVeltropKeys();
  }
  // Start-up is over once the always-on-top step has written its setting.
  bool StartUpDone() {
    return WaitUntil([] {
      const std::string t = Setting("Settings", "OnTop");
      return t == "TRUE" || t == "FALSE";
    }, 20000);
  }

  // Both panels rebuilt (a new first cell) and showing their first texts.
  bool NewPanels(HWND before) {
    return WaitUntil([&] {
      const HWND cell = bar_.Cell(1);
      return cell && cell != before && !CellText(bar_, 1).empty() && !CellText(bar_, 2).empty();
    }, 10000);
  }
  std::string Texts() {
    return "panels \"" + CellText(bar_, 1) + "\", \"" + CellText(bar_, 2) + "\"";
  }

  static std::string dir_;
  barmeasure::RunningBar bar_;
};
std::string HostileBar::dir_;

TEST_P(HostileBar, StartsReportsOnlyDocumentedMessagesKeepsRefreshingAndExits) {
  const Kind kind = GetParam();
  const DWORD began = GetTickCount();
  hostile::FillEverything(kind);
  MessageBoxWatcher boxes;
  ASSERT_TRUE(bar_.Start(dir_));
  ASSERT_TRUE(StartUpDone());
  Sleep(300);
  ASSERT_TRUE(bar_.Process().Running()) << boxes.Summary();
  ASSERT_TRUE(IsWindow(bar_.Window()));
  EXPECT_EQ(hostile::UndocumentedAmong(boxes.Boxes()), "");
  const size_t atStart = boxes.Count();

  // A reload through the hand-shake with lists that show something.
  WriteShowingLists(dir_);
  ASSERT_TRUE(bar_.OpenSettings(10000));
  ASSERT_GT(bar_.ReloadRound(10000), 0.0) << boxes.Summary();
  const HWND reloaded = bar_.Cell(1);
  ASSERT_TRUE(bar_.CloseSettings(10000));
  // Closing the dialog applies everything once more: new panels.
  ASSERT_TRUE(NewPanels(reloaded)) << Texts();
  // The damaged interval: "99999999999" is the longest one there is (24.8
  // days), every other kind reads as at most a second. The refresh command
  // still refreshes at once.
  const std::string shown = CellText(bar_, 1);
  if (kind == Kind::Huge) {
    Sleep(1100);
    PostMessageA(bar_.Window(), WM_COMMAND, RefreshMenu, 0);
  }
  EXPECT_TRUE(WaitUntil([&] { return CellText(bar_, 1) != shown; }, 3000))
      << "the display thread refreshes the time: " << Texts();

  // OK in the settings dialog over the damaged values writes sane ones, and
  // the bar goes on with them at the dialog's 500 ms.
  ASSERT_TRUE(bar_.OpenSettings(10000));
  HWND dialog = SettingsDialog(bar_.Process().Pid());
  ASSERT_NE(dialog, nullptr);
  HWND ok = FindChildByText(dialog, "OK", "Button");
  ASSERT_NE(ok, nullptr);
  const HWND beforeOk = bar_.Cell(1);
  ClickButton(ok);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10000));
  ASSERT_TRUE(NewPanels(beforeOk)) << Texts();
  sane::ExpectGeneralSettings();
  EXPECT_EQ(Setting("Settings", "Update"), "500");
  EXPECT_EQ(Setting("Panels", "NoOfPanels"), "2");
  EXPECT_EQ(Setting("Panels\\1\\General", "Number"), "10");
  EXPECT_EQ(Setting("Panels\\2\\General", "Plugin"), "TRUE");
  EXPECT_EQ(Setting("Warnings", "NoOfWarnings"), "1");
  EXPECT_TRUE(TimeMoves(bar_, 2500)) << "refreshing after OK: " << Texts();
  const std::string tally = CellText(bar_, 2);
  EXPECT_FALSE(tally.empty());

  EXPECT_TRUE(bar_.Process().Running());
  EXPECT_EQ(hostile::UndocumentedAmong(boxes.Boxes()), "");
  ASSERT_TRUE(bar_.Exit(15000)) << "the bar hangs at exit";
  EXPECT_EQ(bar_.Process().ExitCode(), 0u);
  std::printf("%-12s %2u boxes at start, %2u in all, %lu ms, tally \"%s\"\n",
              hostile::NameOf(kind), static_cast<unsigned>(atStart),
              static_cast<unsigned>(boxes.Count()),
              static_cast<unsigned long>(GetTickCount() - began), tally.c_str());
}

INSTANTIATE_TEST_SUITE_P(EveryKind, HostileBar, ::testing::ValuesIn(hostile::AllKinds()),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                           return std::string(hostile::NameOf(info.param));
                         });

}  // namespace
