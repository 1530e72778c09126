// The shipped cvl.dll's dialogs over hostile settings, one kind of damage at
// a time: the settings dialog with every page, both add dialogs, the
// hardware dialog, the monthly-tally plug-in's own settings (its About box)
// and the About box itself open and close without a message; Cancel leaves
// every damaged value exactly as it was; OK writes sane ones.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "settings/ControlIds.h"
#include "tests/badinput/HostileValues.h"
#include "tests/badinput/SaneValues.h"
#include "tests/settings/CvlDriver.h"
#include "tests/support/WinTest.h"

using namespace cvltest;
using hostile::Kind;

namespace {

// Xvfb has no window manager; Wine waits two seconds for one at every hiding
// of a window it lets a manager handle, so Wine draws every window itself.
const char* const kX11Driver = "Software\\Wine\\X11 Driver";
const char* const kHardwareCaption = "Hardware Monitoring Settings";
// Asked when the hardware dialog finds no stored choice of hardware; the
// test answers No (under Wine there is no chip to find).
const char* const kAutoDetectQuestion =
    "Corvella will now attempt to Auto-Detect your System Configuration. This MAY cause your "
    "system to Lock or Crash. Do you wish to continue with Hardware Auto-detection?";

// Every box but the question, for the assertion message; empty when none.
std::string OtherBoxes(wintest::MessageBoxWatcher& boxes) {
  std::string other;
  for (const wintest::BoxRecord& b : boxes.Boxes())
    if (b.title != "Corvella" || b.text != kAutoDetectQuestion)
      other += (other.empty() ? "" : " | ") + b.title + ": " + b.text.substr(0, 300);
  return other;
}

// A value as stored: its type and bytes; "missing" when absent.
std::string Raw(const hostile::Place& p) {
  HKEY key;
  const std::string path = "Software\\Veltrop\\" + p.app + "\\" + p.section;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return "missing";
  DWORD type = 0, size = 0;
  std::string bytes;
  LONG r = RegQueryValueExA(key, p.name.c_str(), nullptr, &type, nullptr, &size);
  if (r == ERROR_SUCCESS) {
    bytes.resize(size);
    r = RegQueryValueExA(key, p.name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&bytes[0]), &size);
    bytes.resize(size);
  }
  RegCloseKey(key);
  return r == ERROR_SUCCESS ? std::to_string(type) + ":" + bytes : "missing";
}

std::vector<std::string> Snapshot() {
  std::vector<std::string> all;
  for (const hostile::Place& p : hostile::EveryValue()) all.push_back(Raw(p));
  return all;
}

int Rows(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

void SelectRow(HWND list, int row) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// Shows a page as a click on its tab does.
void ShowTab(HWND dlg, int page) {
  HWND tabs = GetDlgItem(dlg, settings_ids::Tabs);
  SendMessageA(tabs, TCM_SETCURSEL, page, 0);
  NMHDR header{tabs, static_cast<UINT_PTR>(settings_ids::Tabs), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(dlg, WM_NOTIFY, settings_ids::Tabs, reinterpret_cast<LPARAM>(&header));
}

using ShowFn = void(__stdcall*)();
using AboutFn = void(__stdcall*)(const char*, const char*, const char*, const char*, const char*);

class HostileDialogs : public ::testing::TestWithParam<Kind> {
 protected:
  void SetUp() override {
    settings_ = reinterpret_cast<ShowFn>(reinterpret_cast<void*>(CvlEntry("4")));
    hardware_ = reinterpret_cast<ShowFn>(reinterpret_cast<void*>(CvlEntry("1")));
    about_ = reinterpret_cast<AboutFn>(reinterpret_cast<void*>(CvlEntry("ShowAbout")));
    ASSERT_TRUE(settings_ && hardware_ && about_) << "cvl.dll or one of its entries is missing";
    wintest::SetString(HKEY_CURRENT_USER, kX11Driver, "Managed", "N");
    hostile::FillEverything(GetParam());
    for (int i = 0; i < 4; ++i) boxes_.Answer(IDNO);
  }
  void TearDown() override {
    thread_.reset();
    wintest::ResetVeltropKeys();
  }
  HWND Open(ShowFn fn, const char* caption) {
    thread_.reset(new DialogThread([fn] { fn(); }));
    return thread_->WaitForWindow(caption);
  }
  bool Close(HWND dlg, int button) {
    Click(dlg, button);
    return thread_->WaitDone(5000);
  }
  // Opens a dialog of the settings dialog through its button; nullptr when
  // it does not come.
  HWND OpenFrom(HWND dlg, int button, const char* caption) {
    PostClick(dlg, button);
    return thread_->WaitForWindow(caption, 5000);
  }
  bool CloseInner(HWND inner, int button) {
    PostClick(inner, button);
    return wintest::WaitUntil([&] { return !IsWindow(inner); }, 5000);
  }

  ShowFn settings_ = nullptr;
  ShowFn hardware_ = nullptr;
  AboutFn about_ = nullptr;
  wintest::MessageBoxWatcher boxes_;
  std::unique_ptr<DialogThread> thread_;
};

TEST_P(HostileDialogs, EveryDialogOpensAndClosesAndCancelWritesNothing) {
  const std::vector<std::string> before = Snapshot();

  HWND dlg = Open(settings_, "Corvella Settings");
  ASSERT_NE(dlg, nullptr);
  for (int page = 0; page < 7; ++page) ShowTab(dlg, page);
  // The catalogues are complete whatever the lists hold.
  HWND add = OpenFrom(dlg, settings_ids::SensorAddBtn, "Add Sensor");
  ASSERT_NE(add, nullptr);
  EXPECT_GE(Rows(GetDlgItem(add, add_ids::List)), 24);
  ASSERT_TRUE(CloseInner(add, add_ids::CancelBtn));
  add = OpenFrom(dlg, settings_ids::WarningAddBtn, "Add Warning");
  ASSERT_NE(add, nullptr);
  EXPECT_GE(Rows(GetDlgItem(add, add_ids::List)), 15);
  ASSERT_TRUE(CloseInner(add, add_ids::CancelBtn));
  HWND hw = OpenFrom(dlg, settings_ids::LM75SetBtn, kHardwareCaption);
  ASSERT_NE(hw, nullptr);
  ASSERT_TRUE(CloseInner(hw, lm78_ids::CancelBtn));
  ASSERT_TRUE(Close(dlg, settings_ids::CancelBtn));

  hw = Open(hardware_, kHardwareCaption);
  ASSERT_NE(hw, nullptr);
  ASSERT_TRUE(Close(hw, lm78_ids::CancelBtn));

  // The About box reads the damaged "Version"; its texts come from the caller.
  const std::string longText(10000, 'A');
  const AboutFn about = about_;
  thread_.reset(new DialogThread([&longText, about] {
    about(longText.c_str(), nullptr, longText.c_str(), "", longText.c_str());
  }));
  HWND box = thread_->WaitForWindow("About Corvella");
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(Close(box, about_ids::OKButton));

  EXPECT_EQ(OtherBoxes(boxes_), "");
  const std::vector<std::string> after = Snapshot();
  const std::vector<hostile::Place> places = hostile::EveryValue();
  for (size_t i = 0; i < places.size(); ++i)
    EXPECT_EQ(after[i], before[i]) << "Cancel changed " << places[i].section << "\\"
                                   << places[i].name;
}

TEST_P(HostileDialogs, OkWritesSaneValuesAndThePluginsOwnSettingsOpen) {
  // The monthly-tally plug-in where the dialog finds it; the second plug-in
  // entry, the lists and every other value stay damaged.
  wintest::SetSetting("Settings", "InstalledDir", wintest::BinDir());
  wintest::SetSetting("Plugins", "NoOfPlugins", "2");
  wintest::SetSetting("Plugins", "1", "Dialtally.cvl");

  HWND dlg = Open(settings_, "Corvella Settings");
  ASSERT_NE(dlg, nullptr);
  ShowTab(dlg, 5);
  HWND plugins = GetDlgItem(dlg, settings_ids::PluginList);
  ASSERT_GE(Rows(plugins), 1);
  SelectRow(plugins, 0);
  HWND about = OpenFrom(dlg, settings_ids::PluginSettingsBtn, "About Corvella");
  ASSERT_NE(about, nullptr) << "the plug-in's settings show its About box";
  EXPECT_EQ(Text(about, about_ids::HeadLabel), "About Plugin:");
  EXPECT_EQ(Text(about, about_ids::NameLabel), "Monthly Internet Details Plugin");
  ASSERT_TRUE(CloseInner(about, about_ids::OKButton));

  // OK in the hardware dialog: switches and numbers it can read again. A
  // choice the dialog could not show (no hardware, a fan type out of range)
  // is left as it was stored.
  auto lm78 = [](const char* name) { return Raw(hostile::Place{"Corvella", "LM78", name}); };
  const std::string enableBefore = lm78("LM78Enable");
  std::vector<std::string> fansBefore;
  for (const char* fan : {"Fan1Type", "Fan2Type", "Fan3Type"}) fansBefore.push_back(lm78(fan));
  HWND hw = OpenFrom(dlg, settings_ids::LM75SetBtn, kHardwareCaption);
  ASSERT_NE(hw, nullptr);
  ASSERT_TRUE(CloseInner(hw, lm78_ids::OKBtn));
  for (const char* flag : {"CorePort1", "Temp1Enable", "Temp2Enable", "Temp3Enable",
                           "Temp4Enable"}) {
    const std::string v = wintest::Setting("LM78", flag);
    EXPECT_TRUE(v == "TRUE" || v == "FALSE") << flag << " = \"" << v.substr(0, 80) << "\"";
  }
  const std::string enable = wintest::Setting("LM78", "LM78Enable");
  EXPECT_TRUE(enable == "TRUE" || enable == "FALSE" || lm78("LM78Enable") == enableBefore);
  EXPECT_TRUE(hostile::IsDecimal(wintest::Setting("LM78", "CPUType")));
  const char* const fans[] = {"Fan1Type", "Fan2Type", "Fan3Type"};
  for (int n = 0; n < 3; ++n) {
    const std::string v = wintest::Setting("LM78", fans[n]);
    EXPECT_TRUE(v == "0" || v == "1" || v == "2" || v == "3" || lm78(fans[n]) == fansBefore[n])
        << fans[n] << " = \"" << v.substr(0, 80) << "\"";
  }

  ASSERT_TRUE(Close(dlg, settings_ids::OKBtn));
  sane::ExpectGeneralSettings();
  EXPECT_EQ(wintest::Setting("Settings", "SettingsStatus"), "Applied");
  EXPECT_TRUE(hostile::IsDecimal(wintest::Setting("Panels", "NoOfPanels")));
  EXPECT_TRUE(hostile::IsDecimal(wintest::Setting("Warnings", "NoOfWarnings")));
  EXPECT_EQ(wintest::Setting("Plugins", "1"), "Dialtally.cvl");
  EXPECT_EQ(OtherBoxes(boxes_), "");
}

INSTANTIATE_TEST_SUITE_P(EveryKind, HostileDialogs, ::testing::ValuesIn(hostile::AllKinds()),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                           return std::string(hostile::NameOf(info.param));
                         });

}  // namespace
