#pragma once
// The bar window as the portable rules see it: the settings steps that
// ApplySettingsWith runs, the window and its state that BarPositioner moves,
// and what BarCommands reaches. One concrete type with two definitions, chosen
// by what is linked: TBarForm's in the program (bar/BarFormCode.cpp) and
// FakeBar's in the native tests. Beside it, the window's own state, its menu
// items and the plain records the positioning logic works with.
#include <cstdint>
#include <string>
#include <vector>

#include "shared/core/GlobalTypes.h"
#include "shared/core/SettingsSource.h"

// The bar's positions. The docked codes equal the shell's edge codes
// (ABE_TOP = 1, ABE_BOTTOM = 3) and are passed to the shell unchanged.
enum TBarPosition : int { bpNone = 0, bpTop = 1, bpFloating = 2, bpBottom = 3, bpMinimised = 4 };

// Menu item ids. The check marks of the position items, OnTopMenu,
// AutoHideMenu and PauseMenu are the bar's state.
enum BarMenuItem : unsigned {
  SettingsMenu = 101,
  BarFloatMenu = 111,
  BarTopMenu = 112,
  BarBottomMenu = 113,
  MinimiseMenu = 114,
  OnTopMenu = 115,
  AutoHideMenu = 116,
  PauseMenu = 121,
  RefreshMenu = 122,
  HelpMenu = 131,
  WebMenu = 132,
  UpdatesMenu = 133,
  AboutMenu = 134,
  ExitMenu = 141,
};

// A window's outer bounds: left, top, width, height.
struct BarBounds {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const BarBounds& o) const {
    return Left == o.Left && Top == o.Top && Width == o.Width && Height == o.Height;
  }
  bool operator!=(const BarBounds& o) const { return !(*this == o); }
};

// A rectangle as the shell's application bar record holds it.
struct EdgeRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  BarBounds Bounds() const { return {Left, Top, Right - Left, Bottom - Top}; }
};

struct BarFields {
  TBarPosition Position = bpNone;
  // Where DisplayTimer moves the docked window.
  EdgeRect DockRect;
  // Distance from the cursor to the right edge while the floating bar's width
  // is dragged; 0 when no drag is under way.
  int32_t ResizeGrip = 0;
  bool LogAll = false;
  bool TitleBarShown = true;
  // The height last computed from the panel layout.
  int32_t BarHeight = 0;
  // True while the auto-hide shrinking runs.
  bool Hiding = false;
  // The settings hand-shake still owes "Processed" for a reload that had to
  // wait for the pass under way.
  bool ProcessedOwed = false;
};

// The window's height in pixels while an auto-hide bar is hidden.
constexpr int32_t kHiddenBarHeight = 4;
// The height proposed to the shell for a bar docked for the first time.
constexpr int32_t kDockProposalHeight = 34;
// What the bar counts for the caption when it shows or hides the title bar
// and sizes the floating window (the caption height of the systems the bar
// was laid out on), as opposed to the caption-height metric.
constexpr int32_t kTitleBarAllowance = 19;

enum class BorderKind { None, Single, Sizeable, Dialog };

// Modifier bits with the values RegisterHotKey takes.
constexpr uint32_t kModAlt = 1, kModControl = 2, kModShift = 4;

// One of the four global hot keys.
struct HotKeyItem {
  int Id;              // 1 pause, 2 top, 3 bottom, 4 minimise
  char Key;            // the letter of the key
  std::string Caption; // the menu item's caption
};

// What to do with the hot keys: register every item with Modifiers (with no
// unregistering first), or unregister them; in both cases set the captions.
struct HotKeyPlan {
  bool Register = false;
  uint32_t Modifiers = 0;
  std::vector<HotKeyItem> Items;
};

// The five texts of the About box.
struct AboutTexts {
  const char* Head;
  const char* Name;
  const char* Version;
  const char* Notice;
  const char* About;
};

class BarWindow : public BarFields {
 public:
  BarWindow(const BarWindow&) = delete;
  BarWindow& operator=(const BarWindow&) = delete;
  BarFields& Fields() { return *this; }

  // Settings steps, in the order ApplySettingsWith runs them; any may raise.
  void InitBuiltIns(bool atStartUp);
  // AutoHideTimer enabled and AutoHideMenu checked, or both off.
  void SetAutoHide(bool on);
  void SetLogAll(bool on);
  void ApplyHotKeys(const HotKeyPlan& plan);
  void SetProcessPriority(uint32_t priorityClass);
  // The thread that runs ApplySettings: the main thread.
  void SetMainThreadPriority(int priority);
  void SetDisplayThreadPriority(int priority);
  void LoadPanels();
  void LoadWarnings();
  // The position commands: top, floating, bottom or minimise.
  void RunPositionCommand(TBarPosition position);
  void SetOnTopChecked(bool checked);
  // Toggles the check of OnTopMenu, applies it and writes "OnTop".
  void RunOnTopCommand();
  void SetDisplayInterval(int32_t ms);
  bool IsMinimised();
  void HideAndShow();
  void ShowError(const std::string& message, const std::string& code,
                 const std::string& description);

  // The window as the positioning sees it.
  SettingsSource& Settings();
  MonitorRect Monitor();
  BarBounds Bounds();
  bool Visible();
  int32_t ClientWidth();
  // Moves and sizes the window, with repainting.
  void SetBounds(const BarBounds& b);
  void ShowBar();
  void HideBar();
  void SetCaption(const std::string& caption);
  uint32_t Style();
  void SetStyle(uint32_t style);
  BorderKind Border();
  int32_t CaptionHeight();  // SM_CYCAPTION
  // Lays the panels out for the width; answers the bar height.
  int32_t Arrange(int32_t width);
  bool Checked(BarMenuItem item);
  void SetChecked(BarMenuItem item, bool on);
  void SetTrayIcon(bool show);
  void SetDisplayTimer(bool on);
  void SetAutoHideTimer(bool on);
  // The system-modal information box of a refused auto-hide.
  void ShowAutoHideRefusal(const std::string& text);
  // The box, then the bar closes and the program ends.
  void ShowFatalError(const std::string& message, const std::string& code,
                      const std::string& description);
  // The Pause command (minimising with "PauseOnMinimise").
  void RunPauseCommand();

  // What the commands reach. The display thread: no call waits for a pass
  // under way.
  void PauseThread();
  // The user's pause: the pass under way shows no more texts.
  void PauseThreadMuted();
  void ResumeThread();
  bool ThreadPaused();
  // One pass of the display thread at once, paused or not; its texts show.
  void RefreshNow();
  // Requests the end and waits for it a bounded time.
  void StopThread();
  void ShowPanelsPaused();
  // ClearPanels, then the panel list goes.
  void FreePanels();
  // Reads and applies every general setting (true at start-up) while the
  // display thread runs no pass: when a pass is under way (an alert box
  // open), the reload waits for its end without holding the window, and runs
  // by itself then.
  void ApplySettings(bool atStartUp);
  // An ApplySettings is under way (a box it shows runs a message loop).
  bool ApplyingSettings();
  // An ApplySettings waits for the pass under way to end (an alert box is
  // open); it runs by itself then.
  bool ReloadWaiting();
  bool SettingsTimerEnabled();
  void SetSettingsTimer(bool on);
  bool AutoHideTimerEnabled();
  void SetResizeTimer(bool on);
  // Modal calls into the settings library; they return when the user closes
  // the dialog.
  void ShowSettingsDialog();
  void ShowAboutBox(const AboutTexts& texts);
  // The shell's default action on a path or address; false on failure.
  bool ShellOpen(const std::string& target);
  // A box owned by the bar: title "Corvella", exclamation icon.
  void ShowFailure(const std::string& text);
  void OpenPopupMenu();
  // The exit sequence has run.
  bool Closed();
  void SetOnTop(bool on);
  void SetSizingCursor(bool sizing);
  int32_t CursorScreenX();
  // Last steps of the exit sequence.
  void ReleaseDialUpLibrary();
  void UnregisterHotKeys();
  // The default system beep, and the program is told to end.
  void BeepAndTerminate();

 protected:
  BarWindow() = default;
  ~BarWindow() = default;
};
