#pragma once
// The add dialogs: TAddForm lists what can be added (the built-in catalogue,
// then the installed plug-ins) and appends the chosen rows, in list order,
// to the running settings dialog's panel or warning list.
#include <string>
#include <utility>
#include <vector>

#include "settings/core/GeneralSettings.h"
#include "shared/win32/Dialog.h"

class TSettingsForm;

class TAddForm : public Dialog {
 public:
  struct Look {
    const char* caption;
    const char* prompt;
    std::vector<ListView::Column> columns;
  };
  TAddForm(TSettingsForm& settings, Look look);
  ~TAddForm() override;

 protected:
  DWORD FrameStyle() const override { return WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK; }
  void OnInit() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& answer) override;

  // Fills the rows and answers their texts (caption and two sub-items).
  virtual std::vector<std::vector<std::string>> LoadRows() = 0;
  // Appends the rows at these positions to the settings dialog.
  virtual void AppendChosen(const std::vector<int>& rows) = 0;
  virtual void FreeRows() = 0;

  TSettingsForm& settings_;

 private:
  void CloseForm();
  Look look_;
  HFONT font_ = nullptr;
};

// The two add dialogs: their look, where their rows come from and where the
// chosen ones go.
template <class Row>
class TAddRowsForm : public TAddForm {
 public:
  using Choices = std::vector<Row> (*)(SettingsSource&, PluginQueries&);
  using Append = void (TSettingsForm::*)(const std::vector<Row>&);
  TAddRowsForm(TSettingsForm& settings, Look look, Choices choices, Append append)
      : TAddForm(settings, std::move(look)), choices_(choices), append_(append) {}

 protected:
  std::vector<std::vector<std::string>> LoadRows() override;
  void AppendChosen(const std::vector<int>& rows) override;
  void FreeRows() override { rows_.clear(); }

 private:
  Choices choices_;
  Append append_;
  std::vector<Row> rows_;
};

class TAddSensorForm : public TAddRowsForm<PanelRow> {
 public:
  explicit TAddSensorForm(TSettingsForm& settings);
};

class TAddWarningForm : public TAddRowsForm<WarningRow> {
 public:
  explicit TAddWarningForm(TSettingsForm& settings);
};
