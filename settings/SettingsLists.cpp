// The "Sensors", "Warnings" and "Plugins" tabs: list views bound to the
// list models, row by row in the same order.
#include <windows.h>
#include <commctrl.h>

#include "settings/ControlIds.h"
#include "settings/SettingsForm.h"

using namespace settings_ids;

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

// Runs an add dialog over the choices (asked when it opens); the chosen rows
// go to the running settings dialog's list, appended up to its limit.
template <class Model>
void TSettingsForm::AddRows(Model TSettingsForm::*list, int listId, const TAddForm::Look& look,
                            decltype(Model::rows) (*choices)(PluginContract&)) {
  decltype(Model::rows) rows;
  TAddForm form(
      look,
      [&] {
        rows = choices(plugins_);
        TAddForm::RowTexts texts;
        for (const auto& r : rows) texts.push_back(r.Texts());
        return texts;
      },
      [&](const std::vector<int>& positions) {
        if (!SettingsForm) return;
        decltype(Model::rows) chosen;
        for (int i : positions)
          if (i >= 0 && i < static_cast<int>(rows.size())) chosen.push_back(rows[i]);
        Model& target = SettingsForm->*list;
        const size_t first = target.rows.size(), added = target.Append(chosen);
        for (size_t i = 0; i < added; ++i)
          SettingsForm->InsertRow(listId, static_cast<int>(first + i));
      });
  form.RunModal(Handle());
}

template <class Model>
void TSettingsForm::RemoveRows(Model& list, int listId) {
  const std::vector<bool> selected = View(listId).Selected();
  list.Remove(selected);
  View(listId).DeleteRows(selected);
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

bool TSettingsForm::OnListCommand(int id) {
  switch (id) {
    case SensorAddBtn:
      AddRows(&TSettingsForm::panels_, SensorList, TAddForm::kSensorLook, &SensorChoices);
      return true;
    case SensorRemoveBtn: RemoveRows(panels_, SensorList); return true;
    case MoveUpBtn: MoveClick(true); return true;
    case MoveDownBtn: MoveClick(false); return true;
    case WidthMinusBtn: WidthClick(-1); return true;
    case WidthPlusBtn: WidthClick(+1); return true;
    case WarningAddBtn:
      AddRows(&TSettingsForm::warnings_, settings_ids::WarningList, TAddForm::kWarningLook,
              &WarningChoices);
      return true;
    case WarningRemoveBtn: RemoveRows(warnings_, settings_ids::WarningList); return true;
    case ValueMinusBtn: ValueClick(false); return true;
    case ValuePlusBtn: ValueClick(true); return true;
    case PluginInstallBtn: PluginInstallClick(); return true;
    case PluginRemoveBtn: PluginRemoveClick(); return true;
    case PluginSettingsBtn: PluginSettingsClick(); return true;
    default: return false;
  }
}
