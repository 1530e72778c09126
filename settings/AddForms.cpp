#include "settings/AddForms.h"

#include <commctrl.h>


#include "settings/ControlIds.h"
#include "settings/SettingsForm.h"

using namespace add_ids;

// Neither button is the default or the cancel button: Enter and Esc do nothing.
TAddForm::TAddForm(TSettingsForm& settings, Look look)
    : Dialog(OKBtn, CancelBtn), settings_(settings), look_(std::move(look)) {}

TAddForm::~TAddForm() {
  if (font_) DeleteObject(font_);
}

void TAddForm::OnInit() {
  SetText(look_.caption);
  SetWindowPos(Handle(), nullptr, 0, 0, 426, 365, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterOnScreen();
  font_ = MakeFont("MS Sans Serif", -11);
  AddControl("Static", look_.prompt, WS_VISIBLE | SS_LEFT, 9, 6, 400, 13, TopLabel, font_);
  ListView list = AddListView(List, 9, 24, 400, 274, WS_VISIBLE, font_, look_.columns);
  const std::vector<std::vector<std::string>> rows = LoadRows();
  for (size_t r = 0; r < rows.size(); ++r) list.InsertRow(static_cast<int>(r), rows[r]);
  AddControl("Button", "OK", WS_VISIBLE | WS_TABSTOP, 246, 306, 79, 25, OKBtn, font_);
  AddControl("Button", "Cancel", WS_VISIBLE | WS_TABSTOP, 330, 306, 79, 25, CancelBtn, font_);
  SetFocus(list.Handle());
}

void TAddForm::CloseForm() {
  ShowWindow(Handle(), SW_HIDE);
  FreeRows();
  ListView(Item(List)).Clear();
  End(0);
}

void TAddForm::OnOK() {
  std::vector<int> chosen;
  const ListView list(Item(List));
  for (int i = list.Next(-1, LVNI_SELECTED); i >= 0; i = list.Next(i, LVNI_SELECTED))
    chosen.push_back(i);
  AppendChosen(chosen);
  CloseForm();
}

void TAddForm::OnCancel() { CloseForm(); }

bool TAddForm::OnCommand(int id, int code, HWND) {
  return code == BN_CLICKED && (id == IDOK || id == IDCANCEL);
}

bool TAddForm::OnMessage(UINT msg, WPARAM, LPARAM, INT_PTR& answer) {
  if (msg != WM_CLOSE) return false;
  CloseForm();
  answer = TRUE;
  return true;
}

template <class Row>
std::vector<std::vector<std::string>> TAddRowsForm<Row>::LoadRows() {
  rows_ = choices_(settings_.Settings(), settings_.Plugins());
  std::vector<std::vector<std::string>> texts;
  for (const Row& r : rows_) texts.push_back(r.Texts());
  return texts;
}

template <class Row>
void TAddRowsForm<Row>::AppendChosen(const std::vector<int>& rows) {
  std::vector<Row> chosen;
  for (int i : rows)
    if (i >= 0 && i < static_cast<int>(rows_.size())) chosen.push_back(rows_[i]);
  if (SettingsForm) (SettingsForm->*append_)(chosen);
}

TAddSensorForm::TAddSensorForm(TSettingsForm& settings)
    : TAddRowsForm(settings,
                   {"Add Sensor",
                    "Please Select a Sensor from the List Below and Click OK to Add:",
                    {{"Information", 260, LVCFMT_LEFT},
                     {"Plugin", 40, LVCFMT_CENTER},
                     {"Default Width", 76, LVCFMT_CENTER}}},
                   SensorChoices, &TSettingsForm::AppendPanels) {}

TAddWarningForm::TAddWarningForm(TSettingsForm& settings)
    : TAddRowsForm(settings,
                   {"Add Warning",
                    "Please Select a Warning from the List Below and Click OK to Add:",
                    {{"Display Warning When :", 275, LVCFMT_LEFT},
                     {"Min Value", 60, LVCFMT_RIGHT},
                     {"", 40, LVCFMT_LEFT}}},
                   WarningChoices, &TSettingsForm::AppendWarnings) {}
