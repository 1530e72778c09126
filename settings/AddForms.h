#pragma once
// TAddForm, the add dialogs: a list of what can be added (the built-in
// catalogue, then the installed plug-ins); OK hands the positions of the
// chosen rows, in list order, to the settings dialog, which appends them to
// its panel or warning list.
#include <functional>
#include <string>
#include <vector>

#include "shared/win32/Dialog.h"

class TAddForm : public Dialog {
 public:
  struct Look {
    const char* caption;
    const char* prompt;
    std::vector<ListView::Column> columns;
  };
  static const Look kSensorLook;
  static const Look kWarningLook;

  using RowTexts = std::vector<std::vector<std::string>>;
  // load gives the rows' texts (caption and two sub-items) when the dialog
  // opens; chosen is called on OK with the positions of the selected rows.
  TAddForm(const Look& look, std::function<RowTexts()> load,
           std::function<void(const std::vector<int>&)> chosen);
  ~TAddForm() override;

 protected:
  void OnInit() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& answer) override;

 private:
  void CloseForm();
  const Look& look_;
  std::function<RowTexts()> load_;
  std::function<void(const std::vector<int>&)> chosen_;
  HFONT font_ = nullptr;
};
