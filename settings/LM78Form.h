#pragma once
// TLM78Form: the hardware monitoring settings dialog. It loads section
// "LM78" when it is created (running auto-detection first, after asking,
// while "LM78Enable" has never been written), and writes the section on OK
// only. Chip and processor are reached through an LM78Probe, so a test can
// stand in for the machine.
#include <windows.h>

#include "settings/core/LM78Values.h"
#include "shared/core/SettingsSource.h"
#include "shared/win32/Dialog.h"

class TLM78Form : public Dialog {
 public:
  TLM78Form(SettingsSource& settings, LM78Probe& probe, char decimalSeparator);
  ~TLM78Form() override;

 protected:
  void OnInit() override;
  void OnOK() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void CreateControls();
  HWND Add(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
           DWORD exStyle = 0);
  void FormCreate();

  void ShowValues(const LM78Values& values);
  LM78Values ReadValues() const;

  void CPUComboChange();
  void CoreVoltClick(bool up);
  void TempCompClick(int n, int delta);
  void FanRadioClick(int fan, int type);
  void AutoDetectBtnClick();

  SettingsSource& settings_;
  LM78Probe& probe_;
  char separator_;
  HFONT font_ = nullptr;
  HBITMAP picture_ = nullptr;
};

// Opens the dialog (ordinal 1 and the settings dialog's "Hardware Monitoring
// Settings" button): creates it with no owner over the registry and the
// machine, runs it modally on the calling thread and frees it.
void RunHardwareSettings();
// The same over another machine (tests).
void RunHardwareSettings(LM78Probe& probe);
