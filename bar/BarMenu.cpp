#include "bar/BarMenu.h"

#include "shared/core/CvlError.h"

namespace {

void Add(HMENU menu, UINT id, const char* caption) {
  if (!AppendMenuA(menu, MF_STRING, id, caption)) throw CvlError("Cannot build the bar menu");
}

void Separator(HMENU menu) { AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); }

}  // namespace

HMENU CreateBarPopupMenu() {
  HMENU popup = CreatePopupMenu();
  HMENU position = CreatePopupMenu();
  HMENU help = CreatePopupMenu();
  Add(position, BarFloatMenu, "&Floating");
  Add(position, BarTopMenu, "Docked at &Top       Alt+T");
  Add(position, BarBottomMenu, "Docked at &Bottom  Alt+B");
  Add(position, MinimiseMenu, "&Minimized             Alt+M");
  Separator(position);
  Add(position, OnTopMenu, "&Always on Top");
  Add(position, AutoHideMenu, "Auto &Hide (when docked)");
  Add(help, HelpMenu, "&Corvella Help...");
  Separator(help);
  Add(help, WebMenu, "Veltrop Web Site...");
  Add(help, UpdatesMenu, "Check for Updates...");
  Separator(help);
  Add(help, AboutMenu, "&About Corvella...");

  Add(popup, SettingsMenu, "&Settings...");
  AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(position), "&Bar Positioning");
  Add(popup, PauseMenu, "&Pause               Alt+P");
  Add(popup, RefreshMenu, "&Refresh");
  Separator(popup);
  AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
  Separator(popup);
  Add(popup, ExitMenu, "&Exit");
  SetMenuDefaultItem(popup, SettingsMenu, FALSE);
  return popup;
}

bool MenuChecked(HMENU menu, UINT item) {
  return (GetMenuState(menu, item, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void SetMenuChecked(HMENU menu, UINT item, bool checked) {
  CheckMenuItem(menu, item, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void SetMenuCaption(HMENU menu, UINT item, const std::string& caption) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_TYPE;
  info.fType = MFT_STRING;
  info.dwTypeData = const_cast<char*>(caption.c_str());
  SetMenuItemInfoA(menu, item, FALSE, &info);
}
