#pragma once
// The windows of a panel: the icon cell (22 x 22, raised bevel, silver, the
// 16 x 16 picture at 3, 3) and the text cell (22 high, lowered bevel, button
// face, the text centred in the panel font). Both are children of the bar
// window and carry the panel's tool tip. The text cell's window text is
// exactly the text it shows, so other programs (screen readers) read it with
// WM_GETTEXT.
#include <windows.h>

#include <memory>
#include <string>

#include "bar/core/DisplayPanelCode.h"
#include "shared/core/SettingsSource.h"
#include "shared/win32/Handle.h"

// Class of both cells (and of the bar's settings button).
constexpr const char* kPanelClassName = "TPanel";

// The tool tips of the bar's cells: one tool-tip control for the bar. The
// cells relay their mouse messages to it themselves: letting the control
// subclass every cell would put a window-property lookup into every message
// a cell gets, a text change and its repaint included.
class PanelToolTips {
 public:
  explicit PanelToolTips(HWND bar);
  ~PanelToolTips();
  PanelToolTips(const PanelToolTips&) = delete;
  PanelToolTips& operator=(const PanelToolTips&) = delete;
  void Add(HWND cell, const std::string& text);
  void Remove(HWND cell);
  HWND Handle() const { return tips_; }

 private:
  HWND bar_;
  HWND tips_ = nullptr;
};

// The look of one cell.
struct CellLook {
  bool Raised = false;       // raised bevel (icon cell) or lowered (text cell)
  bool SystemFace = true;    // button-face background, else Colour
  COLORREF Colour = 0;
  HFONT Font = nullptr;      // not owned by the cell
  COLORREF TextColour = 0;
  HBITMAP Picture = nullptr; // drawn at 3, 3; not owned by the cell
  HWND Tips = nullptr;       // the tool-tip control shown over the cell
  int TextHeight = -1;       // of Font, taken at the first text drawn
  const PanelGraph* Graph = nullptr;  // drawn behind the text; not owned
};

// A cell window of class "TPanel" with that look; nullptr on failure. A new
// text is drawn at once, without a round of invalidation and WM_PAINT.
HWND CreateCell(HWND parent, const CellLook& look, int x, int y, int w, int h,
                const char* text = "");

// The font of the text cells from "FontName", "FontSize", "FontStyle"; the
// caller owns it. TextColour gets "FontColor".
HFONT CreatePanelFont(SettingsSource& settings, COLORREF& textColour);

class PanelWindows : public PanelView {
 public:
  // Builds both cells; takes the bitmap whatever happens, and draws graph
  // (which outlives the cells) behind the text. Raises CvlError when a window
  // cannot be created.
  PanelWindows(HWND bar, PanelToolTips& tips, SettingsSource& settings,
               const std::string& hint, HBITMAP bitmap, int32_t width, const PanelGraph& graph);
  ~PanelWindows() override;

  void SetPosition(int x, int y) override;
  int TextWidth() const override;
  void SetHint(const std::string& hint) override;
  bool ShowText(const char* text) override;
  void Redraw() override;

  HWND TextCell() const { return text_; }
  HWND IconCell() const { return icon_; }

 private:
  PanelToolTips& tips_;
  GdiObject<HBITMAP> picture_;
  GdiObject<HFONT> font_;
  HWND icon_ = nullptr;
  HWND text_ = nullptr;
  int width_ = 0;
  char shown_[82] = "";
};
