#include "settings/AddForms.h"

#include <commctrl.h>

#include "settings/ControlIds.h"
#include "settings/SettingsForm.h"

using namespace add_ids;

TAddForm::~TAddForm() {
  if (font_) DeleteObject(font_);
}

void TAddForm::OnInit() {
  SetWindowTextA(Handle(), Caption());
  SetWindowPos(Handle(), nullptr, 0, 0, 426, 365, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterOnScreen();
  font_ = MakeFont("MS Sans Serif", -11);
  AddControl("Static", Prompt(), WS_VISIBLE | SS_LEFT, 9, 6, 400, 13, TopLabel, font_);
  HWND list = AddControl(WC_LISTVIEWA, "", WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
                         9, 24, 400, 274, List, font_, WS_EX_CLIENTEDGE);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  std::vector<ColumnLayout> columns = Columns();
  for (size_t i = 0; i < columns.size(); ++i) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.fmt = columns[i].format;
    col.cx = columns[i].width;
    col.pszText = const_cast<char*>(columns[i].caption);
    col.iSubItem = static_cast<int>(i);
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
  }
  std::vector<std::vector<std::string>> rows = LoadRows();
  for (size_t r = 0; r < rows.size(); ++r) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(r);
    item.pszText = const_cast<char*>(rows[r][0].c_str());
    int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (int sub = 1; sub < 3; ++sub) {
      LVITEMA text{};
      text.iSubItem = sub;
      text.pszText = const_cast<char*>(rows[r][sub].c_str());
      SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&text));
    }
  }
  AddControl("Button", "OK", WS_VISIBLE | WS_TABSTOP, 246, 306, 79, 25, OKBtn, font_);
  AddControl("Button", "Cancel", WS_VISIBLE | WS_TABSTOP, 330, 306, 79, 25, CancelBtn, font_);
  SetFocus(list);
}

void TAddForm::CloseForm() {
  ShowWindow(Handle(), SW_HIDE);
  FreeRows();
  SendMessageA(Item(List), LVM_DELETEALLITEMS, 0, 0);
  End(0);
}

bool TAddForm::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  if (id == OKBtn) {
    std::vector<int> chosen;
    for (int i = -1;;) {
      i = static_cast<int>(SendMessageA(Item(List), LVM_GETNEXTITEM, i, LVNI_SELECTED));
      if (i < 0) break;
      chosen.push_back(i);
    }
    AppendChosen(chosen);
    CloseForm();
    return true;
  }
  if (id == CancelBtn) {
    CloseForm();
    return true;
  }
  // Enter and Esc: neither button is the default or the cancel button.
  return id == IDOK || id == IDCANCEL;
}

bool TAddForm::OnMessage(UINT msg, WPARAM, LPARAM, INT_PTR& answer) {
  if (msg != WM_CLOSE) return false;
  CloseForm();
  answer = TRUE;
  return true;
}

std::vector<TAddForm::ColumnLayout> TAddSensorForm::Columns() const {
  return {{"Information", 260, LVCFMT_LEFT},
          {"Plugin", 40, LVCFMT_CENTER},
          {"Default Width", 76, LVCFMT_CENTER}};
}

std::vector<std::vector<std::string>> TAddSensorForm::LoadRows() {
  rows_ = SensorChoices(settings_.Settings(), settings_.Plugins());
  std::vector<std::vector<std::string>> texts;
  for (const PanelRow& r : rows_) texts.push_back({r.caption, r.plugin, r.width});
  return texts;
}

void TAddSensorForm::AppendChosen(const std::vector<int>& rows) {
  std::vector<PanelRow> chosen;
  for (int i : rows)
    if (i >= 0 && i < static_cast<int>(rows_.size())) chosen.push_back(rows_[i]);
  if (SettingsForm && !chosen.empty()) SettingsForm->AppendPanels(chosen);
}

std::vector<TAddForm::ColumnLayout> TAddWarningForm::Columns() const {
  return {{"Display Warning When :", 275, LVCFMT_LEFT},
          {"Min Value", 60, LVCFMT_RIGHT},
          {"", 40, LVCFMT_LEFT}};
}

std::vector<std::vector<std::string>> TAddWarningForm::LoadRows() {
  rows_ = WarningChoices(settings_.Settings(), settings_.Plugins());
  std::vector<std::vector<std::string>> texts;
  for (const WarningRow& r : rows_) texts.push_back({r.caption, r.value, r.unit});
  return texts;
}

void TAddWarningForm::AppendChosen(const std::vector<int>& rows) {
  std::vector<WarningRow> chosen;
  for (int i : rows)
    if (i >= 0 && i < static_cast<int>(rows_.size())) chosen.push_back(rows_[i]);
  if (SettingsForm && !chosen.empty()) SettingsForm->AppendWarnings(chosen);
}
