#pragma once
// The bar's pop-up menu: item ids, the menu as designed, checks and captions.
#include <windows.h>

#include <string>

enum BarMenuItem : UINT {
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

// PopupMenu with its sub-menus, captions as designed. The caller destroys it.
HMENU CreateBarPopupMenu();

bool MenuChecked(HMENU menu, UINT item);
void SetMenuChecked(HMENU menu, UINT item, bool checked);
std::string MenuCaption(HMENU menu, UINT item);
// Replaces the caption and keeps the check.
void SetMenuCaption(HMENU menu, UINT item, const std::string& caption);
