#include "settings/LM78Form.h"

#include "chipwatch/ChipwatchApi.h"
#include "coreprobe/CoreprobeApi.h"
#include "settings/ControlIds.h"
#include "settings/core/LM78Values.h"
#include "shared/VBFunctions.h"

using namespace lm78_ids;

namespace {

// The question before auto-detection.
const char* const kAutoDetectQuestion =
    "Corvella will now attempt to Auto-Detect your System Configuration. This MAY cause your "
    "system to Lock or Crash. Do you wish to continue with Hardware Auto-detection?";

const char* const kIntro =
    "Please select your System Configuration from the options below or click Auto-Detect to make "
    "Corvella attempt to auto-detect your system configuration.";
const char* const kFanLabels[kFanCount] = {"Fan 1 Type :", "Fan 2 Type :", "Fan 3 Type :"};
const char* const kFanButtons[kFanTypeCount] = {"None", "Type 1", "Type 2", "Type 3"};
const char* const kTempChecks[kTemperatureCount] = {
    "Enable Temperature 1 Sensor (LM78/79 / Winbond 1)", "Enable Temperature 2 Sensor (Winbond 2)",
    "Enable Temperature 3 Sensor (Winbond 3)", "Enable Temperature 4 Sensor (LM75)"};

const DWORD kLabel = SS_LEFT | WS_VISIBLE;
const DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE;
const DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE;
const DWORD kRadio = BS_RADIOBUTTON | WS_TABSTOP | WS_VISIBLE;  // one per fan: the form's own rule
const DWORD kValueEdit = ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP | WS_VISIBLE;

}  // namespace

TLM78Form::TLM78Form(SettingsSource& settings, LM78Probe& probe, char decimalSeparator)
    : settings_(settings), probe_(probe), separator_(decimalSeparator) {}

TLM78Form::~TLM78Form() {
  if (font_) DeleteObject(font_);
  if (picture_) DeleteObject(picture_);
}

HWND TLM78Form::Add(const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
                    int id, DWORD exStyle) {
  return AddControl(cls, text, style, x, y, w, h, id, font_, exStyle);
}

void TLM78Form::CreateControls() {
  HWND pic = Add("Static", "", SS_BITMAP | WS_VISIBLE, 8, 8, 40, 40, Picture);
  picture_ = static_cast<HBITMAP>(LoadImageA(ThisModule(), "LM78PIC", IMAGE_BITMAP, 0, 0, 0));
  if (picture_) SendMessageA(pic, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));
  Add("Static", kIntro, kLabel, 58, 10, 431, 42, IntroLabel);

  Add("Button", "System Configuration", BS_GROUPBOX | WS_VISIBLE, 8, 54, 481, 142, SystemGroup);
  Add("Static", "Hardware Monitoring Support :", kLabel, 20, 76, 174, 13, HardwareLabel);
  AddCombo(HardwareCombo, 198, 72, 190, 200, kHardwareItems, kHardwareItemCount, font_,
           WS_VISIBLE);
  Add("Static", "Motherboard Type :", kLabel, 20, 104, 174, 13, MbTypeLabel);
  AddCombo(MbTypeCombo, 198, 100, 190, 200, kMotherboardItems, kMotherboardItemCount, font_,
           WS_VISIBLE);
  Add("Button", "CPU Type :", BS_GROUPBOX | WS_VISIBLE, 16, 128, 465, 60, CPUGroup);
  AddCombo(CPUCombo, 26, 152, 212, 200, kProcessorItems, kProcessorItemCount, font_,
           WS_VISIBLE);
  Add("Static", "CPU Core Voltage :", kLabel, 246, 156, 114, 13, CoreVoltLabel);
  Add("Edit", "", kValueEdit, 362, 152, 48, 21, CoreVoltEdit, WS_EX_CLIENTEDGE);
  Add("Static", "V", kLabel, 413, 156, 10, 13, CoreVoltUnit);
  Add("Button", "-", kButton, 428, 152, 22, 21, CoreVoltMinus);
  Add("Button", "+", kButton, 452, 152, 22, 21, CoreVoltPlus);

  Add("Button", "Fan Types", BS_GROUPBOX | WS_VISIBLE, 8, 202, 481, 96, FanGroup);
  for (int fan = 0; fan < kFanCount; ++fan) {
    int y = 222 + fan * 24;
    Add("Static", kFanLabels[fan], kLabel, 20, y + 2, 80, 13, FanLabel(fan));
    for (int type = 0; type < kFanTypeCount; ++type)
      Add("Button", kFanButtons[type], kRadio | (type == 0 ? WS_GROUP : 0), 110 + type * 90, y,
          80, 17, FanRadio(fan, type));
  }

  Add("Button", "Temperature Monitoring ", BS_GROUPBOX | WS_VISIBLE | WS_GROUP, 8, 302, 481, 130,
      TempGroup);
  Add("Static", "Compensation Level : ", kLabel | SS_RIGHT, 304, 318, 160, 13, CompLabel);
  for (int n = 0; n < kTemperatureCount; ++n) {
    int y = 336 + n * 24;
    Add("Button", kTempChecks[n], kCheck, 20, y, 330, 17, TempCheck(n));
    Add("Edit", "", kValueEdit, 375, y - 2, 40, 21, TempCompEdit(n), WS_EX_CLIENTEDGE);
    Add("Button", "-", kButton, 418, y - 2, 22, 21, TempCompMinus(n));
    Add("Button", "+", kButton, 442, y - 2, 22, 21, TempCompPlus(n));
  }

  Add("Button", "&Auto-Detect", kButton | WS_GROUP, 8, 438, 100, 25, AutoDetectBtn);
  Add("Button", "&OK", kButton, 334, 438, 75, 25, OKBtn);
  Add("Button", "Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 414, 438, 75, 25, CancelBtn);
  Send(DM_SETDEFID, CancelBtn);
}

void TLM78Form::OnInit() {
  SetText("Hardware Monitoring Settings");
  SetClientSize(497, 469);
  CenterOnScreen();
  font_ = MakeFont("MS Sans Serif", -11);
  CreateControls();
  FormCreate();
}

// Loading happens before the dialog is shown; so do the auto-detection
// question and its report while "LM78Enable" has never been written.
void TLM78Form::FormCreate() {
  LoadedLM78Values loaded = LoadLM78Values(settings_, separator_);
  ShowValues(loaded.values);
  if (loaded.detectionWanted) AutoDetectBtnClick();
}

void TLM78Form::ShowValues(const LM78Values& v) {
  for (int n = 0; n < kTemperatureCount; ++n) {
    SetCheck(TempCheck(n), v.temperature[n]);
    SetItemText(TempCompEdit(n), v.compensation[n]);
  }
  SetComboIndex(HardwareCombo, v.hardware);
  SetComboIndex(CPUCombo, v.processor);
  SetItemText(CoreVoltEdit, v.coreVolt);
  for (int fan = 0; fan < kFanCount; ++fan)
    for (int type = 0; type < kFanTypeCount; ++type)
      SetCheck(FanRadio(fan, type), v.fanType[fan] == type);
  SetComboIndex(MbTypeCombo, v.motherboard);
}

LM78Values TLM78Form::ReadValues() const {
  LM78Values v;
  for (int n = 0; n < kTemperatureCount; ++n) {
    v.temperature[n] = IsChecked(TempCheck(n));
    v.compensation[n] = ItemText(TempCompEdit(n));
  }
  v.hardware = ComboIndex(HardwareCombo);
  v.processor = ComboIndex(CPUCombo);
  v.coreVolt = ItemText(CoreVoltEdit);
  for (int fan = 0; fan < kFanCount; ++fan) {
    v.fanType[fan] = kNoSelection;
    for (int type = 0; type < kFanTypeCount; ++type)
      if (IsChecked(FanRadio(fan, type))) v.fanType[fan] = type;
  }
  v.motherboard = ComboIndex(MbTypeCombo);
  return v;
}

void TLM78Form::CPUComboChange() {
  LM78Values v = ReadValues();
  ProcessorChanged(v, separator_);
  SetItemText(CoreVoltEdit, v.coreVolt);
}

void TLM78Form::CoreVoltClick(bool up) {
  SetItemText(CoreVoltEdit, CoreVoltStep(ItemText(CoreVoltEdit), up, separator_));
}

void TLM78Form::TempCompClick(int n, int delta) {
  SetItemText(TempCompEdit(n), CompensationStep(ItemText(TempCompEdit(n)), delta));
}

void TLM78Form::FanRadioClick(int fan, int type) {
  for (int t = 0; t < kFanTypeCount; ++t)
    SetCheck(FanRadio(fan, t), t == type);
}

void TLM78Form::AutoDetectBtnClick() {
  if (MessageBoxA(Handle(), kAutoDetectQuestion, "Corvella", MB_YESNO | MB_ICONERROR) != IDYES)
    return;
  HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  LM78Values values = ReadValues();
  std::string report = AutoDetect(probe_, values, separator_);
  ShowValues(values);
  SetCursor(previous);
  MessageBoxA(Handle(), report.c_str(), "Corvella", MB_OK | MB_ICONINFORMATION);
}

void TLM78Form::OnOK() {
  SaveLM78Values(settings_, ReadValues(), separator_);
  End(IDOK);
}

bool TLM78Form::OnCommand(int id, int code, HWND) {
  if (id == CPUCombo && code == CBN_SELCHANGE) {
    CPUComboChange();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case AutoDetectBtn: AutoDetectBtnClick(); return true;
    case CoreVoltMinus: CoreVoltClick(false); return true;
    case CoreVoltPlus: CoreVoltClick(true); return true;
    default: break;
  }
  for (int n = 0; n < kTemperatureCount; ++n) {
    if (id == TempCompMinus(n)) TempCompClick(n, -1);
    if (id == TempCompPlus(n)) TempCompClick(n, +1);
    if (id == TempCompMinus(n) || id == TempCompPlus(n)) return true;
  }
  for (int fan = 0; fan < kFanCount; ++fan)
    for (int type = 0; type < kFanTypeCount; ++type)
      if (id == FanRadio(fan, type)) {
        FanRadioClick(fan, type);
        return true;
      }
  return false;
}

namespace {

// The machine in the product: the exports of Chipwatch.dll and
// Coreprobe.dll, both linked by name.
class LibraryProbe : public LM78Probe {
 public:
  bool InitialiseLM78() override { return ::InitialiseLM78() != FALSE; }
  int32_t GetTemperature(int32_t channel) override { return ::GetTemperature(channel); }
  double GetVoltage(int32_t channel) override { return ::GetVoltage(channel); }
  uint32_t GetFan(int32_t fan) override { return static_cast<uint32_t>(::GetFan(fan)); }
  ProcessorFacts Processor() override {
    ProcessorFacts cpu;
    cpu.family = GetCPUInfoFamily();
    cpu.model = GetCPUInfoModel();
    char vendor[80] = "";
    GetCPUInfoVendorID(vendor);
    vendor[sizeof vendor - 1] = '\0';
    cpu.vendor = vendor;
    cpu.mmx = GetMMX() != FALSE;
    cpu.overdrive = GetOverdrive() != FALSE;
    cpu.speed = GetSpeed();
    return cpu;
  }
};

// The first character of the user's decimal separator ("." when unknown).
char UserDecimalSeparator() {
  char text[8] = "";
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) > 1 && text[0])
    return text[0];
  return '.';
}

}  // namespace

void RunHardwareSettings(LM78Probe& probe) {
  RegistrySettings settings;
  TLM78Form form(settings, probe, UserDecimalSeparator());
  form.RunModal(nullptr);
}

void RunHardwareSettings() {
  LibraryProbe probe;
  RunHardwareSettings(probe);
}
