#include "settings/SettingsForm.h"

#include <commctrl.h>

#include "settings/ControlIds.h"
#include "settings/LM78Form.h"
#include "settings/UrlLabel.h"
#include "shared/win32/RegKey.h"
#include "shared/win32/StoredColour.h"

using namespace settings_ids;

TSettingsForm* SettingsForm = nullptr;

namespace {

const char* const kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kSpeedQuestion =
    "Warning: Setting the Update Speed to Less than 1 Second can cause the Hardware Monitoring "
    "Sensors to Fail or Report Incorrect Values. Use Selected Update Speed?";
const char* const kResizeQuestion =
    "Altering this setting will cause Corvella to no longer automatically resize to fit the "
    "screen when the screen size changes. This setting is only recommended if you are "
    "experiencing problems with Corvella and programs which resize the screen such as fullscreen "
    "DirectX games. If you disable Automatic Resizing you can force Corvella to resize to fit the "
    "screen at any time by selecting Refresh form the settings menu. Are you sure that you want "
    "to disable Automatic Resizing?";

const int kLogRadios[] = {AllLogRadio, WarningLogRadio, NoLogRadio};
const int kPositionRadios[] = {TopPosRadio, BottomPosRadio, FloatPosRadio, MinimisePosRadio};
const int kColourRadios[] = {NoColorRadio, SolidRadio, ShadeRadio};

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

TSettingsForm::TSettingsForm(PluginContract& plugins, CommonDialogs& dialogs)
    : plugins_(plugins), dialogs_(dialogs) {}

TSettingsForm::~TSettingsForm() {
  if (font_) DeleteObject(font_);
  if (sensorFont_) DeleteObject(sensorFont_);
  if (shadeBrush_) DeleteObject(shadeBrush_);
  if (preview_) DeleteObject(preview_);
  for (HICON ic : icons_) DestroyIcon(ic);
}

void TSettingsForm::OnInit() {
  SetText("Corvella Settings");
  SetClientSize(403, 429);
  CenterOnScreen();
  font_ = MakeFont("MS Sans Serif", -11);
  CreatePages();
  FormShow();
  SetFocus(Item(CancelBtn));
}

// Opening: the values in the order the dialog has always read them.
void TSettingsForm::FormShow() {
  loading_ = true;
  GeneralSettings v = LoadGeneralSettings(settings_);
  SetCheck(AutoHideCheck, v.autoHide);
  SetRadio(kLogRadios[static_cast<int>(v.logging)]);
  SetCheck(HiddenLogCheck, v.pauseOnMinimise);
  SetCheck(AudioCheck, v.audioWarnings);
  SetComboIndex(HotKeyCombo, v.hotKey);
  SetComboIndex(SeparatorCombo, v.separator);
  LoadStartupCheck();
  SetCheck(SplashCheck, v.showSplash);
  if (v.disableAutoResize) resizeConfirmed_ = true;  // loading asks nothing
  SetCheck(AutoResizeCheck, v.disableAutoResize);
  SetComboIndex(BaseProirityCombo, v.process);
  SetComboIndex(MainProirityCombo, v.mainThread);
  SetComboIndex(TimerProirityCombo, v.timerThread);
  PriorityChange();
  pluginRows_ = LoadPluginRows(plugins_);
  ShowRows(PluginList);
  SetComboIndex(UpdateCombo, v.update);
  SetCheck(OnTopCheck, v.onTop);
  SetRadio(kPositionRadios[static_cast<int>(v.place)]);
  SetRadio(kColourRadios[static_cast<int>(v.colouring)]);
  SetShadeColour(v.shadeColour);
  Control(ShadeAmount).Send(TBM_SETPOS, TRUE, v.shadeAmount);
  SetSensorFont(v.font);
  SetCheck(PanelGraphsCheck, v.panelGraphs);
  panels_.Load(plugins_);
  ShowRows(SensorList);
  warnings_.Load(plugins_);
  ShowRows(settings_ids::WarningList);
  loading_ = false;
}

void TSettingsForm::LoadStartupCheck() {
  RegKey run;
  if (!run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_READ)) {
    SetCheck(StartupCheck, true);
    return;
  }
  // The entry was always read into a 79-byte buffer: a longer one is no match.
  char buffer[79] = "";
  DWORD size = sizeof buffer, type = 0;
  bool read = RegQueryValueExA(run.Get(), "Corvella", nullptr, &type,
                               reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
              (type == REG_SZ || type == REG_EXPAND_SZ);
  buffer[sizeof buffer - 1] = '\0';
  std::string launcher = InstalledPath(settings_, "Launcher.exe");
  SetCheck(StartupCheck, read && launcher == buffer);
}

void TSettingsForm::WriteStartupEntry() {
  RegKey run;
  if (!run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_SET_VALUE)) return;
  std::string value;
  if (IsChecked(StartupCheck))
    value = InstalledPath(settings_, "Launcher.exe");
  run.SetString("Corvella", value);
}

GeneralSettings TSettingsForm::ReadControls() {
  GeneralSettings v;
  v.autoHide = IsChecked(AutoHideCheck);
  int log = CheckedIn(kLogRadios);
  v.logging = log < 0 ? LogMode::None : static_cast<LogMode>(log);
  v.pauseOnMinimise = IsChecked(HiddenLogCheck);
  v.audioWarnings = IsChecked(AudioCheck);
  v.hotKey = ComboIndex(HotKeyCombo);
  v.separator = ComboIndex(SeparatorCombo);
  v.showSplash = IsChecked(SplashCheck);
  v.disableAutoResize = IsChecked(AutoResizeCheck);
  v.process = ComboIndex(BaseProirityCombo);
  v.mainThread = ComboIndex(MainProirityCombo);
  v.timerThread = ComboIndex(TimerProirityCombo);
  v.update = ComboIndex(UpdateCombo);
  v.onTop = IsChecked(OnTopCheck);
  int place = CheckedIn(kPositionRadios);
  v.place = place < 0 ? BarPlace::Bottom : static_cast<BarPlace>(place);
  int colouring = CheckedIn(kColourRadios);
  v.colouring = colouring < 0 ? Colouring::None : static_cast<Colouring>(colouring);
  v.shadeColour = shadeColour_;
  v.shadeAmount = static_cast<int32_t>(Control(ShadeAmount).Send(TBM_GETPOS));
  v.font = sensorFontValue_;
  v.panelGraphs = IsChecked(PanelGraphsCheck);
  return v;
}

void TSettingsForm::Apply() {
  SaveSettings(settings_, ReadControls(), panels_, warnings_, [this] { WriteStartupEntry(); });
}

void TSettingsForm::SetRadio(int id) {
  // The logging reaction belongs to the radio becoming checked: a click on
  // the checked one chooses nothing new. Loading runs it as a click would.
  const bool becomesChecked = loading_ || !IsChecked(id);
  for (int r : kLogRadios)
    if (r == id) CheckOne(kLogRadios, id);
  for (int r : kColourRadios)
    if (r == id) CheckOne(kColourRadios, id);
  if (id == AllLogRadio && becomesChecked) AllLogRadioClick();
  for (int r : kPositionRadios)
    if (r == id) {
      CheckOne(kPositionRadios, id);
      PositionClick();
    }
}

void TSettingsForm::PositionClick() {
  int place = CheckedIn(kPositionRadios);
  if (place < 0) return;
  std::string name = PreviewPicture(static_cast<BarPlace>(place), IsChecked(OnTopCheck));
  HBITMAP pic = static_cast<HBITMAP>(LoadImageA(ThisModule(), name.c_str(), IMAGE_BITMAP, 0, 0, 0));
  if (!pic) return;
  auto old = reinterpret_cast<HGDIOBJ>(
      Control(AppearPic).Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(pic)));
  if (old && old != preview_) DeleteObject(old);
  if (preview_) DeleteObject(preview_);
  preview_ = pic;
}

void TSettingsForm::AllLogRadioClick() {
  if (!IsChecked(AllLogRadio)) return;
  int speed = ComboIndex(UpdateCombo);
  int wanted = SpeedForLogAll(speed);
  if (wanted != speed) SetComboIndex(UpdateCombo, wanted);
}

void TSettingsForm::UpdateComboChange() {
  if (!SpeedNeedsConfirmation(ComboIndex(UpdateCombo))) return;
  int answer = MessageBoxA(Handle(), kSpeedQuestion, "Corvella",
                           MB_YESNO | MB_DEFBUTTON2 | MB_ICONERROR);
  if (answer != IDYES) SetComboIndex(UpdateCombo, kOneSecondIndex);
}

void TSettingsForm::AutoResizeCheckClick() {
  if (!IsChecked(AutoResizeCheck) || resizeConfirmed_) return;
  int answer = MessageBoxA(Handle(), kResizeQuestion, "Corvella",
                           MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING);
  if (answer == IDYES)
    resizeConfirmed_ = true;
  else
    SetCheck(AutoResizeCheck, false);
}

void TSettingsForm::PriorityChange() {
  int process = ComboIndex(BaseProirityCombo);
  int level = 0;
  if (ThreadLevel(process, ComboIndex(MainProirityCombo), level))
    SetItemText(MainPriorityText, IntToText(level));
  if (ThreadLevel(process, ComboIndex(TimerProirityCombo), level))
    SetItemText(TimerPriorityText, IntToText(level));
}

void TSettingsForm::SetShadeColour(int32_t colour) {
  shadeColour_ = colour;
  if (shadeBrush_) DeleteObject(shadeBrush_);
  shadeBrush_ = CreateSolidBrush(ColourRefOf(colour));
  InvalidateRect(Item(ShadePanel), nullptr, TRUE);
}

void TSettingsForm::ShadePanelClick() {
  COLORREF colour = ColourRefOf(shadeColour_);
  if (dialogs_.PickColour(Handle(), colour)) SetShadeColour(static_cast<int32_t>(colour));
}

void TSettingsForm::SetSensorFont(const SensorFont& font) {
  sensorFontValue_ = font;
  HFONT f = MakeFont(font.name.c_str(), -MulDiv(font.size, ScreenDpi(), 72), font.bold,
                     font.italic);
  Control(FontPanel).Send(WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
  if (sensorFont_) DeleteObject(sensorFont_);
  sensorFont_ = f;
  SetItemText(FontPanel, font.name);
}

void TSettingsForm::FontSelectBtnClick() {
  LOGFONTA lf{};
  if (sensorFont_) GetObjectA(sensorFont_, sizeof lf, &lf);
  COLORREF colour = ColourRefOf(sensorFontValue_.colour);
  if (!dialogs_.PickFont(Handle(), lf, colour)) return;
  SensorFont f;
  f.name = lf.lfFaceName;
  int height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  f.size = MulDiv(height, 72, ScreenDpi());
  f.colour = static_cast<int32_t>(colour);
  // Only bold and italic are kept: underline and strike-out are dropped.
  f.bold = lf.lfWeight >= FW_BOLD;
  f.italic = lf.lfItalic != 0;
  SetSensorFont(f);
}

void TSettingsForm::OnOK() {
  Apply();
  End(IDOK);
}

bool TSettingsForm::OnCommand(int id, int code, HWND) {
  if (code == CBN_SELCHANGE) {
    if (id == UpdateCombo) UpdateComboChange();
    if (id == BaseProirityCombo || id == MainProirityCombo || id == TimerProirityCombo)
      PriorityChange();
    return true;
  }
  if (id == ShadePanel && code == STN_CLICKED) {
    ShadePanelClick();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case ApplyBtn: Apply(); return true;
    case AllLogRadio:
    case WarningLogRadio:
    case NoLogRadio:
    case TopPosRadio:
    case BottomPosRadio:
    case FloatPosRadio:
    case MinimisePosRadio:
    case NoColorRadio:
    case SolidRadio:
    case ShadeRadio: SetRadio(id); return true;
    case OnTopCheck: PositionClick(); return true;
    case AutoResizeCheck: AutoResizeCheckClick(); return true;
    case FontSelectBtn: FontSelectBtnClick(); return true;
    case LM75SetBtn: RunHardwareSettings(); return true;
    default: return OnListCommand(id);
  }
}

LRESULT TSettingsForm::OnNotify(NMHDR* header) {
  if (header->idFrom == static_cast<UINT_PTR>(Tabs) && header->code == TCN_SELCHANGE) {
    const int page = static_cast<int>(Control(Tabs).Send(TCM_GETCURSEL));
    if (page >= 0 && page < kPageCount) ShowPage(page);
  }
  return 0;
}

bool TSettingsForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& answer) {
  if (msg != WM_CTLCOLORSTATIC) return false;
  HWND control = reinterpret_cast<HWND>(lp);
  HDC dc = reinterpret_cast<HDC>(wp);
  if (control == Item(ShadePanel) && shadeBrush_) {
    answer = reinterpret_cast<INT_PTR>(shadeBrush_);
    return true;
  }
  if (control == Item(FontPanel)) {
    SetTextColor(dc, ColourRefOf(sensorFontValue_.colour));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    answer = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  return false;
}

void RunSettingsForm(PluginContract& plugins, CommonDialogs& dialogs) {
  TSettingsForm form(plugins, dialogs);
  SettingsForm = &form;
  form.RunModal(nullptr);
  SettingsForm = nullptr;
}
