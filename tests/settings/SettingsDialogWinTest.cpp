// The shipped settings dialog (ordinal 4) driven under Wine: what it shows
// for stored values, what Apply, OK and Cancel write, and its questions.
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

const char* const kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::vector<unsigned char> BitmapBits(HBITMAP bmp) {
  BITMAP info{};
  if (!bmp || !GetObjectA(bmp, sizeof info, &info)) return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = info.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<unsigned char> bits(static_cast<size_t>(info.bmWidth) * info.bmHeight * 4);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bmp, 0, info.bmHeight, bits.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return bits;
}

class SettingsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    wintest::ResetVeltropKeys();
    wintest::DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, "Corvella");
    show_ = reinterpret_cast<void(__stdcall*)()>(reinterpret_cast<void*>(CvlEntry("4")));
    ASSERT_NE(show_, nullptr) << "cvl.dll or its export \"4\" is missing";
  }
  void TearDown() override { wintest::DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, "Corvella"); }

  HWND Open() { return thread_.Open([this] { show_(); }, "Corvella Settings"); }
  bool Close(HWND dlg, int button) { return thread_.Close(dlg, button); }
  // The preview shows exactly the named picture of the library.
  bool PreviewIs(HWND dlg, const char* name) {
    HBITMAP shown = reinterpret_cast<HBITMAP>(
        SendMessageA(GetDlgItem(dlg, AppearPic), STM_GETIMAGE, IMAGE_BITMAP, 0));
    HBITMAP want = static_cast<HBITMAP>(LoadImageA(CvlLibrary(), name, IMAGE_BITMAP, 0, 0, 0));
    bool same = want && BitmapBits(shown) == BitmapBits(want);
    DeleteObject(want);
    return same;
  }
  std::string S(const char* name) { return wintest::Setting("Settings", name); }
  std::string P(const char* name) { return wintest::Setting("Priorities", name); }

  void(__stdcall* show_)() = nullptr;
  ShownDialog thread_;
};

TEST_F(SettingsDialog, ACleanRegistryShowsEveryDefault) {
  EXPECT_EQ(reinterpret_cast<void*>(show_), reinterpret_cast<void*>(CvlEntry(MAKEINTRESOURCEA(4))));
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  RECT client;
  GetClientRect(dlg, &client);
  EXPECT_EQ(client.right, 403);
  EXPECT_EQ(client.bottom, 429);
  const char* tabs[] = {"General", "Position", "Appearance", "Sensors",
                        "Warnings", "Plugins", "Advanced"};
  HWND tab = GetDlgItem(dlg, Tabs);
  ASSERT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 7);
  for (int i = 0; i < 7; ++i) {
    char text[64] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, tabs[i]);
  }

  // Enter and Esc both mean Cancel.
  EXPECT_EQ(LOWORD(SendMessageA(dlg, DM_GETDEFID, 0, 0)), CancelBtn);
  EXPECT_EQ(CancelBtn, IDCANCEL);
  EXPECT_EQ(ComboText(dlg, UpdateCombo), " 500 Milliseconds");
  EXPECT_FALSE(Checked(dlg, StartupCheck));
  EXPECT_TRUE(Checked(dlg, SplashCheck));
  EXPECT_EQ(ComboText(dlg, HotKeyCombo), "Ctrl + Alt + Shift");
  EXPECT_FALSE(Checked(dlg, AllLogRadio));
  EXPECT_FALSE(Checked(dlg, WarningLogRadio));
  EXPECT_TRUE(Checked(dlg, NoLogRadio));
  EXPECT_FALSE(Checked(dlg, HiddenLogCheck));
  EXPECT_TRUE(Checked(dlg, BottomPosRadio));
  EXPECT_FALSE(Checked(dlg, TopPosRadio));
  EXPECT_TRUE(Checked(dlg, OnTopCheck));
  EXPECT_FALSE(Checked(dlg, AutoHideCheck));
  EXPECT_TRUE(PreviewIs(dlg, "APPEARPIC2"));
  EXPECT_TRUE(Checked(dlg, NoColorRadio));
  EXPECT_EQ(SendMessageA(GetDlgItem(dlg, ShadeAmount), TBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(Text(dlg, FontPanel), "Arial");
  int height = 0;
  EXPECT_EQ(FontFace(GetDlgItem(dlg, FontPanel), &height), "Arial");
  EXPECT_EQ(height, -MulDiv(8, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 72));
  EXPECT_EQ(ComboText(dlg, SeparatorCombo), " /  (Forward Slash)");
  EXPECT_FALSE(Checked(dlg, PanelGraphsCheck));
  EXPECT_FALSE(Checked(dlg, AudioCheck));
  EXPECT_EQ(ComboText(dlg, BaseProirityCombo), "Idle (4)");
  EXPECT_EQ(ComboText(dlg, MainProirityCombo), "Highest (+2)");
  EXPECT_EQ(Text(dlg, MainPriorityText), "6");
  EXPECT_EQ(ComboText(dlg, TimerProirityCombo), "Normal (+0)");
  EXPECT_EQ(Text(dlg, TimerPriorityText), "4");
  EXPECT_FALSE(Checked(dlg, AutoResizeCheck));
  EXPECT_EQ(SendMessageA(GetDlgItem(dlg, SensorList), LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(GetDlgItem(dlg, settings_ids::WarningList), LVM_GETITEMCOUNT, 0, 0), 0);
  for (HWND c : wintest::ChildWindows(dlg)) EXPECT_NE(GetDlgCtrlID(c), 0xFFFF);

  // OK writes the defaults as shown, the swatch colour among them.
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(S("Update"), "500");
  EXPECT_EQ(S("ShowSplash"), "TRUE");
  EXPECT_EQ(S("HotKeyModifiers"), "1");
  EXPECT_EQ(S("LogAll"), "FALSE");
  EXPECT_EQ(S("LogWarnings"), "FALSE");
  EXPECT_EQ(S("PauseOnMinimise"), "FALSE");
  EXPECT_EQ(S("BarPosition"), "BOTTOM");
  EXPECT_EQ(S("OnTop"), "TRUE");
  EXPECT_EQ(S("AutoHide"), "FALSE");
  EXPECT_EQ(S("ShadeBar"), "FALSE");
  EXPECT_EQ(S("ShadeColour"), "16744576");
  EXPECT_EQ(S("ShadeAmount"), "100");
  EXPECT_EQ(S("FontName"), "Arial");
  EXPECT_EQ(S("FontSize"), "8");
  EXPECT_EQ(S("FontColor"), "-2147483640");
  EXPECT_EQ(S("FontStyle"), "");
  EXPECT_EQ(S("PanelGraphs"), "FALSE");
  EXPECT_EQ(S("MultiInfoSep"), "/");
  EXPECT_EQ(S("AudioWarnings"), "FALSE");
  EXPECT_EQ(S("AutoResize"), "TRUE");
  EXPECT_EQ(P("Process"), "IDLE_PRIORITY_CLASS");
  EXPECT_EQ(P("MainThread"), "THREAD_PRIORITY_HIGHEST");
  EXPECT_EQ(P("TimerThread"), "THREAD_PRIORITY_NORMAL");
  EXPECT_EQ(wintest::Setting("Panels", "NoOfPanels"), "0");
  EXPECT_EQ(wintest::Setting("Warnings", "NoOfWarnings"), "0");
  EXPECT_EQ(S("SettingsStatus"), "Applied");
}

TEST_F(SettingsDialog, ApplyWritesWhatTheControlsShowAndCancelKeepsIt) {
  wintest::SetSetting("Settings", "SettingsStatus", "Processed");
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  SetCheck(dlg, AutoHideCheck, true);
  Click(dlg, WarningLogRadio);
  SetCheck(dlg, HiddenLogCheck, true);
  SetCheck(dlg, AudioCheck, true);
  SelectCombo(dlg, HotKeyCombo, 3);
  SelectCombo(dlg, SeparatorCombo, 2);
  SetCheck(dlg, SplashCheck, false);
  Click(dlg, TopPosRadio);
  EXPECT_TRUE(PreviewIs(dlg, "APPEARPIC0"));
  SetCheck(dlg, OnTopCheck, false);
  EXPECT_TRUE(PreviewIs(dlg, "APPEARPIC1"));
  Click(dlg, FloatPosRadio);
  EXPECT_TRUE(PreviewIs(dlg, "APPEARPIC5"));
  Click(dlg, MinimisePosRadio);
  EXPECT_TRUE(PreviewIs(dlg, "APPEARPIC6"));
  EXPECT_FALSE(Checked(dlg, TopPosRadio));
  Click(dlg, SolidRadio);
  EXPECT_FALSE(Checked(dlg, NoColorRadio));
  SendMessageA(GetDlgItem(dlg, ShadeAmount), TBM_SETPOS, TRUE, 40);
  SendMessageA(dlg, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 40),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, ShadeAmount)));
  SetCheck(dlg, PanelGraphsCheck, true);
  SelectCombo(dlg, BaseProirityCombo, 2);
  EXPECT_EQ(Text(dlg, MainPriorityText), "15");
  EXPECT_EQ(Text(dlg, TimerPriorityText), "13");
  SelectCombo(dlg, MainProirityCombo, 0);
  EXPECT_EQ(Text(dlg, MainPriorityText), "11");
  SelectCombo(dlg, TimerProirityCombo, 3);
  EXPECT_EQ(Text(dlg, TimerPriorityText), "14");

  Click(dlg, ApplyBtn);
  EXPECT_EQ(S("AutoHide"), "TRUE");
  EXPECT_EQ(S("LogAll"), "FALSE");
  EXPECT_EQ(S("LogWarnings"), "TRUE");
  EXPECT_EQ(S("PauseOnMinimise"), "TRUE");
  EXPECT_EQ(S("AudioWarnings"), "TRUE");
  EXPECT_EQ(S("HotKeyModifiers"), "3");
  EXPECT_EQ(S("MultiInfoSep"), "|");
  EXPECT_EQ(S("ShowSplash"), "FALSE");
  EXPECT_EQ(S("BarPosition"), "MINIMISED");
  EXPECT_EQ(S("OnTop"), "FALSE");
  EXPECT_EQ(S("ShadeBar"), "Solid");
  EXPECT_EQ(S("ShadeAmount"), "40");
  EXPECT_EQ(S("PanelGraphs"), "TRUE");
  EXPECT_EQ(P("Process"), "HIGH_PRIORITY_CLASS");
  EXPECT_EQ(P("MainThread"), "THREAD_PRIORITY_LOWEST");
  EXPECT_EQ(P("TimerThread"), "THREAD_PRIORITY_ABOVE_NORMAL");
  EXPECT_EQ(S("SettingsStatus"), "Applied");

  // Cancel after Apply: what Apply wrote stays, later changes are dropped.
  wintest::SetSetting("Settings", "SettingsStatus", "Processed");
  SetCheck(dlg, AutoHideCheck, false);
  Click(dlg, ShadeRadio);
  SetCheck(dlg, PanelGraphsCheck, false);
  ASSERT_TRUE(Close(dlg, CancelBtn));
  EXPECT_EQ(S("AutoHide"), "TRUE");
  EXPECT_EQ(S("ShadeBar"), "Solid");
  EXPECT_EQ(S("PanelGraphs"), "TRUE");
  EXPECT_EQ(S("SettingsStatus"), "Processed");
}

TEST_F(SettingsDialog, SpeedsUnderOneSecondAreConfirmedAndLoggingAllSlowsTheSpeed) {
  wintest::MessageBoxWatcher boxes;
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  boxes.Answer(IDNO);
  SelectCombo(dlg, UpdateCombo, 1);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].title, "Corvella");
  EXPECT_EQ(boxes.Boxes()[0].text,
            "Warning: Setting the Update Speed to Less than 1 Second can cause the Hardware "
            "Monitoring Sensors to Fail or Report Incorrect Values. Use Selected Update Speed?");
  EXPECT_EQ(boxes.Boxes()[0].defaultButton, IDNO);
  EXPECT_EQ(boxes.Boxes()[0].icon, MB_ICONHAND);
  EXPECT_EQ(boxes.Boxes()[0].owner, dlg);
  EXPECT_EQ(ComboText(dlg, UpdateCombo), " 1 Second");
  boxes.Answer(IDYES);
  SelectCombo(dlg, UpdateCombo, 1);
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(ComboText(dlg, UpdateCombo), " 100 Milliseconds");
  Click(dlg, ApplyBtn);
  EXPECT_EQ(S("Update"), "100");

  // Logging every reading: " 5 Seconds" becomes " 1 Minute", " 5 Minutes" stays.
  SelectCombo(dlg, UpdateCombo, 5);
  Click(dlg, AllLogRadio);
  EXPECT_EQ(ComboText(dlg, UpdateCombo), " 1 Minute");
  SelectCombo(dlg, UpdateCombo, 9);
  Click(dlg, NoLogRadio);
  Click(dlg, AllLogRadio);
  EXPECT_EQ(ComboText(dlg, UpdateCombo), " 5 Minutes");
  // A click on the radio that is checked already chooses nothing new: a
  // faster speed picked since stays.
  SelectCombo(dlg, UpdateCombo, 5);
  Click(dlg, AllLogRadio);
  EXPECT_EQ(ComboText(dlg, UpdateCombo), " 5 Seconds");
  EXPECT_TRUE(Checked(dlg, AllLogRadio));
  EXPECT_EQ(boxes.Count(), 2u) << boxes.Summary();
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(S("Update"), "5000");
  EXPECT_EQ(S("LogAll"), "TRUE");
  EXPECT_EQ(S("LogWarnings"), "TRUE");
}

TEST_F(SettingsDialog, StoredValuesOutsideTheListsShowNoSelectionAndStayStored) {
  wintest::SetSetting("Settings", "Update", "750");
  wintest::SetSetting("Settings", "MultiInfoSep", ";");
  wintest::SetSetting("Settings", "HotKeyModifiers", "7");
  wintest::SetSetting("Priorities", "Process", "idle_priority_class");
  wintest::SetSetting("Settings", "LogAll", "TRUE");
  wintest::SetSetting("Settings", "BarPosition", "FLOATING");
  wintest::SetSetting("Settings", "OnTop", "FALSE");
  wintest::SetSetting("Settings", "ShadeBar", "TRUE");
  wintest::SetSetting("Settings", "ShadeAmount", "37");
  wintest::SetSetting("Settings", "AutoResize", "FALSE");
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ComboText(dlg, UpdateCombo), " 500 Milliseconds");
  EXPECT_EQ(ComboIndex(dlg, SeparatorCombo), -1);
  EXPECT_EQ(ComboIndex(dlg, HotKeyCombo), -1);
  EXPECT_EQ(ComboIndex(dlg, BaseProirityCombo), -1);
  EXPECT_EQ(Text(dlg, MainPriorityText), "");  // no process: the boxes stay as they are
  EXPECT_TRUE(Checked(dlg, AllLogRadio));
  EXPECT_TRUE(Checked(dlg, FloatPosRadio));
  EXPECT_TRUE(PreviewIs(dlg, "APPEARPIC5"));
  EXPECT_TRUE(Checked(dlg, ShadeRadio));
  EXPECT_EQ(SendMessageA(GetDlgItem(dlg, ShadeAmount), TBM_GETPOS, 0, 0), 37);
  EXPECT_TRUE(Checked(dlg, AutoResizeCheck));
  Click(dlg, ApplyBtn);
  EXPECT_EQ(S("Update"), "500");
  EXPECT_EQ(S("MultiInfoSep"), ";");
  EXPECT_EQ(S("HotKeyModifiers"), "-1");
  EXPECT_EQ(P("Process"), "idle_priority_class");
  EXPECT_EQ(S("AutoResize"), "FALSE");
  ASSERT_TRUE(Close(dlg, CancelBtn));
}

TEST_F(SettingsDialog, OnlyAStoredTRUEChecksTheHistoryGraphsBox) {
  struct Case {
    std::string stored;
    bool checked;
  };
  const std::vector<Case> cases = {{"TRUE", true},  {"true", false},
                                   {"1", false},    {"TRUE ", false},
                                   {std::string(10000, 'T'), false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored.substr(0, 20));
    wintest::SetSetting("Settings", "PanelGraphs", c.stored);
    HWND dlg = Open();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(Checked(dlg, PanelGraphsCheck), c.checked);
    SetCheck(dlg, PanelGraphsCheck, !c.checked);
    ASSERT_TRUE(Close(dlg, CancelBtn));
    EXPECT_EQ(S("PanelGraphs"), c.stored) << "Cancel writes nothing";
  }
  // OK writes what the box shows: the damaged value becomes "FALSE".
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(S("PanelGraphs"), "FALSE");
}

TEST_F(SettingsDialog, TheStartupEntryIsReadAndWrittenButNeverDeleted) {
  wintest::SetSetting("Settings", "InstalledDir", "C:\\Corvella\\");
  wintest::SetString(HKEY_LOCAL_MACHINE, kRunKey, "Corvella", "C:\\Corvella\\Launcher.exe");
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(Checked(dlg, StartupCheck));
  SetCheck(dlg, StartupCheck, false);
  Click(dlg, ApplyBtn);
  EXPECT_EQ(wintest::GetString(HKEY_LOCAL_MACHINE, kRunKey, "Corvella"), "");
  SetCheck(dlg, StartupCheck, true);
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(wintest::GetString(HKEY_LOCAL_MACHINE, kRunKey, "Corvella"),
            "C:\\Corvella\\Launcher.exe");

  // Another program's entry (or different case) is no match.
  wintest::SetString(HKEY_LOCAL_MACHINE, kRunKey, "Corvella", "c:\\corvella\\launcher.exe");
  dlg = Open();
  ASSERT_NE(dlg, nullptr);
  EXPECT_FALSE(Checked(dlg, StartupCheck));
  ASSERT_TRUE(Close(dlg, CancelBtn));
}

TEST_F(SettingsDialog, DisablingAutomaticResizingAsksOnceUntilConfirmed) {
  wintest::MessageBoxWatcher boxes;
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  boxes.Answer(IDNO);
  SetCheck(dlg, AutoResizeCheck, true);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].title, "Corvella");
  EXPECT_EQ(boxes.Boxes()[0].text,
            "Altering this setting will cause Corvella to no longer automatically resize to fit "
            "the screen when the screen size changes. This setting is only recommended if you are "
            "experiencing problems with Corvella and programs which resize the screen such as "
            "fullscreen DirectX games. If you disable Automatic Resizing you can force Corvella "
            "to resize to fit the screen at any time by selecting Refresh form the settings menu. "
            "Are you sure that you want to disable Automatic Resizing?");
  EXPECT_EQ(boxes.Boxes()[0].defaultButton, IDNO);
  EXPECT_EQ(boxes.Boxes()[0].icon, MB_ICONEXCLAMATION);
  EXPECT_EQ(boxes.Boxes()[0].owner, dlg);
  EXPECT_FALSE(Checked(dlg, AutoResizeCheck));
  boxes.Answer(IDYES);
  SetCheck(dlg, AutoResizeCheck, true);
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_TRUE(Checked(dlg, AutoResizeCheck));
  SetCheck(dlg, AutoResizeCheck, false);
  SetCheck(dlg, AutoResizeCheck, true);
  EXPECT_EQ(boxes.Count(), 2u);
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(S("AutoResize"), "FALSE");
}

}  // namespace
