#include "settings/SettingsForm.h"

#include "settings/ControlIds.h"

TSettingsForm* SettingsForm = nullptr;

void TSettingsForm::OnInit() {
  SetWindowTextA(Handle(), "Corvella Settings");
  SetClientSize(403, 429);
  CenterOnScreen();
  AddControl("Button", "OK", WS_VISIBLE | WS_TABSTOP, 158, 398, 75, 25, settings_ids::OKBtn,
             nullptr);
  AddControl("Button", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 240, 398, 75, 25,
             settings_ids::CancelBtn, nullptr);
}

bool TSettingsForm::OnCommand(int id, int code, HWND) {
  if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) {
    End(id);
    return true;
  }
  return false;
}

void RunSettingsForm() {
  TSettingsForm form;
  SettingsForm = &form;
  form.RunModal(nullptr);
  SettingsForm = nullptr;
}
