// The "Sensors", "Warnings" and "Plugins" tabs: list views bound to the
// list models, row by row in the same order.
#include <windows.h>
#include <commctrl.h>

#include "settings/AddForms.h"
#include "settings/ControlIds.h"
#include "settings/SettingsForm.h"

using namespace settings_ids;

namespace {

void InsertRow(HWND list, int index, const std::string& caption, const std::string& sub1,
               const std::string& sub2, int subItems) {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<char*>(caption.c_str());
  int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  const std::string* subs[] = {&sub1, &sub2};
  for (int s = 0; s < subItems; ++s) {
    LVITEMA text{};
    text.iSubItem = s + 1;
    text.pszText = const_cast<char*>(subs[s]->c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&text));
  }
}

}  // namespace

void TSettingsForm::InsertPanelRow(int index, const PanelRow& row) {
  InsertRow(Item(SensorList), index, row.caption, row.plugin, row.width, 2);
}

void TSettingsForm::InsertWarningRow(int index, const WarningRow& row) {
  InsertRow(Item(settings_ids::WarningList), index, row.caption, row.value, row.unit, 2);
}

void TSettingsForm::InsertPluginRow(int index, const PluginRow& row) {
  InsertRow(Item(PluginList), index, row.name, row.fileName, std::string(), 1);
}

void TSettingsForm::FillPanelView() {
  panels_.Load(settings_, plugins_);
  SendMessageA(Item(SensorList), LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < panels_.rows.size(); ++i)
    InsertPanelRow(static_cast<int>(i), panels_.rows[i]);
}

void TSettingsForm::FillWarningView() {
  warnings_.Load(settings_, plugins_);
  SendMessageA(Item(settings_ids::WarningList), LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < warnings_.rows.size(); ++i)
    InsertWarningRow(static_cast<int>(i), warnings_.rows[i]);
}

void TSettingsForm::FillPluginView() {
  pluginRows_ = LoadPluginRows(settings_, plugins_);
  SendMessageA(Item(PluginList), LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < pluginRows_.size(); ++i)
    InsertPluginRow(static_cast<int>(i), pluginRows_[i]);
}

std::vector<bool> TSettingsForm::SelectedRows(int listId) const {
  HWND list = Item(listId);
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  std::vector<bool> selected(count > 0 ? count : 0, false);
  for (int i = 0; i < count; ++i)
    selected[i] = (SendMessageA(list, LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  return selected;
}

int TSettingsForm::FocusedRow(int listId) const {
  return static_cast<int>(SendMessageA(Item(listId), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                       LVNI_FOCUSED));
}

void TSettingsForm::SetListText(int listId, int row, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(Item(listId), LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void TSettingsForm::RemoveViewRows(int listId, const std::vector<bool>& selected) {
  for (int i = static_cast<int>(selected.size()) - 1; i >= 0; --i)
    if (selected[i]) SendMessageA(Item(listId), LVM_DELETEITEM, i, 0);
}

void TSettingsForm::AppendPanels(const std::vector<PanelRow>& rows) {
  size_t first = panels_.rows.size();
  size_t added = panels_.Append(rows);
  for (size_t i = 0; i < added; ++i)
    InsertPanelRow(static_cast<int>(first + i), panels_.rows[first + i]);
}

void TSettingsForm::AppendWarnings(const std::vector<WarningRow>& rows) {
  size_t first = warnings_.rows.size();
  size_t added = warnings_.Append(rows);
  for (size_t i = 0; i < added; ++i)
    InsertWarningRow(static_cast<int>(first + i), warnings_.rows[first + i]);
}

void TSettingsForm::SensorAddClick() {
  TAddSensorForm form(*this);
  form.RunModal(Handle());
}

void TSettingsForm::WarningAddClick() {
  TAddWarningForm form(*this);
  form.RunModal(Handle());
}

void TSettingsForm::SensorRemoveClick() {
  std::vector<bool> selected = SelectedRows(SensorList);
  panels_.Remove(selected);
  RemoveViewRows(SensorList, selected);
}

void TSettingsForm::WarningRemoveClick() {
  std::vector<bool> selected = SelectedRows(settings_ids::WarningList);
  warnings_.Remove(selected);
  RemoveViewRows(settings_ids::WarningList, selected);
}

void TSettingsForm::MoveClick(bool up) {
  int from = FocusedRow(SensorList);
  int to = up ? panels_.MoveUp(from) : panels_.MoveDown(from);
  if (to < 0) return;
  for (int row : {from, to}) {
    const PanelRow& r = panels_.rows[row];
    SetListText(SensorList, row, 0, r.caption);
    SetListText(SensorList, row, 1, r.plugin);
    SetListText(SensorList, row, 2, r.width);
  }
  // The focus follows the moved row; the selection stays where it was.
  LVITEMA state{};
  state.stateMask = LVIS_FOCUSED;
  state.state = LVIS_FOCUSED;
  SendMessageA(Item(SensorList), LVM_SETITEMSTATE, to, reinterpret_cast<LPARAM>(&state));
}

void TSettingsForm::WidthClick(int delta) {
  int row = FocusedRow(SensorList);
  if (panels_.StepWidth(row, delta)) SetListText(SensorList, row, 2, panels_.rows[row].width);
}

void TSettingsForm::ValueClick(bool up) {
  int row = FocusedRow(settings_ids::WarningList);
  if (warnings_.StepValue(row, up)) SetListText(settings_ids::WarningList, row, 1, warnings_.rows[row].value);
}

void TSettingsForm::PluginInstallClick() {
  // Cancelling the file dialog installs nothing, even after an earlier choice.
  if (!dialogs_.PickPluginFile(Handle(), pluginFileName_)) return;
  InstallDecision d = DecideInstall(settings_, plugins_, pluginFileName_);
  if (d.kind == InstallDecision::Refuse) {
    MessageBoxA(Handle(), d.message.c_str(), "Corvella", MB_ICONWARNING | MB_OK);
    return;
  }
  if (d.kind != InstallDecision::Install) return;
  if (!d.copyTo.empty()) CopyFileA(pluginFileName_.c_str(), d.copyTo.c_str(), FALSE);
  PluginRow row = RecordInstall(settings_, plugins_, d, pluginFileName_);
  pluginRows_.push_back(row);
  InsertPluginRow(static_cast<int>(pluginRows_.size()) - 1, row);
}

void TSettingsForm::PluginRemoveClick() {
  int row = static_cast<int>(SendMessageA(Item(PluginList), LVM_GETNEXTITEM,
                                          static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (row < 0 || row >= static_cast<int>(pluginRows_.size())) return;
  if (MessageBoxA(Handle(), "Are you sure you want to Remove this Plugin?", "Corvella",
                  MB_YESNO | MB_ICONWARNING) != IDYES)
    return;
  RemovePlugin(settings_, pluginRows_[row].position, pluginRows_, panels_, warnings_);
  // Rebuild the three views from the models (rows dropped, numbers moved).
  SendMessageA(Item(PluginList), LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < pluginRows_.size(); ++i) InsertPluginRow(static_cast<int>(i), pluginRows_[i]);
  SendMessageA(Item(SensorList), LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < panels_.rows.size(); ++i) InsertPanelRow(static_cast<int>(i), panels_.rows[i]);
  SendMessageA(Item(settings_ids::WarningList), LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < warnings_.rows.size(); ++i)
    InsertWarningRow(static_cast<int>(i), warnings_.rows[i]);
}

void TSettingsForm::PluginSettingsClick() {
  int row = static_cast<int>(SendMessageA(Item(PluginList), LVM_GETNEXTITEM,
                                          static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (row < 0 || row >= static_cast<int>(pluginRows_.size())) return;
  plugins_.ShowSettings(InstalledPluginPath(settings_, pluginRows_[row].position));
}
