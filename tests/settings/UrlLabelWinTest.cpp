// TUrlLabel in a window of the test itself: colours while pressed, what a
// click opens (through the real shell), the "Copy" item and the cursor.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "settings/ControlIds.h"
#include "settings/UrlLabel.h"
#include "tests/settings/Marker.h"
#include "tests/support/WinTest.h"

using namespace cvltest;

namespace {

class UrlLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExA(0, "Static", "parent", WS_POPUP | WS_VISIBLE, 10, 10, 300, 100,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    label_ = TUrlLabel::Create(parent_, 77, "caption", 5, 5, 200, 16, nullptr);
    ASSERT_NE(label_, nullptr);
  }
  void TearDown() override { DestroyWindow(parent_); }

  void Press() { SendMessageA(label_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3)); }
  void ReleaseAt(int x, int y) { SendMessageA(label_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
  void ClickIt() {
    Press();
    ReleaseAt(3, 3);
  }
  std::string Clipboard() {
    std::string text = "<nothing>";
    if (!OpenClipboard(parent_)) return "<closed>";
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
      if (const char* p = static_cast<const char*>(GlobalLock(h))) {
        text = p;
        GlobalUnlock(h);
      }
    }
    CloseClipboard();
    return text;
  }

  HWND parent_ = nullptr;
  TUrlLabel* label_ = nullptr;
};

TEST_F(UrlLabelTest, IsBlueAndShowsTheActiveColourOnlyWhileTheLeftButtonIsDown) {
  EXPECT_EQ(label_->FontColor(), RGB(0, 0, 255));
  EXPECT_EQ(label_->ActiveColor, RGB(128, 0, 128));
  label_->URL = "";
  SetWindowTextA(label_->Handle(), "");  // a click must open nothing here
  Press();
  EXPECT_EQ(label_->FontColor(), RGB(128, 0, 128));
  ReleaseAt(500, 500);
  EXPECT_EQ(label_->FontColor(), RGB(0, 0, 255));
  // Other buttons change nothing.
  SendMessageA(label_->Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(label_->FontColor(), RGB(0, 0, 255));
  // A changed colour is what comes back after the press.
  label_->ActiveColor = RGB(255, 0, 0);
  Press();
  EXPECT_EQ(label_->FontColor(), RGB(255, 0, 0));
  ReleaseAt(500, 500);
  EXPECT_EQ(label_->FontColor(), RGB(0, 0, 255));
}

TEST_F(UrlLabelTest, ClickOpensTheUrlOrElseTheCaptionAndNothingWhenBothAreBlank) {
  std::string dir = wintest::MakeTempDir("url");
  ASSERT_TRUE(CopyFileA(MarkerPath().c_str(), (dir + "url_target.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(MarkerPath().c_str(), (dir + "caption_target.exe").c_str(), FALSE));

  ClearMarker();
  label_->URL = "  " + dir + "url_target.exe ";
  SetWindowTextA(label_->Handle(), (dir + "caption_target.exe").c_str());
  ClickIt();
  EXPECT_TRUE(wintest::WaitUntil([] { return Marker() == "url_target.exe"; }, 10000)) << Marker();

  ClearMarker();
  label_->URL = "   ";
  ClickIt();
  EXPECT_TRUE(wintest::WaitUntil([] { return Marker() == "caption_target.exe"; }, 10000))
      << Marker();

  // Releasing outside the label is no click.
  ClearMarker();
  Press();
  ReleaseAt(500, 500);
  SetWindowTextA(label_->Handle(), "  ");
  label_->URL = "";
  ClickIt();
  Sleep(1500);
  EXPECT_EQ(Marker(), "<missing>");
}

// A section of a local page (how a build without web pages links into its
// help) opens in the program of the page's type, at that section.
TEST_F(UrlLabelTest, ASectionOfALocalPageOpensInThePagesProgramAtThatSection) {
  const std::string dir = wintest::MakeTempDir("url section");
  ASSERT_TRUE(CopyFileA(MarkerPath().c_str(), (dir + "page_viewer.exe").c_str(), FALSE));
  const std::string page = dir + "Help.cvlpage";
  HANDLE file = CreateFileA(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(file);
  wintest::SetString(HKEY_CLASSES_ROOT, ".cvlpage", "", "CvlTestPage");
  wintest::SetString(HKEY_CLASSES_ROOT, "CvlTestPage\\shell\\open\\command", "",
                     "\"" + dir + "page_viewer.exe\" \"%1\"");

  ClearMarker();
  label_->URL = page + "#plugins";
  ClickIt();
  EXPECT_TRUE(wintest::WaitUntil([] { return Marker() == "page_viewer.exe"; }, 10000)) << Marker();
  std::string url = "file:///" + dir + "Help.cvlpage#plugins";
  std::replace(url.begin(), url.end(), '\\', '/');
  const size_t blank = url.find(' ');
  ASSERT_NE(blank, std::string::npos);
  url.replace(blank, 1, "%20");
  EXPECT_EQ(MarkerCommandLine(), "\"" + dir + "page_viewer.exe\" \"" + url + "\"");

  wintest::DeleteTree(HKEY_CLASSES_ROOT, ".cvlpage");
  wintest::DeleteTree(HKEY_CLASSES_ROOT, "CvlTestPage");
}

TEST_F(UrlLabelTest, CopyPutsTheUrlOnTheClipboardEvenWhenEmpty) {
  label_->URL = "http://plugins.example/list";
  SendMessageA(label_->Handle(), WM_COMMAND, kUrlLabelCopyCommand, 0);
  EXPECT_EQ(Clipboard(), "http://plugins.example/list");
  label_->URL = "";
  SendMessageA(label_->Handle(), WM_COMMAND, kUrlLabelCopyCommand, 0);
  EXPECT_EQ(Clipboard(), "");
}

TEST_F(UrlLabelTest, ShowsTheHandCursorOfTheLibrary) {
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "HAND");
  ASSERT_NE(hand, nullptr);
  SendMessageA(label_->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label_->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), hand);
}

}  // namespace
