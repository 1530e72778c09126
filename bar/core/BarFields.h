#pragma once
// The bar window's own state, its menu items and the plain records the
// positioning logic works with (portable).
#include <cstdint>

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
