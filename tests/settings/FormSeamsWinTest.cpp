// The settings dialog linked into the test, with the colour and font
// dialogs answered by the test.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "settings/ControlIds.h"
#include "settings/SettingsForm.h"
#include "shared/Common.h"
#include "tests/settings/CvlDriver.h"
#include "tests/support/WinTest.h"

using namespace cvltest;
using namespace settings_ids;

namespace {

class ScriptedDialogs : public CommonDialogs {
 public:
  bool colourOk = true, fontOk = true;
  COLORREF colourGiven = 0, colourAnswer = RGB(10, 20, 30);
  LOGFONTA fontGiven{}, fontAnswer{};
  COLORREF fontColourGiven = 0, fontColourAnswer = RGB(200, 0, 0);

  bool PickColour(HWND, COLORREF& colour) override {
    colourGiven = colour;
    if (colourOk) colour = colourAnswer;
    return colourOk;
  }
  bool PickFont(HWND, LOGFONTA& font, COLORREF& colour) override {
    fontGiven = font;
    fontColourGiven = colour;
    if (!fontOk) return false;
    font = fontAnswer;
    colour = fontColourAnswer;
    return true;
  }
  bool PickPluginFile(HWND, std::string&) override { return false; }
};

class FormSeams : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCommonControls();
    wintest::ResetVeltropKeys();
  }
  HWND Open() {
    return thread_.Open([this] { RunSettingsForm(Contract(), dialogs_); }, "Corvella Settings");
  }
  bool Close(HWND dlg, int button) { return thread_.Close(dlg, button); }

  ScriptedDialogs dialogs_;
  ShownDialog thread_;
};

TEST_F(FormSeams, ColourAndFontChoicesReachTheRegistryOnApply) {
  std::strcpy(dialogs_.fontAnswer.lfFaceName, "Courier New");
  dialogs_.fontAnswer.lfHeight = -16;
  dialogs_.fontAnswer.lfWeight = FW_BOLD;
  dialogs_.fontAnswer.lfItalic = TRUE;
  dialogs_.fontAnswer.lfUnderline = TRUE;
  dialogs_.fontAnswer.lfStrikeOut = TRUE;
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);

  // Cancelled dialogs change nothing.
  dialogs_.colourOk = dialogs_.fontOk = false;
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(ShadePanel, STN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, ShadePanel)));
  Click(dlg, FontSelectBtn);
  EXPECT_EQ(dialogs_.colourGiven, RGB(128, 128, 255));
  EXPECT_STREQ(dialogs_.fontGiven.lfFaceName, "Arial");
  EXPECT_EQ(dialogs_.fontColourGiven, GetSysColor(COLOR_WINDOWTEXT));
  Click(dlg, ApplyBtn);
  EXPECT_EQ(wintest::Setting("Settings", "ShadeColour"), "16744576");
  EXPECT_EQ(wintest::Setting("Settings", "FontName"), "Arial");
  EXPECT_EQ(wintest::Setting("Settings", "FontColor"), "-2147483640");

  dialogs_.colourOk = dialogs_.fontOk = true;
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(ShadePanel, STN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, ShadePanel)));
  Click(dlg, FontSelectBtn);
  EXPECT_EQ(Text(dlg, FontPanel), "Courier New");
  LOGFONTA shown{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(dlg, FontPanel), WM_GETFONT, 0, 0)),
             sizeof shown, &shown);
  EXPECT_STREQ(shown.lfFaceName, "Courier New");
  EXPECT_FALSE(shown.lfUnderline);  // only bold and italic are kept
  EXPECT_FALSE(shown.lfStrikeOut);
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(wintest::Setting("Settings", "ShadeColour"), std::to_string(10 + 20 * 256 + 30 * 65536));
  EXPECT_EQ(wintest::Setting("Settings", "FontName"), "Courier New");
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(wintest::Setting("Settings", "FontSize"), std::to_string(MulDiv(16, 72, dpi)));
  EXPECT_EQ(wintest::Setting("Settings", "FontColor"), "200");
  EXPECT_EQ(wintest::Setting("Settings", "FontStyle"), "BoldItalic");
}

}  // namespace

TEST_F(FormSeams, TheShadePreviewReadsTheStoredColourAsTheBarDoes) {
  // Only the low 24 bits of a positive value are the colour; the top byte is
  // kept as stored until the user picks another colour.
  wintest::SetSetting("Settings", "ShadeColour", std::to_string(0x12FF8080));
  dialogs_.colourOk = false;
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(ShadePanel, STN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, ShadePanel)));
  EXPECT_EQ(dialogs_.colourGiven, static_cast<COLORREF>(0xFF8080));
  HDC dc = GetDC(dlg);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
      reinterpret_cast<LPARAM>(GetDlgItem(dlg, ShadePanel))));
  ReleaseDC(dlg, dc);
  LOGBRUSH shown{};
  ASSERT_TRUE(GetObjectA(brush, sizeof shown, &shown));
  EXPECT_EQ(shown.lbColor, static_cast<COLORREF>(0xFF8080));
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(wintest::Setting("Settings", "ShadeColour"), std::to_string(0x12FF8080));
}
