#pragma once
// TUrlLabel: a hyperlink label. Blue and underlined, with the "HAND" cursor
// of this library's resources; shows ActiveColor while the left button is
// held on it; a click asks the shell to open URL (or the caption when URL is
// blank); its pop-up menu "Copy" puts URL on the clipboard.
#include <windows.h>

#include <string>

#include "shared/win32/Window.h"

class TUrlLabel : public Window {
 public:
  static constexpr COLORREF kLinkColor = RGB(0, 0, 255);
  static constexpr COLORREF kDefaultActiveColor = RGB(128, 0, 128);

  // Creates the label window (class "TUrlLabel") with the caption; the label
  // object lives as long as its window. font is the parent's text font; the
  // label draws an underlined copy of it.
  static TUrlLabel* Create(HWND parent, int id, const std::string& caption, int x, int y, int w,
                           int h, HFONT font);

  std::string URL;
  COLORREF ActiveColor = kDefaultActiveColor;
  COLORREF FontColor() const { return color_; }
  // Copy: URL as plain text on the clipboard (also when empty).
  void CopyUrl();
  // The click rule: open the target, if any, with the desktop as owner.
  void Click();

 private:
  TUrlLabel() = default;
  ~TUrlLabel();
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Paint();

  HFONT font_ = nullptr;  // owned underlined font
  HMENU menu_ = nullptr;  // owned pop-up menu
  HCURSOR cursor_ = nullptr;
  COLORREF color_ = kLinkColor;
  COLORREF saved_ = kLinkColor;
  bool pressed_ = false;
};
