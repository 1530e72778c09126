#pragma once
// TSettingsForm: the settings dialog. Seven tabs of controls created in
// pixels; the values behind them live in the portable models
// (settings/core), which also decide what Apply writes and in which order.
#include <windows.h>

#include <string>
#include <vector>

#include "settings/AddForms.h"
#include "settings/core/GeneralSettings.h"
#include "shared/VBFunctions.h"
#include "shared/win32/Dialog.h"

class TUrlLabel;

// The common dialogs the settings dialog opens: the library's entry point
// hands it the system's, a test its own.
class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;
  // Opens the colour dialog with colour; true and the new colour on OK.
  virtual bool PickColour(HWND owner, COLORREF& colour) = 0;
  // Opens the font dialog (no size limits) with the font and its colour;
  // true and the new font on OK.
  virtual bool PickFont(HWND owner, LOGFONTA& font, COLORREF& colour) = 0;
  // Opens the file-open dialog for plug-ins with fileName as the current
  // name; fileName is the dialog's current name afterwards. True on OK.
  virtual bool PickPluginFile(HWND owner, std::string& fileName) = 0;
};

class TSettingsForm : public Dialog {
 public:
  TSettingsForm(PluginContract& plugins, CommonDialogs& dialogs);
  ~TSettingsForm() override;

  static constexpr int kPageCount = 7;

 protected:
  void OnInit() override;
  void OnOK() override;
  bool OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* header) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& answer) override;

 private:
  // Layout (SettingsPages.cpp).
  void CreatePages();
  HWND Add(int page, const char* cls, const std::string& text, DWORD style, int x, int y, int w,
           int h, int id, DWORD exStyle = 0);
  void Group(int page, const char* caption, int x, int y, int w, int h, int id,
             const char* icon);
  void Combo(int page, int id, int x, int y, int w, const char* const* items, int count);
  void List(int page, int id, int x, int y, int w, int h, DWORD style,
            const std::vector<ListView::Column>& columns);
  void EditButtons(int page, int y, int addId, int removeId);
  void Stepper(int page, const char* caption, int y, int groupId, int minusId, int plusId);
  void ShowPage(int page);

  // Loading and applying (SettingsForm.cpp).
  void FormShow();
  void LoadStartupCheck();
  void WriteStartupEntry();
  GeneralSettings ReadControls();
  void Apply();
  void SetRadio(int id);

  // Reactions.
  void PositionClick();
  void AllLogRadioClick();
  void UpdateComboChange();
  void AutoResizeCheckClick();
  void PriorityChange();
  void ShadePanelClick();
  void FontSelectBtnClick();
  void SetShadeColour(int32_t colour);
  void SetSensorFont(const SensorFont& font);

  // The three lists (SettingsLists.cpp); the buttons of their tabs.
  bool OnListCommand(int id);
  ListView View(int listId) const { return ListView(Item(listId)); }
  // The view of a list from its model: one row, all rows.
  void InsertRow(int listId, int index);
  void ShowRows(int listId);
  template <class Model>
  void AddRows(Model TSettingsForm::*list, int listId, const TAddForm::Look& look,
               decltype(Model::rows) (*choices)(PluginContract&));
  template <class Model>
  void RemoveRows(Model& list, int listId);
  void MoveClick(bool up);
  void WidthClick(int delta);
  void ValueClick(bool up);
  void PluginInstallClick();
  void PluginRemoveClick();
  void PluginSettingsClick();

  RegistrySettings settings_;
  PluginContract& plugins_;
  CommonDialogs& dialogs_;
  PanelList panels_;
  WarningList warnings_;
  std::vector<PluginRow> pluginRows_;
  std::string pluginFileName_;  // the file-open dialog's last name
  bool resizeConfirmed_ = false;
  bool loading_ = false;

  std::vector<HWND> pages_[kPageCount];
  HFONT font_ = nullptr;          // MS Sans Serif 8 for every control
  HFONT sensorFont_ = nullptr;    // the font panel's font
  SensorFont sensorFontValue_;
  int32_t shadeColour_ = 16744576;
  HBRUSH shadeBrush_ = nullptr;
  HBITMAP preview_ = nullptr;
  std::vector<HICON> icons_;
  TUrlLabel* pluginUrl_ = nullptr;
};

// The running settings form while RunSettingsForm runs, else none.
extern TSettingsForm* SettingsForm;

// Creates the form with no owner, runs it modally and frees it.
void RunSettingsForm(PluginContract& plugins, CommonDialogs& dialogs);
