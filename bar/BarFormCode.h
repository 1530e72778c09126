#pragma once
// The bar window (TBarForm): its window, pop-up menu and hot keys, the
// start-up sequence (FormCreate), ApplySettings and the commands start-up
// runs. Panels, warnings, the display thread and the placement come from
// BarParts.
#include <windows.h>

#include <memory>
#include <string>

#include "bar/BarMenu.h"
#include "bar/BarParts.h"
#include "bar/core/ApplySettings.h"
#include "shared/win32/Library.h"

constexpr const char* kBarClassName = "TBarForm";
constexpr const char* kBarCaption = "Corvella";
constexpr const char* kVersionText = "1.6";

class TBarForm : private SettingsSteps {
 public:
  explicit TBarForm(BarParts& parts);
  ~TBarForm() override;
  TBarForm(const TBarForm&) = delete;
  TBarForm& operator=(const TBarForm&) = delete;

  // Creates the window, owned by the application window (so the bar has no
  // taskbar button of its own), and runs FormCreate. False when the window
  // cannot be created.
  bool Create(HWND applicationWindow);
  HWND Handle() const { return hwnd_; }

  // Reads and applies every general setting (true from FormCreate, false
  // after the settings dialog).
  void ApplySettings(bool atStartUp);

  // Commands.
  void BarTopMenuClick();
  void BarBottomMenuClick();
  void BarFloatMenuClick();
  void MinimiseMenuClick();
  void OnTopMenuClick();
  void PauseMenuClick();
  void SetOnTop(bool on);
  // Runs the exit sequence and destroys the window.
  void Close();

  HMENU PopupMenu() const { return menu_; }
  bool Checked(UINT item) const;
  void SetChecked(UINT item, bool checked);
  bool AutoHideTimerEnabled() const { return autoHideTimer_; }

  PanelRow* Panels() const { return panels_.get(); }
  WarningList* Warnings() const { return warnings_.get(); }
  DisplayThread* Thread() const { return displayThread_.get(); }

  // Fields shared with the placement and the panels.
  TBarPosition Position = bpNone;
  RECT DockRect{};
  int32_t ResizeGrip = 0;
  bool LogAll = false;
  bool TitleBarShown = true;
  int32_t BarHeight = 0;
  bool Hiding = false;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
  LRESULT Dispatch(UINT msg, WPARAM w, LPARAM l);
  void FormCreate();
  void FormCloseQuery();
  void OnCommand(UINT id);
  void OnHotKey(int id);
  void PositionCommand(UINT item, TBarPosition position);

  // SettingsSteps.
  void InitBuiltIns(bool atStartUp) override;
  void SetAutoHide(bool on) override;
  void SetLogAll(bool on) override { LogAll = on; }
  void ApplyHotKeys(const HotKeyPlan& plan) override;
  void SetProcessPriority(uint32_t priorityClass) override;
  void SetMainThreadPriority(int priority) override;
  void SetDisplayThreadPriority(int priority) override;
  void LoadPanels() override;
  void LoadWarnings() override;
  void RunPositionCommand(TBarPosition position) override;
  void SetOnTopChecked(bool checked) override { SetChecked(OnTopMenu, checked); }
  void RunOnTopCommand() override { OnTopMenuClick(); }
  void SetDisplayInterval(int32_t ms) override;
  bool IsMinimised() override { return Checked(MinimiseMenu); }
  void HideAndShow() override;
  void ShowError(const std::string& message, const std::string& code,
                 const std::string& description) override;

  BarParts& parts_;
  HWND hwnd_ = nullptr;
  HMENU menu_ = nullptr;
  bool autoHideTimer_ = false;
  bool closed_ = false;
  Library rasLibrary_;
  std::unique_ptr<PanelRow> panels_;
  std::unique_ptr<WarningList> warnings_;
  std::unique_ptr<DisplayThread> displayThread_;
  std::unique_ptr<BarPlacement> placement_;
};

// The one bar window of the program, or nullptr.
extern TBarForm* BarForm;

// Timer ids of the bar window.
enum BarTimer : UINT_PTR { DisplayTimer = 1, ResizeTimer = 2, SettingsTimer = 3, AutoHideTimer = 4 };
