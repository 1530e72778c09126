#pragma once
// TSettingsForm: the settings dialog.
#include "shared/win32/Dialog.h"

class TSettingsForm : public Dialog {
 protected:
  DWORD FrameStyle() const override { return WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK; }
  void OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
};

// The running settings form while RunSettingsForm runs, else none.
extern TSettingsForm* SettingsForm;

// Creates the form with no owner, runs it modally and frees it.
void RunSettingsForm();
