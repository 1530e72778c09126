#pragma once
// The add dialogs: TAddForm lists what can be added (the built-in catalogue,
// then the installed plug-ins) and appends the chosen rows, in list order,
// to the running settings dialog's panel or warning list.
#include <string>
#include <vector>

#include "settings/core/EditLists.h"
#include "shared/win32/Dialog.h"

class TSettingsForm;

class TAddForm : public Dialog {
 public:
  explicit TAddForm(TSettingsForm& settings);
  ~TAddForm() override;

 protected:
  DWORD FrameStyle() const override { return WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK; }
  void OnInit() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& answer) override;

  virtual const char* Caption() const = 0;
  virtual const char* Prompt() const = 0;
  virtual std::vector<ListView::Column> Columns() const = 0;
  // Fills the rows and answers their texts (caption and two sub-items).
  virtual std::vector<std::vector<std::string>> LoadRows() = 0;
  // Appends the rows at these positions to the settings dialog.
  virtual void AppendChosen(const std::vector<int>& rows) = 0;
  virtual void FreeRows() = 0;

  TSettingsForm& settings_;

 private:
  void CloseForm();
  HFONT font_ = nullptr;
};

class TAddSensorForm : public TAddForm {
 public:
  using TAddForm::TAddForm;

 protected:
  const char* Caption() const override { return "Add Sensor"; }
  const char* Prompt() const override {
    return "Please Select a Sensor from the List Below and Click OK to Add:";
  }
  std::vector<ListView::Column> Columns() const override;
  std::vector<std::vector<std::string>> LoadRows() override;
  void AppendChosen(const std::vector<int>& rows) override;
  void FreeRows() override { rows_.clear(); }

 private:
  std::vector<PanelRow> rows_;
};

class TAddWarningForm : public TAddForm {
 public:
  using TAddForm::TAddForm;

 protected:
  const char* Caption() const override { return "Add Warning"; }
  const char* Prompt() const override {
    return "Please Select a Warning from the List Below and Click OK to Add:";
  }
  std::vector<ListView::Column> Columns() const override;
  std::vector<std::vector<std::string>> LoadRows() override;
  void AppendChosen(const std::vector<int>& rows) override;
  void FreeRows() override { rows_.clear(); }

 private:
  std::vector<WarningRow> rows_;
};
