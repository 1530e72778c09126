#include "settings/AddForms.h"

#include <commctrl.h>

#include "settings/ControlIds.h"

using namespace add_ids;

// Neither button is the default or the cancel button: Enter and Esc do nothing.
TAddForm::TAddForm(const Look& look, std::function<RowTexts()> load,
                   std::function<void(const std::vector<int>&)> chosen)
    : Dialog(OKBtn, CancelBtn), look_(look), load_(std::move(load)), chosen_(std::move(chosen)) {}

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
  const RowTexts rows = load_();
  for (size_t r = 0; r < rows.size(); ++r) list.InsertRow(static_cast<int>(r), rows[r]);
  AddControl("Button", "OK", WS_VISIBLE | WS_TABSTOP, 246, 306, 79, 25, OKBtn, font_);
  AddControl("Button", "Cancel", WS_VISIBLE | WS_TABSTOP, 330, 306, 79, 25, CancelBtn, font_);
  SetFocus(list.Handle());
}

void TAddForm::CloseForm() {
  ShowWindow(Handle(), SW_HIDE);
  ListView(Item(List)).Clear();
  End(0);
}

void TAddForm::OnOK() {
  std::vector<int> chosen;
  const ListView list(Item(List));
  for (int i = list.Next(-1, LVNI_SELECTED); i >= 0; i = list.Next(i, LVNI_SELECTED))
    chosen.push_back(i);
  chosen_(chosen);
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

const TAddForm::Look TAddForm::kSensorLook = {
    "Add Sensor",
    "Please Select a Sensor from the List Below and Click OK to Add:",
    {{"Information", 260, LVCFMT_LEFT}, {"Plugin", 40, LVCFMT_CENTER},
     {"Default Width", 76, LVCFMT_CENTER}}};

const TAddForm::Look TAddForm::kWarningLook = {
    "Add Warning",
    "Please Select a Warning from the List Below and Click OK to Add:",
    {{"Display Warning When :", 275, LVCFMT_LEFT}, {"Min Value", 60, LVCFMT_RIGHT},
     {"", 40, LVCFMT_LEFT}}};
