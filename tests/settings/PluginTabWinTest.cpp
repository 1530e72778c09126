// The "Plugins" tab of the shipped settings dialog with real plug-in files
// (the contract's test plug-ins) and the system's file-open dialog.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "settings/ControlIds.h"
#include "shared/core/Addresses.h"
#include "tests/settings/CvlDriver.h"
#include "tests/support/WinTest.h"

using namespace cvltest;
using namespace settings_ids;

namespace {


int Rows(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

void SelectOnly(HWND list, int row) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  item.state = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class PluginTab : public ::testing::Test {
 protected:
  void SetUp() override {
    wintest::ResetVeltropKeys();
    installDir_ = wintest::MakeTempDir("cvlhome");
    wintest::SetSetting("Settings", "InstalledDir", installDir_);
    show_ = reinterpret_cast<void(__stdcall*)()>(reinterpret_cast<void*>(CvlEntry("4")));
    ASSERT_NE(show_, nullptr);
    ASSERT_TRUE(FileExists(Plugin("complete.cvl"))) << "the contract's test plug-ins are missing";
  }
  static std::string Plugin(const char* file) { return wintest::TestBinDir() + file; }
  HWND Open() { return thread_.Open([this] { show_(); }, "Corvella Settings"); }
  bool Close(HWND dlg, int button) { return thread_.Close(dlg, button); }
  // Presses "&Install" and types path into the system's file-open dialog.
  bool InstallThroughFileDialog(HWND dlg, const std::string& path, bool confirm = true) {
    PostClick(dlg, PluginInstallBtn);
    HWND open = thread_->WaitForWindow("Open");
    if (!open) return false;
    HWND name = GetDlgItem(open, 0x47C);  // the file name box
    if (!name) name = GetDlgItem(open, 0x480);
    if (!name) return false;
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(open, WM_COMMAND, MAKEWPARAM(confirm ? IDOK : IDCANCEL, BN_CLICKED), 0);
    return wintest::WaitUntil([&] { return !IsWindow(open); }, 5000);
  }
  int AddDialogRows(HWND dlg, int button, const char* caption) {
    PostClick(dlg, button);
    HWND add = thread_->WaitForWindow(caption);
    if (!add) return -1;
    int rows = Rows(GetDlgItem(add, add_ids::List));
    lastAddRow_ = {ListCell(GetDlgItem(add, add_ids::List), rows - 1, 0),
                   ListCell(GetDlgItem(add, add_ids::List), rows - 1, 1),
                   ListCell(GetDlgItem(add, add_ids::List), rows - 1, 2)};
    Click(add, add_ids::CancelBtn);
    return rows;
  }

  std::string installDir_;
  std::vector<std::string> lastAddRow_;
  void(__stdcall* show_)() = nullptr;
  ShownDialog thread_;
};

TEST_F(PluginTab, InstallsAPluginFileAndRefusesWhatItMustRefuse) {
  std::string elsewhere = wintest::MakeTempDir("caps");
  ASSERT_TRUE(CopyFileA(Plugin("complete.cvl").c_str(), (elsewhere + "PLUGIN.CVL").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(Plugin("quiet.cvl").c_str(), (installDir_ + "quiet.cvl").c_str(), FALSE));
  wintest::SetSetting("Plugins", "NoOfPlugins", "1");
  wintest::SetSetting("Plugins", "1", "missing.cvl");
  wintest::MessageBoxWatcher boxes;
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  HWND list = GetDlgItem(dlg, PluginList);
  ASSERT_EQ(Rows(list), 1);
  // The link shows and opens the build's plug-in page: by default the
  // plug-in section of the help page in the installation folder.
  EXPECT_EQ(wintest::WindowText(GetDlgItem(dlg, PluginUrl)),
            ResolveAddress(kPluginsAddress, installDir_));
  EXPECT_EQ(ListCell(list, 0, 0), "<Invalid Plugin>");
  EXPECT_EQ(ListCell(list, 0, 1), "missing.cvl");

  ASSERT_TRUE(InstallThroughFileDialog(dlg, Plugin("complete.cvl")));
  ASSERT_TRUE(wintest::WaitUntil([&] { return Rows(list) == 2; }, 5000));
  EXPECT_EQ(ListCell(list, 1, 0), "Complete plug-in");
  EXPECT_EQ(ListCell(list, 1, 1), "complete.cvl");
  // Written at once, and the file copied into the installation folder.
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "2");
  EXPECT_EQ(wintest::Setting("Plugins", "2"), "complete.cvl");
  EXPECT_TRUE(FileExists(installDir_ + "complete.cvl"));

  // The add dialogs now offer the plug-in after the built-in rows.
  EXPECT_EQ(AddDialogRows(dlg, SensorAddBtn, "Add Sensor"), 25);
  EXPECT_EQ(lastAddRow_, (std::vector<std::string>{"Complete description", "Yes", "64"}));
  EXPECT_EQ(AddDialogRows(dlg, WarningAddBtn, "Add Warning"), 16);
  EXPECT_EQ(lastAddRow_, (std::vector<std::string>{"Complete level warning", "5", "units"}));

  ASSERT_TRUE(InstallThroughFileDialog(dlg, Plugin("complete.cvl")));
  ASSERT_TRUE(boxes.WaitForCount(1, 5000));
  ASSERT_TRUE(InstallThroughFileDialog(dlg, elsewhere + "PLUGIN.CVL"));
  ASSERT_TRUE(boxes.WaitForCount(2, 5000));
  ASSERT_TRUE(InstallThroughFileDialog(dlg, Plugin("nofacilities.cvl")));
  ASSERT_TRUE(boxes.WaitForCount(3, 5000));
  std::vector<wintest::BoxRecord> seen = boxes.Boxes();
  EXPECT_EQ(seen[0].text, "Plugin is Already Installed or a Plugin with the same name is Installed");
  EXPECT_EQ(seen[1].text, "File is not a Valid Corvella Plugin");
  EXPECT_EQ(seen[2].text, "File is not a Valid Corvella Plugin");
  for (const auto& b : seen) {
    EXPECT_EQ(b.title, "Corvella");
    EXPECT_EQ(b.icon, MB_ICONEXCLAMATION) << b.text;
    EXPECT_EQ(b.defaultButton, IDOK) << b.text;
  }
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "2");
  EXPECT_FALSE(FileExists(installDir_ + "nofacilities.cvl"));

  // A typed name that does not exist, in a folder that does or does not,
  // gets the product's own refusal, not a prompt of the file dialog.
  ASSERT_TRUE(InstallThroughFileDialog(dlg, elsewhere + "absent.cvl"));
  ASSERT_TRUE(boxes.WaitForCount(4, 5000));
  ASSERT_TRUE(InstallThroughFileDialog(dlg, elsewhere + "nowhere\\absent.cvl"));
  ASSERT_TRUE(boxes.WaitForCount(5, 5000));
  seen = boxes.Boxes();
  EXPECT_EQ(seen[3].title, "Corvella");
  EXPECT_EQ(seen[3].text, "File is not a Valid Corvella Plugin");
  EXPECT_EQ(seen[4].title, "Corvella");
  EXPECT_EQ(seen[4].text, "File is not a Valid Corvella Plugin");
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "2");

  // Cancelling the file dialog installs nothing, whatever name it holds.
  ASSERT_TRUE(InstallThroughFileDialog(dlg, installDir_ + "quiet.cvl", false));
  Sleep(300);
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "2");
  EXPECT_EQ(boxes.Count(), 5u) << boxes.Summary();
  // A file already in the installation folder is registered where it lies.
  ASSERT_TRUE(InstallThroughFileDialog(dlg, installDir_ + "quiet.cvl"));
  ASSERT_TRUE(wintest::WaitUntil([&] { return Rows(list) == 3; }, 5000));
  EXPECT_EQ(wintest::Setting("Plugins", "3"), "quiet.cvl");

  // Cancel keeps the installations.
  ASSERT_TRUE(Close(dlg, CancelBtn));
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "3");
  EXPECT_EQ(wintest::Setting("Settings", "SettingsStatus"), "<missing>");
}

TEST_F(PluginTab, RemovingPluginTwoOfThreeShiftsTheListAndDropsItsRows) {
  const char* files[] = {"first.cvl", "second.cvl", "third.cvl"};
  for (const char* f : files)
    ASSERT_TRUE(CopyFileA(Plugin("complete.cvl").c_str(), (installDir_ + f).c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(Plugin("quiet.cvl").c_str(), (installDir_ + "third.cvl").c_str(), FALSE));
  wintest::SetSetting("Plugins", "NoOfPlugins", "3");
  for (int i = 0; i < 3; ++i) wintest::SetSetting("Plugins", std::to_string(i + 1), files[i]);
  wintest::SetSetting("Panels", "NoOfPanels", "3");
  const char* panelNumbers[] = {"2", "3", "2"};
  for (int i = 0; i < 3; ++i) {
    std::string sec = "Panels\\" + std::to_string(i + 1) + "\\General";
    wintest::SetSetting(sec, "Plugin", "TRUE");
    wintest::SetSetting(sec, "Number", panelNumbers[i]);
    wintest::SetSetting(sec, "Width", std::to_string(50 + i));
  }
  wintest::SetSetting("Warnings", "NoOfWarnings", "1");
  wintest::SetSetting("Warnings\\1\\General", "Plugin", "TRUE");
  wintest::SetSetting("Warnings\\1\\General", "Number", "2");
  wintest::SetSetting("Warnings\\1\\General", "WarnVal", "20");

  wintest::MessageBoxWatcher boxes;
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  HWND list = GetDlgItem(dlg, PluginList);
  HWND panels = GetDlgItem(dlg, SensorList);
  ASSERT_EQ(Rows(list), 3);
  EXPECT_EQ(ListCell(list, 2, 0), "Quiet plug-in");
  ASSERT_EQ(Rows(panels), 3);
  EXPECT_EQ(Rows(GetDlgItem(dlg, settings_ids::WarningList)), 1);

  // "&Settings" calls the plug-in's own settings (a message box here).
  SelectOnly(list, 1);
  Click(dlg, PluginSettingsBtn);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Complete settings");

  // Anything but Yes keeps the plug-in.
  boxes.Answer(IDNO);
  Click(dlg, PluginRemoveBtn);
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(boxes.Boxes()[1].text, "Are you sure you want to Remove this Plugin?");
  EXPECT_EQ(boxes.Boxes()[1].title, "Corvella");
  EXPECT_EQ(boxes.Boxes()[1].icon, MB_ICONEXCLAMATION);
  EXPECT_EQ(boxes.Boxes()[1].defaultButton, IDYES);
  EXPECT_EQ(boxes.Boxes()[1].owner, dlg);
  EXPECT_EQ(Rows(list), 3);
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "3");

  boxes.Answer(IDYES);
  Click(dlg, PluginRemoveBtn);
  ASSERT_EQ(boxes.Count(), 3u);
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "2");
  EXPECT_EQ(wintest::Setting("Plugins", "2"), "third.cvl");
  EXPECT_EQ(wintest::Setting("Plugins", "3"), "");
  EXPECT_TRUE(FileExists(installDir_ + "second.cvl"));  // the file stays
  ASSERT_EQ(Rows(list), 2);
  ASSERT_EQ(Rows(panels), 1);
  EXPECT_EQ(ListCell(panels, 0, 0), "Quiet sensor");
  EXPECT_EQ(Rows(GetDlgItem(dlg, settings_ids::WarningList)), 0);

  // A plug-in without its own settings: nothing happens.
  SelectOnly(list, 1);
  Click(dlg, PluginSettingsBtn);
  Sleep(300);
  EXPECT_EQ(boxes.Count(), 3u) << boxes.Summary();

  // Cancel: the stored lists were renumbered with the removal, so every
  // entry still names the plug-in it named before.
  ASSERT_TRUE(Close(dlg, CancelBtn));
  EXPECT_EQ(wintest::Setting("Panels", "NoOfPanels"), "1");
  EXPECT_EQ(wintest::Setting("Panels\\1\\General", "Number"), "2");
  EXPECT_EQ(wintest::Setting("Panels\\1\\General", "Width"), "51");
  EXPECT_EQ(wintest::Setting("Warnings", "NoOfWarnings"), "0");
  dlg = Open();
  ASSERT_NE(dlg, nullptr);
  panels = GetDlgItem(dlg, SensorList);
  ASSERT_EQ(Rows(panels), 1);
  EXPECT_EQ(ListCell(panels, 0, 0), "Quiet sensor");
  EXPECT_EQ(ListCell(panels, 0, 2), "51");
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(wintest::Setting("Panels\\1\\General", "Number"), "2");
}

}  // namespace
