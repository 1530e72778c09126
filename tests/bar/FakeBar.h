#pragma once
// A bar window and shell in memory for the native tests of the positioning
// and the commands: it keeps bounds, style, check marks, timers and settings,
// and records what was asked of it.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bar/core/BarCommands.h"
#include "bar/core/BarPositioning.h"
#include "shared/core/CvlError.h"
#include "tests/fakes/MemorySettings.h"

class FakeShell : public AppBarShell {
 public:
  void Register() override { log.push_back("register"); }
  void Remove() override { log.push_back("remove"); }
  void QueryPos(int edge, EdgeRect& r) override {
    log.push_back("query " + std::to_string(edge));
    if (failQuery) throw CvlError("Range check error");
    if (edge == 1) r.Top += reservedTop;  // another bar holds the top strip
  }
  void SetPos(int edge, EdgeRect& r) override {
    log.push_back("setpos " + std::to_string(edge));
    setPos.push_back(r);
  }
  void SetAutoHideBar(int edge, bool on) override {
    log.push_back("autohide " + std::to_string(edge) + (on ? " on" : " off"));
  }
  bool OtherAutoHideBar(int) override { return otherAutoHide; }

  std::vector<std::string> log;
  std::vector<EdgeRect> setPos;
  bool otherAutoHide = false;
  bool failQuery = false;
  int32_t reservedTop = 0;
};

class FakeBar : public BarControls {
 public:
  // BarSurface.
  BarFields& Fields() override { return fields; }
  SettingsSource& Settings() override { return settings; }
  MonitorRect Monitor() override { return monitor; }
  BarBounds Bounds() override { return bounds; }
  bool Visible() override { return visible; }
  int32_t ClientWidth() override { return bounds.Width - 6; }
  void SetBounds(const BarBounds& b) override {
    bounds = b;
    moves.push_back(b);
  }
  void ShowBar() override {
    visible = true;
    log.push_back("show");
  }
  void HideBar() override {
    visible = false;
    log.push_back("hide");
  }
  void SetCaption(const std::string& c) override { caption = c; }
  uint32_t Style() override { return style; }
  void SetStyle(uint32_t s) override { style = s; }
  BorderKind Border() override { return BorderKind::Dialog; }
  int32_t CaptionHeight() override { return 18; }
  int32_t Arrange(int32_t width) override {
    arrangedFor.push_back(width);
    return width < 500 ? 62 : 34;  // two rows when narrow
  }
  bool Checked(BarMenuItem item) override { return checks[item]; }
  void SetChecked(BarMenuItem item, bool on) override { checks[item] = on; }
  void SetTrayIcon(bool show) override { tray = show; }
  void SetDisplayTimer(bool on) override { displayTimer = on; }
  void SetAutoHideTimer(bool on) override { autoHideTimer = on; }
  void ShowAutoHideRefusal(const std::string& text) override { boxes.push_back(text); }
  void ShowFatalError(const std::string& m, const std::string& c,
                      const std::string& d) override {
    boxes.push_back(m + " Error Code: " + c + " Description: " + d);
  }
  void RunPauseCommand() override { log.push_back("pause command"); }

  // BarControls.
  void PauseThread() override {
    ++pauses;
    log.push_back("pause");
  }
  void PauseThreadMuted() override {
    ++pauses;
    log.push_back("pause muted");
  }
  void ResumeThread() override {
    --pauses;
    log.push_back("resume");
  }
  bool ThreadPaused() override { return pauses > 0; }
  void RefreshNow() override { log.push_back("refresh pass"); }
  void StopThread() override { log.push_back("stop"); }
  void ShowPanelsPaused() override { log.push_back("panels paused"); }
  void FreePanels() override { log.push_back("free panels"); }
  void ApplySettings(bool) override {
    log.push_back("apply settings");
    if (failApply) throw CvlError("apply failed");
    reloadWaiting = passUnderWay;
  }
  bool ApplyingSettings() override { return applying; }
  bool ReloadWaiting() override { return reloadWaiting; }
  bool SettingsTimerEnabled() override { return settingsTimer; }
  void SetSettingsTimer(bool on) override {
    settingsTimer = on;
    log.push_back(on ? "settings timer on" : "settings timer off");
  }
  bool AutoHideTimerEnabled() override { return autoHideTimer; }
  void SetResizeTimer(bool on) override { resizeTimer = on; }
  void ShowSettingsDialog() override {
    log.push_back("settings dialog");
    if (whileDialogOpen) whileDialogOpen();
  }
  void ShowAboutBox(const AboutTexts& t) override { log.push_back(std::string("about ") + t.Name); }
  bool ShellOpen(const std::string& target) override {
    opened.push_back(target);
    return shellWorks;
  }
  void ShowFailure(const std::string& text) override { boxes.push_back(text); }
  void OpenPopupMenu() override { log.push_back("menu"); }
  bool Closed() override { return closed; }
  void SetOnTop(bool on) override { log.push_back(on ? "topmost" : "not topmost"); }
  void SetSizingCursor(bool s) override { sizing = s; }
  int32_t CursorScreenX() override { return cursorX; }
  void ReleaseDialUpLibrary() override { log.push_back("release dial-up"); }
  void UnregisterHotKeys() override { log.push_back("unregister hot keys"); }
  void BeepAndTerminate() override { log.push_back("beep and terminate"); }

  BarFields fields;
  MemorySettings settings;
  MonitorRect monitor{0, 0, 1024, 768};
  BarBounds bounds{688, 77, 234, 59};
  bool visible = true;
  std::string caption = "Corvella";
  // A window with the dialog border and its caption.
  uint32_t style = 0x80000000u | kStyleCaption;
  std::map<BarMenuItem, bool> checks;
  bool tray = false, displayTimer = false, autoHideTimer = false, settingsTimer = false;
  bool resizeTimer = false, sizing = false, closed = false, shellWorks = true;
  bool failApply = false, applying = false;
  // A pass under way (an alert box open) makes a reload wait for its end.
  bool passUnderWay = false, reloadWaiting = false;
  int pauses = 0;
  int32_t cursorX = 0;
  std::vector<int32_t> arrangedFor;
  std::vector<BarBounds> moves;
  std::vector<std::string> log, boxes, opened;
  std::function<void()> whileDialogOpen;
};

// The one checked position item, or "none" / "several".
inline std::string CheckedPosition(FakeBar& bar) {
  std::string found = "none";
  int n = 0;
  for (auto item : {BarFloatMenu, BarTopMenu, BarBottomMenu, MinimiseMenu}) {
    if (!bar.Checked(item)) continue;
    ++n;
    found = item == BarFloatMenu ? "float" : item == BarTopMenu ? "top"
          : item == BarBottomMenu ? "bottom" : "minimise";
  }
  return n > 1 ? "several" : found;
}
