// The settings dialog linked into the test, with the common dialogs and the
// plug-in answers supplied by the test: colour and font choices, and the
// "Plugins" tab's install, remove and settings buttons, checked in the
// registry and on disk.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "settings/ControlIds.h"
#include "settings/SettingsForm.h"
#include "tests/settings/CvlDriver.h"
#include "tests/support/WinTest.h"

using namespace cvltest;
using namespace settings_ids;

namespace {

class ScriptedDialogs : public CommonDialogs {
 public:
  bool colourOk = true, fontOk = true, fileOk = true;
  COLORREF colourGiven = 0, colourAnswer = RGB(10, 20, 30);
  LOGFONTA fontGiven{}, fontAnswer{};
  COLORREF fontColourGiven = 0, fontColourAnswer = RGB(200, 0, 0);
  std::string fileAnswer;
  std::vector<std::string> fileNamesGiven;

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
  bool PickPluginFile(HWND, std::string& fileName) override {
    fileNamesGiven.push_back(fileName);
    if (fileOk) fileName = fileAnswer;
    return fileOk;
  }
};

// Plug-in answers by full path; installed names come from the registry.
class TablePlugins : public PluginQueries {
 public:
  std::map<std::string, int32_t> masks;
  std::vector<std::string> shown;
  int32_t Facilities(const std::string& path) override {
    auto it = masks.find(path);
    return it == masks.end() ? 0 : it->second;
  }
  TSENSORINFO SensorInfo(const std::string& path) override {
    TSENSORINFO info;
    info.Description = Base(path) + " sensor";
    info.Width = 33;
    return info;
  }
  TWARNINGINFO WarningInfo(const std::string& path) override {
    TWARNINGINFO info;
    info.Description = Base(path) + " warning";
    info.Val = "%";
    info.Min = 5;
    info.Max = 50;
    info.Increment = 5;
    return info;
  }
  std::string Name(const std::string& path) override { return "Name of " + Base(path); }
  bool IsInstalled(const std::string& fileName) override {
    int n = std::atoi(wintest::Setting("Plugins", "NoOfPlugins").c_str());
    for (int i = 1; i <= n; ++i)
      if (wintest::Setting("Plugins", std::to_string(i)) == fileName) return true;
    return false;
  }
  void ShowSettings(const std::string& path) override { shown.push_back(path); }
  static std::string Base(const std::string& path) {
    return path.substr(path.find_last_of("\\/") + 1);
  }
};

std::string Cell(HWND list, int row, int column) {
  char text[256] = "";
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

int Rows(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

void SelectOnly(HWND list, int row) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  item.state = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void MakeFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  ::WriteFile(h, "plugin", 6, &n, nullptr);
  CloseHandle(h);
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class FormSeams : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCommonControls();
    wintest::ResetVeltropKeys();
    installDir_ = wintest::MakeTempDir("installed");
    wintest::SetSetting("Settings", "InstalledDir", installDir_);
  }
  HWND Open() {
    thread_.reset(new DialogThread([this] { RunSettingsForm(plugins_, dialogs_); }));
    HWND dlg = thread_->WaitForWindow("Corvella Settings");
    EXPECT_NE(dlg, nullptr);
    return dlg;
  }
  bool Close(HWND dlg, int button) {
    Click(dlg, button);
    return thread_->WaitDone(5000);
  }
  void Register(int n, const std::string& file) {
    wintest::SetSetting("Plugins", std::to_string(n), file);
    plugins_.masks[installDir_ + file] = PluginHasSensor | PluginHasWarning;
  }
  void StoreEntry(const char* list, int n, const char* plugin, int number, const char* valueName,
                  const char* value) {
    std::string sec = std::string(list) + "\\" + std::to_string(n) + "\\General";
    wintest::SetSetting(sec, "Plugin", plugin);
    wintest::SetSetting(sec, "Number", std::to_string(number));
    wintest::SetSetting(sec, valueName, value);
  }

  std::string installDir_;
  ScriptedDialogs dialogs_;
  TablePlugins plugins_;
  std::unique_ptr<DialogThread> thread_;
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

TEST_F(FormSeams, InstallingCopiesTheFileAndWritesThePluginListAtOnce) {
  std::string source = wintest::MakeTempDir("download");
  MakeFile(source + "meter.cvl");
  MakeFile(source + "PLUGIN.CVL");
  MakeFile(source + "other.cvl");
  MakeFile(installDir_ + "local.cvl");
  plugins_.masks[source + "meter.cvl"] = PluginHasSensor;
  plugins_.masks[source + "PLUGIN.CVL"] = PluginHasSensor;
  plugins_.masks[installDir_ + "local.cvl"] = PluginHasWarning;
  // other.cvl answers no facilities: not a plug-in.
  wintest::MessageBoxWatcher boxes;
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  HWND list = GetDlgItem(dlg, PluginList);
  EXPECT_EQ(Rows(list), 0);

  dialogs_.fileAnswer = source + "meter.cvl";
  Click(dlg, PluginInstallBtn);
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "1");
  EXPECT_EQ(wintest::Setting("Plugins", "1"), "meter.cvl");
  EXPECT_TRUE(FileExists(installDir_ + "meter.cvl"));
  ASSERT_EQ(Rows(list), 1);
  EXPECT_EQ(Cell(list, 0, 0), "Name of meter.cvl");
  EXPECT_EQ(Cell(list, 0, 1), "meter.cvl");

  // The same file again, a name in capitals, a library that is no plug-in.
  for (const char* file : {"meter.cvl", "PLUGIN.CVL", "other.cvl"}) {
    dialogs_.fileAnswer = source + file;
    Click(dlg, PluginInstallBtn);
  }
  ASSERT_EQ(boxes.Count(), 3u) << boxes.Summary();
  EXPECT_EQ(boxes.Boxes()[0].text,
            "Plugin is Already Installed or a Plugin with the same name is Installed");
  EXPECT_EQ(boxes.Boxes()[1].text, "File is not a Valid Corvella Plugin");
  EXPECT_EQ(boxes.Boxes()[2].text, "File is not a Valid Corvella Plugin");
  for (const auto& b : boxes.Boxes()) EXPECT_EQ(b.title, "Corvella");
  EXPECT_FALSE(FileExists(installDir_ + "other.cvl"));

  // Cancelling the file dialog installs nothing, even with a name left in it.
  dialogs_.fileOk = false;
  dialogs_.fileAnswer = installDir_ + "local.cvl";
  Click(dlg, PluginInstallBtn);
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "1");
  // The dialog keeps the last chosen name while the settings dialog is open.
  EXPECT_EQ(dialogs_.fileNamesGiven.back(), source + "other.cvl");

  // A file already in the installation folder is registered where it is.
  dialogs_.fileOk = true;
  Click(dlg, PluginInstallBtn);
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "2");
  EXPECT_EQ(wintest::Setting("Plugins", "2"), "local.cvl");
  EXPECT_EQ(Rows(list), 2);
  EXPECT_EQ(boxes.Count(), 3u) << boxes.Summary();

  // Cancel keeps the installation.
  ASSERT_TRUE(Close(dlg, CancelBtn));
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "2");
  EXPECT_EQ(wintest::Setting("Settings", "SettingsStatus"), "<missing>");
}

TEST_F(FormSeams, RemovingPluginTwoOfThreeDropsItsRowsAndRenumbersTheRest) {
  wintest::SetSetting("Plugins", "NoOfPlugins", "3");
  Register(1, "one.cvl");
  Register(2, "two.cvl");
  Register(3, "three.cvl");
  wintest::SetSetting("Panels", "NoOfPanels", "4");
  StoreEntry("Panels", 1, "TRUE", 2, "Width", "21");
  StoreEntry("Panels", 2, "TRUE", 3, "Width", "31");
  StoreEntry("Panels", 3, "FALSE", 2, "Width", "73");
  StoreEntry("Panels", 4, "TRUE", 2, "Width", "22");
  wintest::SetSetting("Warnings", "NoOfWarnings", "2");
  StoreEntry("Warnings", 1, "TRUE", 2, "WarnVal", "10");
  StoreEntry("Warnings", 2, "TRUE", 3, "WarnVal", "15");
  wintest::MessageBoxWatcher boxes;
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  HWND list = GetDlgItem(dlg, PluginList);
  HWND panels = GetDlgItem(dlg, SensorList);
  HWND warnings = GetDlgItem(dlg, settings_ids::WarningList);
  ASSERT_EQ(Rows(list), 3);
  ASSERT_EQ(Rows(panels), 4);
  ASSERT_EQ(Rows(warnings), 2);

  // "&Settings" asks the selected plug-in.
  SelectOnly(list, 1);
  Click(dlg, PluginSettingsBtn);
  ASSERT_EQ(plugins_.shown.size(), 1u);
  EXPECT_EQ(plugins_.shown[0], installDir_ + "two.cvl");

  // Answering No removes nothing.
  boxes.Answer(IDNO);
  Click(dlg, PluginRemoveBtn);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Are you sure you want to Remove this Plugin?");
  EXPECT_EQ(boxes.Boxes()[0].title, "Corvella");
  EXPECT_EQ(Rows(list), 3);
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "3");

  boxes.Answer(IDYES);
  Click(dlg, PluginRemoveBtn);
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(wintest::Setting("Plugins", "NoOfPlugins"), "2");
  EXPECT_EQ(wintest::Setting("Plugins", "1"), "one.cvl");
  EXPECT_EQ(wintest::Setting("Plugins", "2"), "three.cvl");
  EXPECT_EQ(wintest::Setting("Plugins", "3"), "");
  ASSERT_EQ(Rows(list), 2);
  EXPECT_EQ(Cell(list, 1, 1), "three.cvl");
  ASSERT_EQ(Rows(panels), 2);
  EXPECT_EQ(Cell(panels, 0, 0), "three.cvl sensor");
  EXPECT_EQ(Cell(panels, 1, 0), "System Memory : Free & Load");
  ASSERT_EQ(Rows(warnings), 1);
  EXPECT_EQ(Cell(warnings, 0, 0), "three.cvl warning");

  // "&Settings" on the moved row asks the plug-in now stored under 2.
  SelectOnly(list, 1);
  Click(dlg, PluginSettingsBtn);
  EXPECT_EQ(plugins_.shown.back(), installDir_ + "three.cvl");

  // Cancel: the stored lists already point at the right plug-ins.
  ASSERT_TRUE(Close(dlg, CancelBtn));
  EXPECT_EQ(wintest::Setting("Panels", "NoOfPanels"), "2");
  EXPECT_EQ(wintest::Setting("Panels\\1\\General", "Number"), "2");
  EXPECT_EQ(wintest::Setting("Panels\\1\\General", "Width"), "31");
  EXPECT_EQ(wintest::Setting("Panels\\2\\General", "Plugin"), "FALSE");
  EXPECT_EQ(wintest::Setting("Warnings", "NoOfWarnings"), "1");
  EXPECT_EQ(wintest::Setting("Warnings\\1\\General", "Number"), "2");
  EXPECT_EQ(wintest::Setting("Warnings\\1\\General", "WarnVal"), "15");

  // Opened again, every row shows the same plug-in as before the removal.
  dlg = Open();
  ASSERT_NE(dlg, nullptr);
  panels = GetDlgItem(dlg, SensorList);
  ASSERT_EQ(Rows(panels), 2);
  EXPECT_EQ(Cell(panels, 0, 0), "three.cvl sensor");
  EXPECT_EQ(Cell(panels, 0, 2), "31");
  ASSERT_TRUE(Close(dlg, OKBtn));
  EXPECT_EQ(wintest::Setting("Panels\\1\\General", "Number"), "2");
}

TEST_F(FormSeams, ThePluginListMarksFilesThatAreNoPlugins) {
  wintest::SetSetting("Plugins", "NoOfPlugins", "2");
  Register(1, "good.cvl");
  wintest::SetSetting("Plugins", "2", "broken.cvl");
  HWND dlg = Open();
  ASSERT_NE(dlg, nullptr);
  HWND list = GetDlgItem(dlg, PluginList);
  ASSERT_EQ(Rows(list), 2);
  EXPECT_EQ(Cell(list, 0, 0), "Name of good.cvl");
  EXPECT_EQ(Cell(list, 1, 0), "<Invalid Plugin>");
  EXPECT_EQ(Cell(list, 1, 1), "broken.cvl");
  // The plug-in page link.
  HWND url = GetDlgItem(dlg, PluginUrl);
  ASSERT_NE(url, nullptr);
  EXPECT_EQ(wintest::ClassOf(url), "TUrlLabel");
  EXPECT_EQ(wintest::WindowText(url), kPluginPageUrl);
  ASSERT_TRUE(Close(dlg, CancelBtn));
}

}  // namespace
