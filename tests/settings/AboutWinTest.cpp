// The shipped cvl.dll's About box, driven under Wine: texts, version,
// layout, fonts, the system information button and the calling convention.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/ControlIds.h"
#include "tests/settings/CvlDriver.h"
#include "tests/settings/Marker.h"
#include "tests/support/WinTest.h"

using namespace cvltest;
using namespace about_ids;

namespace {

typedef void(__stdcall* ShowAboutFn)(const char*, const char*, const char*, const char*,
                                     const char*);

const char* const kSysInfoKey = "Software\\Microsoft\\Shared Tools\\MSInfo";

class AboutBox : public ::testing::Test {
 protected:
  void SetUp() override {
    wintest::ResetVeltropKeys();
    show_ = reinterpret_cast<ShowAboutFn>(reinterpret_cast<void*>(CvlEntry("ShowAbout")));
    ASSERT_NE(show_, nullptr) << "cvl.dll or its ShowAbout export is missing";
  }
  ShowAboutFn show_ = nullptr;
};

TEST_F(AboutBox, ShowsTheCallersTextsTheDefaultVersionAndItsLayout) {
  // Ordinal 3 and the name "ShowAbout" are one function.
  ASSERT_EQ(reinterpret_cast<void*>(show_), reinterpret_cast<void*>(CvlEntry(MAKEINTRESOURCEA(3))));
  DialogThread t([&] {
    show_("About Plugin:", "Resource Meter", "Version 1.1", "(C) Someone", "Shows & tells.");
  });
  HWND dlg = t.WaitForWindow("About Corvella");
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(Text(dlg, HeadLabel), "About Plugin:");
  EXPECT_EQ(Text(dlg, NameLabel), "Resource Meter");
  EXPECT_EQ(Text(dlg, VersionLabel), "Version 1.1");
  EXPECT_EQ(Text(dlg, CopyLabel), "(C) Someone");
  EXPECT_EQ(Text(dlg, AboutLabel), "Shows & tells.");
  EXPECT_EQ(Text(dlg, CVLVersion), "Version 1.0");
  EXPECT_EQ(Text(dlg, Label1), "Corvella");
  EXPECT_EQ(Text(dlg, Label8), "Complete System Monitoring for Windows 95 && 98");
  EXPECT_EQ(Text(dlg, SysButton), "&System Info ...");
  EXPECT_EQ(Text(dlg, OKButton), "OK");
  EXPECT_FALSE(Text(dlg, NoticeLabel).empty());
  EXPECT_FALSE(Text(dlg, Label9).empty());

  RECT client;
  GetClientRect(dlg, &client);
  EXPECT_EQ(client.right, 369);
  EXPECT_EQ(client.bottom, 258);
  RECT version = ClientRectIn(dlg, VersionLabel);
  EXPECT_EQ(version.right - version.left, 98);
  EXPECT_EQ(GetWindowLongA(GetDlgItem(dlg, VersionLabel), GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
  RECT ok = ClientRectIn(dlg, OKButton);
  EXPECT_EQ(ok.left, 264);
  EXPECT_EQ(ok.top, 186);
  EXPECT_EQ(ok.right - ok.left, 97);
  EXPECT_EQ(ok.bottom - ok.top, 25);
  int height = 0;
  EXPECT_EQ(FontFace(GetDlgItem(dlg, NameLabel), &height), "Arial");
  EXPECT_EQ(height, -11);
  // The logo picture is there.
  EXPECT_NE(SendMessageA(GetDlgItem(dlg, Image1), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  // No control is anonymous, so no tool mistakes the box for a message box.
  EXPECT_FALSE(wintest::IsMessageBox(dlg));
  for (HWND c : wintest::ChildWindows(dlg)) EXPECT_NE(GetDlgCtrlID(c), 0xFFFF);

  wintest::ClickButton(GetDlgItem(dlg, OKButton));
  EXPECT_TRUE(t.WaitDone(5000));
}

TEST_F(AboutBox, ShowsTheStoredVersionAndLeavesEmptyTextsEmpty) {
  wintest::SetSetting("Settings", "Version", "1.6");
  DialogThread t([&] { show_("", nullptr, "", "", ""); });
  HWND dlg = t.WaitForWindow("About Corvella");
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(Text(dlg, CVLVersion), "Version 1.6");
  EXPECT_EQ(Text(dlg, HeadLabel), "");
  EXPECT_EQ(Text(dlg, NameLabel), "");
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);  // Esc closes it too
  EXPECT_TRUE(t.WaitDone(5000));
}

TEST_F(AboutBox, SystemInfoWithoutAToolWarnsAndTheBoxStaysOpen) {
  wintest::DeleteTree(HKEY_LOCAL_MACHINE, kSysInfoKey);
  wintest::MessageBoxWatcher boxes;
  DialogThread t([&] { show_("a", "b", "c", "d", "e"); });
  HWND dlg = t.WaitForWindow("About Corvella");
  ASSERT_NE(dlg, nullptr);
  wintest::ClickButton(GetDlgItem(dlg, SysButton));
  ASSERT_TRUE(boxes.WaitForCount(1, 5000));
  // An empty path counts as no tool.
  wintest::SetString(HKEY_LOCAL_MACHINE, kSysInfoKey, "Path", "");
  wintest::ClickButton(GetDlgItem(dlg, SysButton));
  ASSERT_TRUE(boxes.WaitForCount(2, 5000));
  for (const auto& box : boxes.Boxes()) {
    EXPECT_EQ(box.title, "Corvella");
    EXPECT_EQ(box.text, "System Information Is Unavailable At This Time");
  }
  Sleep(200);
  EXPECT_TRUE(IsWindow(dlg));
  EXPECT_FALSE(t.Done());
  wintest::ClickButton(GetDlgItem(dlg, OKButton));
  EXPECT_TRUE(t.WaitDone(5000));
}

TEST_F(AboutBox, SystemInfoStartsTheRegisteredTool) {
  ClearMarker();
  wintest::SetString(HKEY_LOCAL_MACHINE, kSysInfoKey, "Path", MarkerPath());
  wintest::MessageBoxWatcher boxes;
  DialogThread t([&] { show_("a", "b", "c", "d", "e"); });
  HWND dlg = t.WaitForWindow("About Corvella");
  ASSERT_NE(dlg, nullptr);
  wintest::ClickButton(GetDlgItem(dlg, SysButton));
  EXPECT_TRUE(wintest::WaitUntil([] { return Marker() == "cvl_marker.exe"; }, 10000));
  EXPECT_EQ(boxes.Count(), 0u) << boxes.Summary();
  wintest::ClickButton(GetDlgItem(dlg, OKButton));
  EXPECT_TRUE(t.WaitDone(5000));
  wintest::DeleteTree(HKEY_LOCAL_MACHINE, kSysInfoKey);
}

// The export removes its own 20 bytes of arguments: the stack pointer is the
// same before the arguments are pushed and after the call returns.
TEST_F(AboutBox, ShowAboutRemovesItsTwentyBytesOfArguments) {
  const char* args[5] = {"h", "n", "v", "c", "a"};
  long left = -1;
  DialogThread t([&] {
    void* fn = reinterpret_cast<void*>(show_);
    long diff;
    asm volatile(
        "movl %%esp, %%esi\n\t"
        "pushl 16(%2)\n\t"
        "pushl 12(%2)\n\t"
        "pushl 8(%2)\n\t"
        "pushl 4(%2)\n\t"
        "pushl (%2)\n\t"
        "call *%1\n\t"
        "movl %%esi, %0\n\t"
        "subl %%esp, %0\n\t"
        "movl %%esi, %%esp\n\t"
        : "=&D"(diff), "+a"(fn)
        : "b"(args)
        : "esi", "ecx", "edx", "memory", "cc");
    left = diff;
  });
  HWND dlg = t.WaitForWindow("About Corvella");
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(Text(dlg, HeadLabel), "h");
  EXPECT_EQ(Text(dlg, AboutLabel), "a");
  wintest::ClickButton(GetDlgItem(dlg, OKButton));
  ASSERT_TRUE(t.WaitDone(5000));
  EXPECT_EQ(left, 0);
}

// A program linked with the import library binds ordinals 3 and 4.
TEST(CvlImportLibrary, BindsTheAboutBoxAndTheSettingsDialogByOrdinal) {
  wintest::ResetVeltropKeys();
  wintest::ChildProcess client;
  ASSERT_TRUE(client.Start(wintest::TestBinDir() + "cvl_ordinal_client.exe", "",
                           wintest::BinDir()));
  HWND about = wintest::WaitForTopWindow("#32770", "About Corvella", client.Pid(), 10000, true);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(wintest::WindowText(GetDlgItem(about, HeadLabel)), "Ordinal client");
  EXPECT_EQ(wintest::WindowText(GetDlgItem(about, VersionLabel)), "Version 9.9");
  wintest::ClickButton(GetDlgItem(about, OKButton));
  HWND settings =
      wintest::WaitForTopWindow("#32770", "Corvella Settings", client.Pid(), 10000, true);
  ASSERT_NE(settings, nullptr);
  PostMessageA(settings, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(client.WaitExit(10000));
  EXPECT_EQ(client.ExitCode(), 0u);
}

}  // namespace
