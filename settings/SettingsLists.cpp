// The "Sensors", "Warnings" and "Plugins" tabs: list views bound to the
// list models, row by row in the same order.
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "settings/AddForms.h"
#include "settings/ControlIds.h"
#include "settings/SettingsForm.h"

using namespace settings_ids;

namespace {

// Runs an add dialog over the rows choices gives when it opens; the chosen
// ones go to the running settings dialog through append.
template <class Row>
void RunAddForm(HWND owner, const TAddForm::Look& look, std::function<std::vector<Row>()> choices,
                void (TSettingsForm::*append)(const std::vector<Row>&)) {
  std::vector<Row> rows;
  TAddForm form(
      look,
      [&] {
        rows = choices();
        TAddForm::RowTexts texts;
        for (const Row& r : rows) texts.push_back(r.Texts());
        return texts;
      },
      [&](const std::vector<int>& positions) {
        std::vector<Row> chosen;
        for (int i : positions)
          if (i >= 0 && i < static_cast<int>(rows.size())) chosen.push_back(rows[i]);
        if (SettingsForm) (SettingsForm->*append)(chosen);
      });
  form.RunModal(owner);
}

}  // namespace

void DiscardPluginIcon(BitmapHandle icon) { DeleteObject(static_cast<HGDIOBJ>(icon)); }

void TSettingsForm::InsertRow(int listId, int index) {
  if (listId == SensorList) {
    View(listId).InsertRow(index, panels_.rows[index].Texts());
  } else if (listId == settings_ids::WarningList) {
    View(listId).InsertRow(index, warnings_.rows[index].Texts());
  } else {
    View(listId).InsertRow(index, {pluginRows_[index].name, pluginRows_[index].fileName});
  }
}

void TSettingsForm::ShowRows(int listId) {
  View(listId).Clear();
  const size_t count = listId == SensorList                   ? panels_.rows.size()
                       : listId == settings_ids::WarningList ? warnings_.rows.size()
                                                              : pluginRows_.size();
  for (size_t i = 0; i < count; ++i) InsertRow(listId, static_cast<int>(i));
}

void TSettingsForm::FillPanelView() {
  panels_.Load(plugins_);
  ShowRows(SensorList);
}

void TSettingsForm::FillWarningView() {
  warnings_.Load(plugins_);
  ShowRows(settings_ids::WarningList);
}

void TSettingsForm::FillPluginView() {
  pluginRows_ = LoadPluginRows(plugins_);
  ShowRows(PluginList);
}

void TSettingsForm::AppendPanels(const std::vector<PanelRow>& rows) {
  size_t first = panels_.rows.size();
  size_t added = panels_.Append(rows);
  for (size_t i = 0; i < added; ++i) InsertRow(SensorList, static_cast<int>(first + i));
}

void TSettingsForm::AppendWarnings(const std::vector<WarningRow>& rows) {
  size_t first = warnings_.rows.size();
  size_t added = warnings_.Append(rows);
  for (size_t i = 0; i < added; ++i)
    InsertRow(settings_ids::WarningList, static_cast<int>(first + i));
}

void TSettingsForm::SensorAddClick() {
  RunAddForm<PanelRow>(Handle(), TAddForm::kSensorLook,
                       [this] { return SensorChoices(plugins_); },
                       &TSettingsForm::AppendPanels);
}

void TSettingsForm::WarningAddClick() {
  RunAddForm<WarningRow>(Handle(), TAddForm::kWarningLook,
                         [this] { return WarningChoices(plugins_); },
                         &TSettingsForm::AppendWarnings);
}

void TSettingsForm::SensorRemoveClick() {
  const std::vector<bool> selected = View(SensorList).Selected();
  panels_.Remove(selected);
  View(SensorList).DeleteRows(selected);
}

void TSettingsForm::WarningRemoveClick() {
  const std::vector<bool> selected = View(settings_ids::WarningList).Selected();
  warnings_.Remove(selected);
  View(settings_ids::WarningList).DeleteRows(selected);
}

void TSettingsForm::MoveClick(bool up) {
  const ListView view = View(SensorList);
  const int from = view.Next(-1, LVNI_FOCUSED);
  int to = up ? panels_.MoveUp(from) : panels_.MoveDown(from);
  if (to < 0) return;
  for (int row : {from, to}) {
    const std::vector<std::string> texts = panels_.rows[row].Texts();
    for (int column = 0; column < 3; ++column) view.SetCell(row, column, texts[column]);
  }
  // The focus follows the moved row; the selection stays where it was.
  view.SetFocusedRow(to);
}

void TSettingsForm::WidthClick(int delta) {
  const int row = View(SensorList).Next(-1, LVNI_FOCUSED);
  if (panels_.StepWidth(row, delta)) View(SensorList).SetCell(row, 2, panels_.rows[row].width);
}

void TSettingsForm::ValueClick(bool up) {
  const ListView view = View(settings_ids::WarningList);
  const int row = view.Next(-1, LVNI_FOCUSED);
  if (warnings_.StepValue(row, up)) view.SetCell(row, 1, warnings_.rows[row].value);
}

void TSettingsForm::PluginInstallClick() {
  // Cancelling the file dialog installs nothing, even after an earlier choice.
  if (!dialogs_.PickPluginFile(Handle(), pluginFileName_)) return;
  InstallDecision d = DecideInstall(plugins_, pluginFileName_);
  if (d.kind == InstallDecision::Refuse) {
    MessageBoxA(Handle(), d.message.c_str(), "Corvella", MB_ICONWARNING | MB_OK);
    return;
  }
  if (d.kind != InstallDecision::Install) return;
  if (!d.copyTo.empty()) CopyFileA(pluginFileName_.c_str(), d.copyTo.c_str(), FALSE);
  PluginRow row = RecordInstall(plugins_, d, pluginFileName_);
  pluginRows_.push_back(row);
  InsertRow(PluginList, static_cast<int>(pluginRows_.size()) - 1);
}

void TSettingsForm::PluginRemoveClick() {
  const int row = View(PluginList).Next(-1, LVNI_SELECTED);
  if (row < 0 || row >= static_cast<int>(pluginRows_.size())) return;
  if (MessageBoxA(Handle(), "Are you sure you want to Remove this Plugin?", "Corvella",
                  MB_YESNO | MB_ICONWARNING) != IDYES)
    return;
  RemovePlugin(settings_, pluginRows_[row].position, pluginRows_, panels_, warnings_);
  // Rebuild the three views from the models (rows dropped, numbers moved).
  ShowRows(PluginList);
  ShowRows(SensorList);
  ShowRows(settings_ids::WarningList);
}

void TSettingsForm::PluginSettingsClick() {
  const int row = View(PluginList).Next(-1, LVNI_SELECTED);
  if (row < 0 || row >= static_cast<int>(pluginRows_.size())) return;
  plugins_.ShowPluginSettings(plugins_.PluginPath(pluginRows_[row].position));
}
