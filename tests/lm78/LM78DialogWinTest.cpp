// The shipped cvl.dll's hardware monitoring dialog under Wine, reached
// through ordinal 1 and through the settings dialog's button. Wine has no
// monitoring chip: auto-detection finds none, and the processor is the host's
// as the shipped Coreprobe.dll reports it.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "settings/ControlIds.h"
#include "settings/core/LM78Values.h"
#include "tests/settings/CvlDriver.h"
#include "tests/support/WinTest.h"

using namespace cvltest;
using namespace lm78_ids;

namespace {

const char* const kCaption = "Hardware Monitoring Settings";
const char* const kQuestion =
    "Corvella will now attempt to Auto-Detect your System Configuration. This MAY cause your "
    "system to Lock or Crash. Do you wish to continue with Hardware Auto-detection?";

// cvl.dll from the shipped binaries with its own Chipwatch.dll and
// Coreprobe.dll beside it (not the copies in the test program's folder).
HMODULE ShippedCvl() {
  static HMODULE module = LoadLibraryExA((wintest::BinDir() + "cvl.dll").c_str(), nullptr,
                                         LOAD_WITH_ALTERED_SEARCH_PATH);
  return module;
}

// What the shipped Coreprobe.dll says about the host's processor.
ProcessorFacts HostProcessor() {
  HMODULE probe = GetModuleHandleA("Coreprobe.dll");
  ProcessorFacts cpu;
  auto fn = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(probe, name)); };
  char vendor[80] = "";
  reinterpret_cast<void(WINAPI*)(char*)>(fn("GetCPUInfoVendorID"))(vendor);
  cpu.vendor = vendor;
  cpu.family = reinterpret_cast<LONG(WINAPI*)()>(fn("GetCPUInfoFamily"))();
  cpu.model = reinterpret_cast<LONG(WINAPI*)()>(fn("GetCPUInfoModel"))();
  cpu.mmx = reinterpret_cast<BOOLEAN(WINAPI*)()>(fn("GetMMX"))() != 0;
  cpu.overdrive = reinterpret_cast<BOOLEAN(WINAPI*)()>(fn("GetOverdrive"))() != 0;
  cpu.speed = reinterpret_cast<LONG(WINAPI*)()>(fn("GetSpeed"))();
  return cpu;
}

std::string Lm78(const char* name) { return wintest::Setting("LM78", name); }

class HardwareDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    wintest::ResetVeltropKeys();
    ASSERT_NE(ShippedCvl(), nullptr);
    show_ = reinterpret_cast<void(__stdcall*)()>(
        reinterpret_cast<void*>(GetProcAddress(ShippedCvl(), MAKEINTRESOURCEA(1))));
    ASSERT_NE(show_, nullptr) << "cvl.dll has no ordinal 1";
  }
  void TearDown() override { wintest::ResetVeltropKeys(); }

  void Start() { thread_.Start([this] { show_(); }); }
  HWND Open() { return thread_.Open([this] { show_(); }, kCaption); }
  bool Close(HWND dlg, int button) { return thread_.Close(dlg, button); }

  void(__stdcall* show_)() = nullptr;
  ShownDialog thread_;
};

TEST_F(HardwareDialog, IsLaidOutWithItsListsAndCancelAsTheDefaultButton) {
  wintest::SetSetting("LM78", "LM78Enable", "TRUE");
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  RECT client;
  GetClientRect(dlg, &client);
  EXPECT_EQ(client.right, 497);
  EXPECT_EQ(client.bottom, 469);
  EXPECT_FALSE(GetWindowLongA(dlg, GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(GetWindow(dlg, GW_OWNER), nullptr);
  EXPECT_EQ(LOWORD(SendMessageA(dlg, DM_GETDEFID, 0, 0)), CancelBtn);
  EXPECT_NE(SendMessageA(GetDlgItem(dlg, Picture), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  HWND cpu = GetDlgItem(dlg, CPUCombo);
  ASSERT_EQ(SendMessageA(cpu, CB_GETCOUNT, 0, 0), kProcessorItemCount);
  for (int i = 0; i < kProcessorItemCount; ++i) {
    char item[64] = "";
    SendMessageA(cpu, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, kProcessorItems[i]);
  }
  // Every control has its own id and lies inside the client area.
  std::set<int> ids;
  for (HWND c : wintest::ChildWindows(dlg)) {
    int id = GetDlgCtrlID(c);
    EXPECT_NE(id, 0xFFFF);
    EXPECT_TRUE(ids.insert(id).second) << "id " << id << " twice";
    RECT r = wintest::WindowRectOf(c);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 497 && r.bottom <= 469) << id;
  }
  EXPECT_TRUE(Close(dlg, CancelBtn));
}

TEST_F(HardwareDialog, FirstOpeningAsksBeforeShowingReportsNoChipAndOkStopsTheQuestion) {
  wintest::MessageBoxWatcher boxes;
  boxes.Hold(true);
  boxes.Answer(IDYES);
  Start();
  ASSERT_TRUE(boxes.WaitForCount(1, 10000));
  wintest::BoxRecord question = boxes.Boxes()[0];
  EXPECT_EQ(question.title, "Corvella");
  EXPECT_EQ(question.text, kQuestion);
  EXPECT_EQ(question.icon, MB_ICONHAND);
  EXPECT_EQ(question.defaultButton, IDYES);
  ASSERT_NE(question.owner, nullptr);  // owned by the dialog, which is not shown yet
  EXPECT_EQ(wintest::WindowText(question.owner), kCaption);
  EXPECT_FALSE(IsWindowVisible(question.owner));
  boxes.Hold(false);

  ASSERT_TRUE(boxes.WaitForCount(2, 10000));
  HWND dlg = thread_->WaitForWindow(kCaption);
  ASSERT_NE(dlg, nullptr);
  ProcessorChoice cpu = ChooseProcessor(HostProcessor());
  int item = cpu.item == kNoSelection ? 0 : cpu.item;  // unknown: "CPUType" default 0 stays
  wintest::BoxRecord report = boxes.Boxes()[1];
  EXPECT_EQ(report.title, "Corvella");
  EXPECT_EQ(report.owner, dlg);
  EXPECT_EQ(report.icon, MB_ICONASTERISK);
  EXPECT_EQ(report.text, std::string("Hardware Auto-Detection Results:") + std::string(30, ' ') +
                             "\r\rHardware Monitoring Support: None\rCPU Type: " +
                             kProcessorItems[item] +
                             "\rMotherboard Type: Motherboard Type 2\r"
                             "Fan 1 Type: None Detected\rFan 2 Type: None Detected\r"
                             "Fan 3 Type: None Detected\r");
  EXPECT_EQ(ComboText(dlg, HardwareCombo), "None");
  for (int n = 0; n < 4; ++n) EXPECT_FALSE(Checked(dlg, TempCheck(n))) << n;
  for (int fan = 0; fan < 3; ++fan) EXPECT_TRUE(Checked(dlg, FanRadio(fan, 0))) << fan;
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(Lm78("LM78Enable"), "FALSE");
  EXPECT_EQ(Lm78("LM75Enable"), "<missing>");
  EXPECT_EQ(Lm78("Temp1Enable"), "FALSE");
  EXPECT_EQ(Lm78("Temp4Enable"), "FALSE");
  EXPECT_EQ(Lm78("Fan3Type"), "0");
  EXPECT_EQ(Lm78("CPUType"), std::to_string(item));
  EXPECT_EQ(Lm78("CorePort1"), "FALSE");

  // Later openings load the choice and ask nothing.
  dlg = Open();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ComboText(dlg, HardwareCombo), "None");
  EXPECT_TRUE(Close(dlg, CancelBtn));
  EXPECT_EQ(boxes.Count(), 2u) << boxes.Summary();
}

TEST_F(HardwareDialog, DecliningDetectionKeepsTheLoadedControlsAndTheQuestionComesBack) {
  wintest::SetSetting("LM78", "Fan1Type", "2");
  wintest::SetSetting("LM78", "Temp2Enable", "FALSE");
  wintest::MessageBoxWatcher boxes;
  boxes.Answer(IDNO);
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  ASSERT_EQ(boxes.Count(), 1u) << boxes.Summary();
  EXPECT_EQ(ComboText(dlg, HardwareCombo), "<none>");
  EXPECT_TRUE(Checked(dlg, FanRadio(0, 2)));
  EXPECT_FALSE(Checked(dlg, TempCheck(1)));
  EXPECT_TRUE(Checked(dlg, TempCheck(0)));
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(Lm78("LM78Enable"), "<missing>");  // no chip choice: nothing written for it
  EXPECT_EQ(Lm78("Temp2Enable"), "FALSE");
  boxes.Answer(IDNO);
  dlg = Open();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(boxes.Count(), 2u);  // asked again
  EXPECT_TRUE(Close(dlg, CancelBtn));
}

TEST_F(HardwareDialog, CoreVoltageStepsByATenthInTheUsersFormAndOkStoresHundredths) {
  wintest::SetSetting("LM78", "LM78Enable", "TRUE");
  wintest::SetSetting("LM78", "CoreVolt", "280");
  wintest::SetSetting("LM78", "CPUType", "8");
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ComboText(dlg, CPUCombo), "Intel Pentium MMX");
  EXPECT_EQ(Text(dlg, CoreVoltEdit), "2.8");
  Click(dlg, CoreVoltPlus);
  EXPECT_EQ(Text(dlg, CoreVoltEdit), "2.9");
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(Lm78("CoreVolt"), "290");
  EXPECT_EQ(Lm78("LM78Enable"), "TRUE");
  EXPECT_EQ(Lm78("LM75Enable"), "FALSE");

  wintest::SetSetting("LM78", "CoreVolt", "10");
  dlg = Open();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(Text(dlg, CoreVoltEdit), "0.1");
  Click(dlg, CoreVoltMinus);
  EXPECT_EQ(Text(dlg, CoreVoltEdit), "0");
  Click(dlg, CoreVoltMinus);
  EXPECT_EQ(Text(dlg, CoreVoltEdit), "0");
  // A processor choice puts its nominal voltage in the edit.
  SelectCombo(dlg, CPUCombo, 10);
  EXPECT_EQ(Text(dlg, CoreVoltEdit), "2.0");
  Click(dlg, TempCompMinus(2));
  Click(dlg, TempCompMinus(2));
  EXPECT_EQ(Text(dlg, TempCompEdit(2)), "-2");
  ASSERT_TRUE(Close(dlg, CancelBtn));
  EXPECT_EQ(Lm78("CoreVolt"), "10");
  EXPECT_EQ(Lm78("TempComp3"), "0");

  // With a comma as the user's decimal separator.
  char previous[8] = "";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, previous, sizeof previous);
  ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, ","));
  wintest::SetSetting("LM78", "CoreVolt", "280");
  dlg = Open();
  if (dlg) {
    EXPECT_EQ(Text(dlg, CoreVoltEdit), "2,8");
    Click(dlg, CoreVoltPlus);
    EXPECT_EQ(Text(dlg, CoreVoltEdit), "2,9");
    EXPECT_TRUE(Close(dlg, OKBtn));
  }
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, previous);
  EXPECT_EQ(Lm78("CoreVolt"), "290");
}

TEST_F(HardwareDialog, ChoosingNoneLeavesTheStoredLM75SwitchAlone) {
  wintest::SetSetting("LM78", "LM78Enable", "TRUE");
  wintest::SetSetting("LM78", "LM75Enable", "TRUE");
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ComboText(dlg, HardwareCombo), "LM78/79 & LM75");
  SelectCombo(dlg, HardwareCombo, 0);
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(Lm78("LM78Enable"), "FALSE");
  EXPECT_EQ(Lm78("LM75Enable"), "TRUE");
  dlg = Open();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ComboText(dlg, HardwareCombo), "None");
  EXPECT_TRUE(Close(dlg, CancelBtn));
}

// The settings dialog's button opens the same dialog, with no owner.
TEST_F(HardwareDialog, OpensFromTheSettingsDialogsButton) {
  wintest::SetSetting("LM78", "LM78Enable", "TRUE");
  auto settings = reinterpret_cast<void(__stdcall*)()>(
      reinterpret_cast<void*>(GetProcAddress(ShippedCvl(), MAKEINTRESOURCEA(4))));
  ASSERT_NE(settings, nullptr);
  DialogThread t([settings] { settings(); });
  HWND form = t.WaitForWindow("Corvella Settings");
  ASSERT_NE(form, nullptr);
  PostClick(form, settings_ids::LM75SetBtn);
  HWND dlg = t.WaitForWindow(kCaption);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(GetWindow(dlg, GW_OWNER), nullptr);
  EXPECT_EQ(ComboText(dlg, HardwareCombo), "LM78/79");
  SelectCombo(dlg, MbTypeCombo, 0);
  PostClick(dlg, OKBtn);
  EXPECT_TRUE(wintest::WaitUntil([&] { return !IsWindow(dlg); }, 5000));
  EXPECT_EQ(Lm78("CorePort1"), "TRUE");
  PostClick(form, settings_ids::CancelBtn);
  EXPECT_TRUE(t.WaitDone(5000));
}

}  // namespace
