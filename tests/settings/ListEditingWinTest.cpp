// The "Sensors" and "Warnings" tabs of the shipped settings dialog and its
// two add dialogs, driven under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "settings/ControlIds.h"
#include "tests/settings/CvlDriver.h"
#include "tests/support/WinTest.h"

using namespace cvltest;
using namespace settings_ids;

namespace {

const int kWarningList = settings_ids::WarningList;


std::vector<std::string> Row(HWND list, int row) {
  return {ListCell(list, row, 0), ListCell(list, row, 1), ListCell(list, row, 2)};
}

int Rows(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

void SetState(HWND list, int row, UINT state, UINT mask) {
  LVITEMA item{};
  item.stateMask = mask;
  item.state = state;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void Select(HWND list, std::initializer_list<int> rows) {
  SetState(list, -1, 0, LVIS_SELECTED);
  for (int r : rows) SetState(list, r, LVIS_SELECTED, LVIS_SELECTED);
}

void Focus(HWND list, int row) { SetState(list, row, LVIS_FOCUSED, LVIS_FOCUSED); }

bool Selected(HWND list, int row) {
  return (SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void StorePanel(int n, const char* plugin, const char* number, const char* width) {
  std::string sec = "Panels\\" + std::to_string(n) + "\\General";
  wintest::SetSetting(sec, "Plugin", plugin);
  wintest::SetSetting(sec, "Number", number);
  wintest::SetSetting(sec, "Width", width);
}

std::string Panel(int n, const char* name) {
  return wintest::Setting("Panels\\" + std::to_string(n) + "\\General", name);
}
std::string Warning(int n, const char* name) {
  return wintest::Setting("Warnings\\" + std::to_string(n) + "\\General", name);
}

class ListEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    wintest::ResetVeltropKeys();
    show_ = reinterpret_cast<void(__stdcall*)()>(reinterpret_cast<void*>(CvlEntry("4")));
    ASSERT_NE(show_, nullptr);
  }
  HWND Open() { return thread_.Open([this] { show_(); }, "Corvella Settings"); }
  // Presses an "&Add" button and answers the add dialog that opens.
  HWND OpenAdd(HWND dlg, int button, const char* caption) {
    PostClick(dlg, button);
    return thread_->WaitForWindow(caption);
  }
  bool Close(HWND dlg, int button) { return thread_.Close(dlg, button); }
  void(__stdcall* show_)() = nullptr;
  ShownDialog thread_;
};

TEST_F(ListEditing, AddDialogsListTheCataloguesAndAppendTheChosenRowsInListOrder) {
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  HWND add = OpenAdd(dlg, SensorAddBtn, "Add Sensor");
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(Text(add, add_ids::TopLabel),
            "Please Select a Sensor from the List Below and Click OK to Add:");
  RECT outer = wintest::WindowRectOf(add);
  EXPECT_EQ(outer.right - outer.left, 426);
  EXPECT_EQ(outer.bottom - outer.top, 365);
  HWND list = GetDlgItem(add, add_ids::List);
  ASSERT_EQ(Rows(list), 24);
  EXPECT_EQ(Row(list, 0), (std::vector<std::string>{"CPU Usage", "No", "40"}));
  EXPECT_EQ(Row(list, 22), (std::vector<std::string>{"Fans Speed : Fan 2 ", "No", "64"}));
  EXPECT_EQ(Row(list, 20),
            (std::vector<std::string>{"System Voltages : +5V, -5V, +12V & -12V ", "No", "190"}));
  Select(list, {22, 0});
  Click(add, add_ids::OKBtn);
  HWND panels = GetDlgItem(dlg, SensorList);
  ASSERT_TRUE(wintest::WaitUntil([&] { return Rows(panels) == 2; }, 5000));
  EXPECT_EQ(Row(panels, 0), (std::vector<std::string>{"CPU Usage", "No", "40"}));
  EXPECT_EQ(Row(panels, 1), (std::vector<std::string>{"Fans Speed : Fan 2 ", "No", "64"}));

  // Cancel appends nothing, nor does OK with nothing chosen.
  add = OpenAdd(dlg, SensorAddBtn, "Add Sensor");
  ASSERT_NE(add, nullptr);
  Select(GetDlgItem(add, add_ids::List), {3});
  Click(add, add_ids::CancelBtn);
  add = OpenAdd(dlg, SensorAddBtn, "Add Sensor");
  ASSERT_NE(add, nullptr);
  Click(add, add_ids::OKBtn);
  ASSERT_TRUE(wintest::WaitUntil([&] { return !IsWindow(add); }, 5000));
  EXPECT_EQ(Rows(panels), 2);

  add = OpenAdd(dlg, WarningAddBtn, "Add Warning");
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(Text(add, add_ids::TopLabel),
            "Please Select a Warning from the List Below and Click OK to Add:");
  list = GetDlgItem(add, add_ids::List);
  ASSERT_EQ(Rows(list), 15);
  EXPECT_EQ(Row(list, 3), (std::vector<std::string>{"Temperature 1 rises above", "5", "\xB0" "C"}));
  EXPECT_EQ(Row(list, 0), (std::vector<std::string>{"Disk space drops below", "2", "Mb"}));
  Select(list, {9});
  Click(add, add_ids::OKBtn);
  HWND warnings = GetDlgItem(dlg, kWarningList);
  ASSERT_TRUE(wintest::WaitUntil([&] { return Rows(warnings) == 1; }, 5000));
  EXPECT_EQ(Row(warnings, 0), (std::vector<std::string>{"Fan 1 speed drops below", "500", "rpm"}));

  // The new warning steps by 500 between 500 and 20000.
  Focus(warnings, 0);
  Click(dlg, ValueMinusBtn);
  EXPECT_EQ(ListCell(warnings, 0, 1), "500");
  Click(dlg, ValuePlusBtn);
  EXPECT_EQ(ListCell(warnings, 0, 1), "1000");
  for (int i = 0; i < 45; ++i) Click(dlg, ValuePlusBtn);
  EXPECT_EQ(ListCell(warnings, 0, 1), "20000");

  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(wintest::Setting("Panels", "NoOfPanels"), "2");
  EXPECT_EQ(Panel(1, "Plugin"), "FALSE");
  EXPECT_EQ(Panel(1, "Number"), "1");
  EXPECT_EQ(Panel(1, "Width"), "40");
  EXPECT_EQ(Panel(2, "Number"), "23");
  EXPECT_EQ(Panel(2, "Width"), "64");
  EXPECT_EQ(wintest::Setting("Warnings", "NoOfWarnings"), "1");
  EXPECT_EQ(Warning(1, "Plugin"), "FALSE");
  EXPECT_EQ(Warning(1, "Number"), "10");
  EXPECT_EQ(Warning(1, "WarnVal"), "20000");
}

TEST_F(ListEditing, RemovingMiddleRowsKeepsTheOthersAndApplyLeavesHigherEntries) {
  wintest::SetSetting("Panels", "NoOfPanels", "5");
  for (int n = 1; n <= 5; ++n)
    StorePanel(n, "FALSE", std::to_string(n).c_str(), std::to_string(10 * n).c_str());
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  HWND panels = GetDlgItem(dlg, SensorList);
  ASSERT_EQ(Rows(panels), 5);
  EXPECT_EQ(Row(panels, 2),
            (std::vector<std::string>{"Disk Cache : Size & Percentage Hits", "No", "30"}));
  Select(panels, {1, 2, 3});
  Click(dlg, SensorRemoveBtn);
  ASSERT_EQ(Rows(panels), 2);
  EXPECT_EQ(ListCell(panels, 0, 0), "CPU Usage");
  EXPECT_EQ(ListCell(panels, 1, 0), "Dial Up Internet Connection Information");
  Click(dlg, ApplyBtn);
  EXPECT_EQ(wintest::Setting("Panels", "NoOfPanels"), "2");
  EXPECT_EQ(Panel(1, "Number"), "1");
  EXPECT_EQ(Panel(2, "Number"), "5");
  EXPECT_EQ(Panel(2, "Width"), "50");
  for (int n = 3; n <= 5; ++n) EXPECT_EQ(Panel(n, "Number"), std::to_string(n));
  EXPECT_EQ(wintest::Setting("Settings", "SettingsStatus"), "Applied");
  ASSERT_TRUE(Close(dlg, CancelBtn));
}

TEST_F(ListEditing, MovingAndWidthActOnTheFocusedRowWithinTheirLimits) {
  wintest::SetSetting("Panels", "NoOfPanels", "3");
  StorePanel(1, "FALSE", "10", "0");
  StorePanel(2, "FALSE", "12", "58");
  StorePanel(3, "FALSE", "30", "9");  // no such built-in sensor: left out
  wintest::SetSetting("Warnings", "NoOfWarnings", "1");
  wintest::SetSetting("Warnings\\1\\General", "Plugin", "FALSE");
  wintest::SetSetting("Warnings\\1\\General", "Number", "4");
  wintest::SetSetting("Warnings\\1\\General", "WarnVal", "149");
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  HWND panels = GetDlgItem(dlg, SensorList);
  ASSERT_EQ(Rows(panels), 2);

  // Nothing focused: the buttons do nothing.
  Click(dlg, MoveDownBtn);
  Click(dlg, WidthPlusBtn);
  EXPECT_EQ(ListCell(panels, 0, 0), "Current Time");
  EXPECT_EQ(ListCell(panels, 0, 2), "0");

  Focus(panels, 0);
  Select(panels, {0});
  Click(dlg, MoveUpBtn);  // already first
  EXPECT_EQ(ListCell(panels, 0, 0), "Current Time");
  Click(dlg, WidthMinusBtn);
  EXPECT_EQ(ListCell(panels, 0, 2), "0");
  Click(dlg, WidthPlusBtn);
  Click(dlg, WidthPlusBtn);
  EXPECT_EQ(ListCell(panels, 0, 2), "2");
  Click(dlg, MoveDownBtn);
  EXPECT_EQ(Row(panels, 0), (std::vector<std::string>{"Current Date", "No", "58"}));
  EXPECT_EQ(Row(panels, 1), (std::vector<std::string>{"Current Time", "No", "2"}));
  // The focus moved with the row, the selection stayed on its place.
  EXPECT_EQ(SendMessageA(panels, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1);
  EXPECT_TRUE(Selected(panels, 0));
  Click(dlg, MoveDownBtn);  // already last
  EXPECT_EQ(ListCell(panels, 1, 0), "Current Time");

  HWND warnings = GetDlgItem(dlg, kWarningList);
  ASSERT_EQ(Rows(warnings), 1);
  Focus(warnings, 0);
  Click(dlg, ValuePlusBtn);
  EXPECT_EQ(ListCell(warnings, 0, 1), "150");
  Click(dlg, ValuePlusBtn);
  EXPECT_EQ(ListCell(warnings, 0, 1), "150");

  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(wintest::Setting("Panels", "NoOfPanels"), "2");
  EXPECT_EQ(Panel(1, "Number"), "12");
  EXPECT_EQ(Panel(2, "Number"), "10");
  EXPECT_EQ(Panel(2, "Width"), "2");
  EXPECT_EQ(Warning(1, "WarnVal"), "150");
}

TEST_F(ListEditing, RemovingWarningsAndCancellingWritesNothing) {
  wintest::SetSetting("Warnings", "NoOfWarnings", "2");
  for (int n = 1; n <= 2; ++n) {
    std::string sec = "Warnings\\" + std::to_string(n) + "\\General";
    wintest::SetSetting(sec, "Plugin", "FALSE");
    wintest::SetSetting(sec, "Number", std::to_string(n + 12));
    wintest::SetSetting(sec, "WarnVal", "7");
  }
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  HWND warnings = GetDlgItem(dlg, kWarningList);
  ASSERT_EQ(Rows(warnings), 2);
  EXPECT_EQ(Row(warnings, 1), (std::vector<std::string>{"Swap Files size exceeds", "7", "Mb"}));
  Select(warnings, {0});
  Click(dlg, WarningRemoveBtn);
  ASSERT_EQ(Rows(warnings), 1);
  EXPECT_EQ(ListCell(warnings, 0, 0), "Swap Files size exceeds");
  ASSERT_TRUE(Close(dlg, CancelBtn));
  EXPECT_EQ(wintest::Setting("Warnings", "NoOfWarnings"), "2");
  EXPECT_EQ(wintest::Setting("Settings", "SettingsStatus"), "<missing>");
}

}  // namespace
