#pragma once
// Where the bar stands and how it gets there (portable): the four positions
// with the shell's application bar, the auto-hide decision, auto-hide
// shrinking, the title bar and the docking timer. The window and the shell
// are reached through BarSurface and AppBarShell, so the rules run the same
// against the real window and in native tests against fakes.
#include <cstdint>
#include <string>

#include "bar/core/BarFields.h"
#include "shared/core/GlobalTypes.h"
#include "shared/core/SettingsSource.h"

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

enum class BorderKind { None, Single, Sizeable, Dialog };

// A style change of the title bar and how the window moves with it.
struct TitleBarChange {
  bool Changed = false;
  uint32_t Style = 0;
  int32_t HeightDelta = 0;
  int32_t TopDelta = 0;
};
// Hiding: the caption goes, the window loses the caption height and its top
// moves down by 19. Showing: the reverse. Nothing when already so.
TitleBarChange HideTitlebarChange(uint32_t style, BorderKind border, int32_t captionHeight);
TitleBarChange ShowTitlebarChange(uint32_t style, BorderKind border, int32_t captionHeight);

// The window and the bar's state as the positioning logic needs them.
class BarSurface {
 public:
  virtual ~BarSurface() = default;
  virtual BarFields& Fields() = 0;
  virtual SettingsSource& Settings() = 0;

  virtual MonitorRect Monitor() = 0;
  virtual BarBounds Bounds() = 0;
  virtual bool Visible() = 0;
  virtual int32_t ClientWidth() = 0;
  // Moves and sizes the window, with repainting.
  virtual void SetBounds(const BarBounds& b) = 0;
  virtual void ShowBar() = 0;
  virtual void HideBar() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual uint32_t Style() = 0;
  virtual void SetStyle(uint32_t style) = 0;
  virtual BorderKind Border() = 0;
  virtual int32_t CaptionHeight() = 0;  // SM_CYCAPTION
  // Lays the panels out for the width; answers the bar height.
  virtual int32_t Arrange(int32_t width) = 0;

  virtual bool Checked(BarMenuItem item) = 0;
  virtual void SetChecked(BarMenuItem item, bool on) = 0;

  virtual void SetTrayIcon(bool show) = 0;
  virtual void SetDisplayTimer(bool on) = 0;
  virtual void SetAutoHideTimer(bool on) = 0;
  // The system-modal information box of a refused auto-hide.
  virtual void ShowAutoHideRefusal(const std::string& text) = 0;
  // The box, then the bar closes and the program ends.
  virtual void ShowFatalError(const std::string& message, const std::string& code,
                              const std::string& description) = 0;
  // The Pause command (minimising with "PauseOnMinimise").
  virtual void RunPauseCommand() = 0;
};

constexpr const char* kAutoHideRefusal =
    "A toolbar is already hidden on this side of your screen.\r\n"
    "You can have only one auto-hide toolbar per side.";

class BarPositioner {
 public:
  BarPositioner(BarSurface& bar, AppBarShell& shell) : bar_(bar), shell_(shell) {}

  // Applies position p (0: the current one again). Any error is fatal ("04.").
  void SetBarPosition(TBarPosition p);
  void RegisterAppBar(bool on);
  void HideTitlebar();
  void ShowTitlebar();
  // Every 10 ms while the docked window is on its way to DockRect.
  void DisplayTimerTick();
  // Every second while auto-hide is on; the cursor in screen coordinates.
  void AutoHideTick(int32_t cursorX, int32_t cursorY);

 private:
  void Dock(TBarPosition p, const MonitorRect& m);
  bool AutoHideDecision(int edge);
  void CheckOnly(BarMenuItem item);
  void SaveBarPosition(const char* word);

  BarSurface& bar_;
  AppBarShell& shell_;
};
