#pragma once
// A bar window and shell in memory for the native tests of the positioning
// and the commands.
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

// The bar window of the native tests (its definitions are in FakeBar.cpp):
// it keeps bounds, style, check marks, timers and settings, and records what
// was asked of it.
class FakeBar : public BarWindow {
 public:
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
