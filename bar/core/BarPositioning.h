#pragma once
// Where the bar stands and how it gets there (portable): the four positions
// with the shell's application bar, the auto-hide decision, auto-hide
// shrinking, the title bar and the docking timer, over the bar window and the
// shell's application bar.
#include <cstdint>
#include <string>

#include "bar/core/BarWindow.h"

// The shell's application-bar calls for this window.
class AppBarShell {
 public:
  virtual ~AppBarShell() = default;
  // ABM_NEW with the bar's callback message, then ABM_ACTIVATE.
  virtual void Register() = 0;
  virtual void Remove() = 0;                           // ABM_REMOVE
  virtual void QueryPos(int edge, EdgeRect& r) = 0;    // ABM_QUERYPOS
  virtual void SetPos(int edge, EdgeRect& r) = 0;      // ABM_SETPOS
  virtual void SetAutoHideBar(int edge, bool on) = 0;  // ABM_SETAUTOHIDEBAR
  // ABM_GETAUTOHIDEBAR: another window holds the auto-hide place of the edge.
  virtual bool OtherAutoHideBar(int edge) = 0;
};

// Window style bits the title-bar rules look at (Win32's values).
constexpr uint32_t kStyleBorder = 0x00800000;     // WS_BORDER
constexpr uint32_t kStyleDlgFrame = 0x00400000;   // WS_DLGFRAME
constexpr uint32_t kStyleCaption = 0x00C00000;    // WS_CAPTION = border + dialog frame
constexpr uint32_t kStyleModalFrame = 0x00000080; // DS_MODALFRAME

// A style change of the title bar and how the window moves with it.
struct TitleBarChange {
  bool Changed = false;
  uint32_t Style = 0;
  int32_t HeightDelta = 0;
  int32_t TopDelta = 0;
};
// Hiding: the caption goes, the window loses the caption height and its top
// moves down by 19. Showing: the reverse. Nothing when already so.
TitleBarChange TitlebarChange(bool show, uint32_t style, BorderKind border,
                              int32_t captionHeight);

constexpr const char* kAutoHideRefusal =
    "A toolbar is already hidden on this side of your screen.\r\n"
    "You can have only one auto-hide toolbar per side.";

class BarPositioner {
 public:
  BarPositioner(BarWindow& bar, AppBarShell& shell) : bar_(bar), shell_(shell) {}

  // Applies position p (0: the current one again). Any error is fatal ("04.").
  void SetBarPosition(TBarPosition p);
  void RegisterAppBar(bool on);
  // Shows or hides the title bar; TitleBarShown follows.
  void ShowTitlebar(bool show);
  // Every 10 ms while the docked window is on its way to DockRect.
  void DisplayTimerTick();
  // Every second while auto-hide is on; the cursor in screen coordinates.
  void AutoHideTick(int32_t cursorX, int32_t cursorY);

 private:
  void Dock(TBarPosition p, const MonitorRect& m);
  bool AutoHideDecision(int edge);
  void CheckOnly(BarMenuItem item);
  void SaveBarPosition(const char* word);

  BarWindow& bar_;
  AppBarShell& shell_;
};
