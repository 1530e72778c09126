// The settings dialog's controls, tab by tab, at their pixel positions. All
// are children of the dialog; a tab shows its own and hides the others.
#include <windows.h>
#include <commctrl.h>

#include "settings/ControlIds.h"
#include "settings/SettingsForm.h"
#include "settings/UrlLabel.h"
#include "shared/core/Addresses.h"

using namespace settings_ids;

namespace {

enum Page { GeneralPage, PositionPage, AppearancePage, SensorsPage, WarningsPage, PluginsPage, AdvancedPage };
const char* const kTabNames[TSettingsForm::kPageCount] = {
    "General", "Position", "Appearance", "Sensors", "Warnings", "Plugins", "Advanced"};

const DWORD kLabel = SS_LEFT;
const DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
const DWORD kRadio = BS_RADIOBUTTON | WS_TABSTOP;  // exclusive by the form's own rule
const DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

}  // namespace

HWND TSettingsForm::Add(int page, const char* cls, const std::string& text, DWORD style, int x,
                        int y, int w, int h, int id, DWORD exStyle) {
  HWND c = AddControl(cls, text, style, x, y, w, h, id, font_, exStyle);
  if (page >= 0) pages_[page].push_back(c);
  return c;
}

void TSettingsForm::Group(int page, const char* caption, int x, int y, int w, int h, int id,
                          const char* icon) {
  Add(page, "Button", caption, BS_GROUPBOX | WS_GROUP, x, y, w, h, id);
  HICON ic = static_cast<HICON>(LoadImageA(ThisModule(), icon, IMAGE_ICON, 16, 16, 0));
  if (!ic) return;
  icons_.push_back(ic);
  HWND pic = Add(page, "Static", "", SS_ICON, x + w - 24, y + 12, 16, 16,
                 FirstGroupIcon + static_cast<int>(icons_.size()));
  SendMessageA(pic, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(ic));
}

void TSettingsForm::Combo(int page, int id, int x, int y, int w, const char* const* items,
                          int count) {
  pages_[page].push_back(AddCombo(id, x, y, w, 220, items, count, font_));
}

void TSettingsForm::List(int page, int id, int x, int y, int w, int h, DWORD style,
                         const std::vector<ListView::Column>& columns) {
  pages_[page].push_back(AddListView(id, x, y, w, h, style, font_, columns).Handle());
}

// A list's "&Add" and "&Remove" buttons at the left of its strip.
void TSettingsForm::EditButtons(int page, int y, int addId, int removeId) {
  Add(page, "Button", "&Add", kButton, 15, y, 66, 25, addId);
  Add(page, "Button", "&Remove", kButton, 86, y, 66, 25, removeId);
}

// The "-" and "+" of a row's value in a small group at the strip's right.
void TSettingsForm::Stepper(int page, const char* caption, int y, int groupId, int minusId,
                            int plusId) {
  Add(page, "Button", caption, BS_GROUPBOX, 310, y, 78, 44, groupId);
  Add(page, "Button", "-", kButton, 318, y + 16, 28, 22, minusId);
  Add(page, "Button", "+", kButton, 352, y + 16, 28, 22, plusId);
}

void TSettingsForm::CreatePages() {
  HWND tabs = AddControl(WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 5, 5, 393,
                         386, Tabs, font_);
  // Tighter padding, so all seven tabs fit in one row also with wider fonts.
  SendMessageA(tabs, TCM_SETPADDING, 0, MAKELPARAM(4, 3));
  for (int i = 0; i < kPageCount; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kTabNames[i]);
    SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }

  // General
  Group(GeneralPage, "Update Speed", 15, 34, 373, 52, UpdateGroup, "ICON_CLOCK");
  Add(GeneralPage, "Static", "Update Sensors Every :", kLabel, 27, 57, 145, 13, UpdateLabel);
  Combo(GeneralPage, UpdateCombo, 175, 53, 160, kUpdateItems, kUpdateItemCount);
  Group(GeneralPage, "Startup", 15, 90, 373, 62, StartupGroup, "ICON_SCREEN");
  Add(GeneralPage, "Button", "Load Corvella on windows startup", kCheck, 27, 108, 300, 17,
      StartupCheck);
  Add(GeneralPage, "Button", "Display logo screen on startup", kCheck, 27, 128, 300, 17, SplashCheck);
  Group(GeneralPage, "Hot Keys", 15, 156, 373, 52, HotKeyGroup, "ICON_KEY");
  Add(GeneralPage, "Static", "Primary Hot Key(s) :", kLabel, 27, 179, 145, 13, HotKeyLabel);
  Combo(GeneralPage, HotKeyCombo, 175, 175, 160, kHotKeyItems, kHotKeyItemCount);
  Group(GeneralPage, "Logging (CVLLOG.TXT)", 15, 212, 373, 82, LogGroup, "ICON_NOTE");
  Add(GeneralPage, "Button", "Log ALL sensor readings and warnings to log file", kRadio | WS_GROUP, 27,
      230, 330, 17, AllLogRadio);
  Add(GeneralPage, "Button", "Log ONLY warnings to log file", kRadio, 27, 250, 330, 17,
      WarningLogRadio);
  Add(GeneralPage, "Button", "No Logging", kRadio, 27, 270, 330, 17, NoLogRadio);
  Group(GeneralPage, "Pause On Minimizing", 15, 298, 373, 46, PauseGroup, "ICON_CLOCK");
  Add(GeneralPage, "Button", "Pause Corvella on Minimizing", kCheck | WS_GROUP, 27, 317, 300, 17,
      HiddenLogCheck);

  // Position
  Group(PositionPage, "Bar Position", 15, 34, 373, 98, BarPosGroup, "ICON_SCREEN");
  Add(PositionPage, "Button", "Docked at the top of the screen", kRadio | WS_GROUP, 27, 52, 300, 17,
      TopPosRadio);
  Add(PositionPage, "Button", "Docked at the bottom of the screen", kRadio, 27, 71, 300, 17,
      BottomPosRadio);
  Add(PositionPage, "Button", "Floating Window", kRadio, 27, 90, 300, 17, FloatPosRadio);
  Add(PositionPage, "Button", "Minimized (To StartBar Tray)", kRadio, 27, 109, 300, 17,
      MinimisePosRadio);
  Group(PositionPage, "Visibility", 15, 136, 373, 62, VisibilityGroup, "ICON_SCREEN");
  Add(PositionPage, "Button", "Always display on top of other windows", kCheck | WS_GROUP, 27, 154,
      300, 17, OnTopCheck);
  Add(PositionPage, "Button", "Auto Hide Corvella (only when docked)", kCheck, 27, 174, 300, 17,
      AutoHideCheck);
  Group(PositionPage, "Appearance", 15, 202, 373, 170, AppearGroup, "ICON_PAINT");
  Add(PositionPage, "Static", "", SS_BITMAP, 74, 224, 254, 128, AppearPic);

  // Appearance
  Group(AppearancePage, "Colouring", 15, 34, 373, 150, ColourGroup, "ICON_PAINT");
  Add(AppearancePage, "Static", "Color Selection :", kLabel, 27, 56, 110, 13, ColourLabel);
  Add(AppearancePage, "Button", "Do not Color Corvella", kRadio | WS_GROUP, 130, 54, 160, 17,
      NoColorRadio);
  Add(AppearancePage, "Button", "Solid Color Corvella", kRadio, 130, 74, 160, 17, SolidRadio);
  Add(AppearancePage, "Button", "Gradient Color Corvella", kRadio, 130, 94, 160, 17, ShadeRadio);
  Add(AppearancePage, "Static", "", SS_NOTIFY | WS_GROUP, 300, 56, 60, 54, ShadePanel,
      WS_EX_CLIENTEDGE);
  Add(AppearancePage, "Static", "Gradient Amount :", kLabel, 27, 124, 95, 28, ShadeAmountLabel);
  HWND track = Add(AppearancePage, TRACKBAR_CLASSA, "",
                   TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | WS_TABSTOP, 126, 124, 250, 34,
                   ShadeAmount);
  SendMessageA(track, TBM_SETRANGE, FALSE, MAKELPARAM(1, 100));
  SendMessageA(track, TBM_SETLINESIZE, 0, 1);
  SendMessageA(track, TBM_SETTICFREQ, 1, 0);
  Group(AppearancePage, "Sensor Font", 15, 190, 373, 70, FontGroup, "ICON_NOTE");
  Add(AppearancePage, "Static", "Sensor Font :", kLabel, 27, 220, 80, 13, FontLabel);
  Add(AppearancePage, "Static", "", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 110, 210, 170, 32,
      FontPanel, WS_EX_CLIENTEDGE);
  Add(AppearancePage, "Button", "Select", kButton, 290, 213, 75, 25, FontSelectBtn);
  Group(AppearancePage, "Separator Character", 15, 266, 373, 54, SeparatorGroup, "ICON_KEY");
  Add(AppearancePage, "Static", "Multi-Info Separator :", kLabel, 27, 290, 145, 13, SeparatorLabel);
  Combo(AppearancePage, SeparatorCombo, 175, 286, 170, kSeparatorItems, kSeparatorItemCount);
  Group(AppearancePage, "History Graphs", 15, 326, 373, 46, GraphGroup, "ICON_CLOCK");
  Add(AppearancePage, "Button", "Show history graphs in panels", kCheck | WS_GROUP, 27, 345, 300, 17,
      PanelGraphsCheck);

  // Sensors
  Add(SensorsPage, "Static",
      "Below is a list of sensors Corvella will display. Click Add to add a sensor to the list :",
      kLabel, 15, 34, 373, 28, SensorsText);
  List(SensorsPage, SensorList, 15, 64, 373, 268, 0,
       {{"Information", 260, LVCFMT_LEFT}, {"Plugin", 40, LVCFMT_CENTER},
        {"Width", 39, LVCFMT_CENTER}});
  EditButtons(SensorsPage, 346, SensorAddBtn, SensorRemoveBtn);
  Add(SensorsPage, "Button", "Move &Up", kButton, 157, 346, 66, 25, MoveUpBtn);
  Add(SensorsPage, "Button", "Move &Down", kButton, 228, 346, 70, 25, MoveDownBtn);
  Stepper(SensorsPage, "Width", 334, WidthGroup, WidthMinusBtn, WidthPlusBtn);

  // Warnings
  Add(WarningsPage, "Static",
      "Please select which of the following information you wish Corvella to warn you about and "
      "the values at which you wish to be warned. Warnings will still be enabled if the "
      "corresponding sensor is not enabled.",
      kLabel, 15, 34, 373, 56, WarningsText);
  List(WarningsPage, settings_ids::WarningList, 15, 92, 373, 198, 0,
       {{"Display Warning When :", 240, LVCFMT_LEFT}, {"Value", 60, LVCFMT_RIGHT},
        {"", 40, LVCFMT_LEFT}});
  EditButtons(WarningsPage, 300, WarningAddBtn, WarningRemoveBtn);
  Stepper(WarningsPage, "Value", 292, ValueGroup, ValueMinusBtn, ValuePlusBtn);
  Group(WarningsPage, "Audible Warning", 15, 336, 373, 44, AudioGroup, "ICON_NOTE");
  Add(WarningsPage, "Button", "Sound Audible warning", kCheck | WS_GROUP, 27, 354, 250, 17,
      AudioCheck);

  // Plugins
  Add(PluginsPage, "Static",
      "Below is a list of the Corvella Plugins which are currently installed. To install new "
      "plugins click Install. For a list of available plugins visit:",
      kLabel, 15, 34, 373, 42, PluginsText);
  // The plug-in page of the build options, or the installed help's section.
  const std::string pluginsAddress =
      ResolveAddress(kPluginsAddress, InstalledPath(settings_));
  pluginUrl_ = TUrlLabel::Create(Handle(), PluginUrl, pluginsAddress, 15, 78, 373, 14, font_);
  if (pluginUrl_) {
    pluginUrl_->URL = pluginsAddress;
    ShowWindow(pluginUrl_->Handle(), SW_HIDE);
    pages_[PluginsPage].push_back(pluginUrl_->Handle());
  }
  List(PluginsPage, PluginList, 15, 96, 373, 242, LVS_SINGLESEL,
       {{"Description", 250, LVCFMT_LEFT}, {"Filename", 107, LVCFMT_LEFT}});
  Add(PluginsPage, "Button", "&Settings", kButton, 15, 346, 75, 25, PluginSettingsBtn);
  Add(PluginsPage, "Button", "&Remove", kButton, 95, 346, 75, 25, PluginRemoveBtn);
  Add(PluginsPage, "Button", "&Install", kButton, 313, 346, 75, 25, PluginInstallBtn);

  // Advanced
  Group(AdvancedPage, "Priority Levels", 15, 34, 373, 52, PriorityGroup, "ICON_CHIP");
  Add(AdvancedPage, "Static", "Process Priority Level :", kLabel, 27, 57, 150, 13, BaseProirityLabel);
  Combo(AdvancedPage, BaseProirityCombo, 180, 53, 150, kProcessItems, kProcessItemCount);
  Group(AdvancedPage, "Thread Priorities", 15, 90, 373, 162, ThreadGroup, "ICON_CHIP");
  Add(AdvancedPage, "Static", "Priority Setting", kLabel, 120, 108, 120, 13, SettingHeading);
  Add(AdvancedPage, "Static", "Priority Level", kLabel, 280, 108, 80, 13, LevelHeading);
  Add(AdvancedPage, "Static", "Main Thread :", kLabel, 27, 130, 92, 13, MainProirityLabel);
  Combo(AdvancedPage, MainProirityCombo, 120, 126, 140, kThreadItems, kThreadItemCount);
  Add(AdvancedPage, "Edit", "", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, 280, 126, 50, 21,
      MainPriorityText, WS_EX_CLIENTEDGE);
  Add(AdvancedPage, "Static", "Update Thread :", kLabel, 27, 160, 92, 13, TimerProirityLabel);
  Combo(AdvancedPage, TimerProirityCombo, 120, 156, 140, kThreadItems, kThreadItemCount);
  Add(AdvancedPage, "Edit", "", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, 280, 156, 50, 21,
      TimerPriorityText, WS_EX_CLIENTEDGE);
  Add(AdvancedPage, "Static",
      "Thread priority level = Process priority level + Thread priority setting. For reference: "
      "Typical programs have a priority level of 9 when active and 7 when running in the "
      "backround.",
      kLabel, 27, 186, 350, 60, Label12);
  Group(AdvancedPage, "Automatic Resizing", 15, 256, 373, 46, ResizeGroup, "ICON_SCREEN");
  Add(AdvancedPage, "Button", "Disable Automatic Resizing", kCheck | WS_GROUP, 27, 275, 250, 17,
      AutoResizeCheck);
  Add(AdvancedPage, "Button", "Hardware Monitoring Settings", kButton | WS_GROUP, 15, 312, 190, 25,
      LM75SetBtn);

  // The strip of buttons below the tabs.
  AddControl("Button", "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP, 163, 398, 75, 25, OKBtn, font_);
  AddControl("Button", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 243, 398, 75, 25,
             CancelBtn, font_);
  AddControl("Button", "&Apply", WS_VISIBLE | WS_TABSTOP, 323, 398, 75, 25, ApplyBtn, font_);
  Send(DM_SETDEFID, CancelBtn);
  // Below every page control, so they are painted over it and take the clicks.
  SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowPage(GeneralPage);
}

void TSettingsForm::ShowPage(int page) {
  for (int p = 0; p < kPageCount; ++p)
    if (p != page)
      for (HWND c : pages_[p]) ShowWindow(c, SW_HIDE);
  for (HWND c : pages_[page]) ShowWindow(c, SW_SHOW);
  Control(Tabs).Send(TCM_SETCURSEL, page);
}
