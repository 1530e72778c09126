#include "bar/core/BarCommands.h"

#include "shared/core/VBText.h"

const AboutTexts kBarAboutTexts = {
    "About Corvella:",
    "Corvella",
    "Version 1.6",
    "Copyright Veltrop",
    "A desktop bar of system readings, sensor plug-ins and warnings.",
};

std::string BarCommands::Setting(const char* section, const char* key, const char* def) {
  return bar_.Settings().GetSetting(kAppName, section, key, def);
}

void BarCommands::Save(const char* section, const char* key, const std::string& value) {
  bar_.Settings().SaveSetting(kAppName, section, key, value);
}

void BarCommands::MenuCommand(unsigned id) {
  switch (id) {
    case SettingsMenu: SettingsMenuClick(); break;
    case BarFloatMenu: BarFloatMenuClick(); break;
    case BarTopMenu: BarTopMenuClick(); break;
    case BarBottomMenu: BarBottomMenuClick(); break;
    case MinimiseMenu: MinimiseMenuClick(); break;
    case OnTopMenu: OnTopMenuClick(); break;
    case AutoHideMenu: AutoHideMenuClick(); break;
    case PauseMenu: PauseMenuClick(); break;
    case RefreshMenu: RefreshMenuClick(); break;
    case HelpMenu: HelpMenuClick(); break;
    case WebMenu: WebMenuClick(); break;
    case UpdatesMenu: UpdatesMenuClick(); break;
    case AboutMenu: AboutMenuClick(); break;
    default: break;  // Exit closes the window: the window's own business
  }
}

void BarCommands::SettingsMenuClick() {
  bar_.ProcessedOwed = false;  // written here anyway
  bar_.PauseThread();
  try {
    Save("Settings", "SettingsStatus", "Processed");
    bar_.SetSettingsTimer(true);
    bar_.ShowSettingsDialog();
    bar_.SetSettingsTimer(false);
    // The bar may have been closed while the dialog was open.
    if (!bar_.Closed()) bar_.ApplySettings(false);
  } catch (...) {
    // However the command ends, the thread is not left paused.
    bar_.SetSettingsTimer(false);
    bar_.ResumeThread();
    throw;
  }
  bar_.ResumeThread();
}

void BarCommands::PauseMenuClick() {
  if (bar_.Checked(PauseMenu)) {
    bar_.ResumeThread();
    bar_.SetChecked(PauseMenu, false);
  } else {
    bar_.PauseThreadMuted();
    bar_.ShowPanelsPaused();
    bar_.SetChecked(PauseMenu, true);
  }
}

void BarCommands::RefreshMenuClick() {
  pos_.SetBarPosition(bpNone);
  // The pass is the display thread's, paused or not: passes never run side
  // by side, and a sensor that hangs cannot hold the window.
  bar_.RefreshNow();
}

void BarCommands::Open(const std::string& target, const char* failure) {
  if (!bar_.ShellOpen(target)) bar_.ShowFailure(failure);
}

void BarCommands::HelpMenuClick() {
  // Built to its full length: a long installation folder is neither cut nor
  // allowed to overrun anything.
  Open(InstalledPath(bar_.Settings(), kHelpFile), "Unable to Launch Corvella Help.");
}

// A build without web pages opens sections of the installed help instead.
void BarCommands::WebMenuClick() {
  Open(ResolveAddress(kWebSiteAddress, InstalledPath(bar_.Settings())),
       "Unable to Launch Web Browser.");
}
void BarCommands::UpdatesMenuClick() {
  Open(ResolveAddress(kUpdatesAddress, InstalledPath(bar_.Settings())),
       "Unable to Launch Web Browser.");
}
void BarCommands::AboutMenuClick() { bar_.ShowAboutBox(kBarAboutTexts); }

void BarCommands::SaveFloatingPlace() {
  const BarBounds b = bar_.Bounds();
  Save("Position", "LEFT", IntToText(b.Left));
  Save("Position", "TOP", IntToText(b.Top));
  Save("Position", "WIDTH", IntToText(b.Width));
}

void BarCommands::PositionCommand(BarMenuItem item, TBarPosition position) {
  if (bar_.Checked(item)) {
    pos_.SetBarPosition(bpNone);
    return;
  }
  bar_.HideBar();
  if (bar_.Checked(BarFloatMenu)) SaveFloatingPlace();
  pos_.SetBarPosition(position);
}

void BarCommands::BarFloatMenuClick() {
  if (bar_.Checked(BarFloatMenu)) return;
  bar_.HideBar();
  BarBounds b = bar_.Bounds();
  const int32_t left = TextToInt(Setting("Position", "LEFT", "0"));
  const int32_t top = TextToInt(Setting("Position", "TOP", "0"));
  const int32_t width = TextToInt(Setting("Position", "WIDTH", "600"));
  if (Setting("Settings", "TitleBar", "TRUE") == "TRUE")
    pos_.ShowTitlebar();
  else
    pos_.HideTitlebar();
  // The title bar changes above move the top edge by 19; the saved place is
  // where the window stood, so it comes back exactly there.
  b = bar_.Bounds();
  b.Left = left;
  b.Top = top;
  b.Width = width;
  bar_.SetBounds(b);
  pos_.SetBarPosition(bpFloating);
  bar_.ShowBar();
}

void BarCommands::OnTopMenuClick() {
  const bool on = !bar_.Checked(OnTopMenu);
  bar_.SetOnTop(on);
  bar_.SetChecked(OnTopMenu, on);
  Save("Settings", "OnTop", on ? "TRUE" : "FALSE");
}

void BarCommands::AutoHideMenuClick() {
  const bool on = !bar_.Checked(AutoHideMenu);
  Save("Settings", "AutoHide", on ? "TRUE" : "FALSE");
  bar_.SetAutoHideTimer(on);
  bar_.SetChecked(AutoHideMenu, on);
  pos_.SetBarPosition(bpNone);
}

void BarCommands::HotKey(int id) {
  if (Gated()) return;
  switch (id) {
    case 1: PauseMenuClick(); break;
    case 2: BarTopMenuClick(); break;
    case 3: BarBottomMenuClick(); break;
    case 4: MinimiseMenuClick(); break;
    default: break;
  }
}

void BarCommands::TrayIcon(unsigned mouseMessage) {
  if (Gated()) return;
  if (mouseMessage == kMouseRightDown)
    bar_.OpenPopupMenu();
  else if (mouseMessage == kMouseLeftDown)
    SettingsMenuClick();
}

void BarCommands::SettingsImageMouseDown(MouseButton button) {
  if (Gated()) return;
  if (button == MouseButton::Right)
    bar_.OpenPopupMenu();
  else
    SettingsMenuClick();
}

void BarCommands::FormDblClick() {
  BarFields& f = bar_.Fields();
  if (f.Position != bpFloating) {
    // The application bar stays until the position is next applied.
    f.Position = bpFloating;
    for (BarMenuItem i : {BarFloatMenu, BarTopMenu, BarBottomMenu, MinimiseMenu})
      bar_.SetChecked(i, i == BarFloatMenu);
  }
  if (f.TitleBarShown) {
    pos_.HideTitlebar();
    Save("Settings", "TitleBar", "FALSE");
  } else {
    pos_.ShowTitlebar();
    Save("Settings", "TitleBar", "TRUE");
  }
}

void BarCommands::FormMouseMove(int32_t x) {
  const BarFields& f = bar_.Fields();
  if (f.Position == bpFloating) {
    bar_.SetSizingCursor(x > bar_.Bounds().Width - 10);
    return;
  }
  if (bar_.AutoHideTimerEnabled() && (f.Position == bpTop || f.Position == bpBottom))
    pos_.SetBarPosition(bpNone);
}

void BarCommands::FormMouseDown(int32_t x) {
  BarFields& f = bar_.Fields();
  const int32_t width = bar_.Bounds().Width;
  if (f.Position == bpFloating && x > width - 10) {
    f.ResizeGrip = width - x;
    bar_.SetResizeTimer(true);
  }
}

void BarCommands::ResizeTimerTimer() {
  BarFields& f = bar_.Fields();
  if (f.ResizeGrip == 0) return;
  bar_.SetSizingCursor(true);
  BarBounds b = bar_.Bounds();
  b.Width = bar_.CursorScreenX() - b.Left + f.ResizeGrip;
  if (b.Width < 0) b.Width = 0;
  bar_.SetBounds(b);
  pos_.SetBarPosition(bpNone);
}

void BarCommands::FormMouseUp(int32_t x) {
  BarFields& f = bar_.Fields();
  if (f.ResizeGrip != 0 && f.Position == bpFloating) {
    BarBounds b = bar_.Bounds();
    b.Width = x + f.ResizeGrip;
    if (b.Width < 0) b.Width = 0;
    bar_.SetBounds(b);
    pos_.SetBarPosition(bpNone);
    bar_.HideBar();
    bar_.ShowBar();
  }
  // A drag cut short by a position change ends here too.
  f.ResizeGrip = 0;
  bar_.SetResizeTimer(false);
}

void BarCommands::FormCloseQuery() {
  bool failed = false;
  auto step = [&](auto action) {
    try {
      action();
    } catch (...) {
      failed = true;
    }
  };
  step([&] { bar_.HideBar(); });
  step([&] {
    if (bar_.Checked(BarFloatMenu)) {
      SaveFloatingPlace();
    } else {
      const BarBounds b = bar_.Bounds();
      Save("Position", "DOCKEDLEFT", IntToText(b.Left));
      Save("Position", "DOCKEDTOP", IntToText(b.Top));
    }
  });
  step([&] {
    if (bar_.ThreadPaused()) bar_.ResumeThread();
    bar_.StopThread();
  });
  step([&] { bar_.FreePanels(); });
  step([&] { pos_.RegisterAppBar(false); });
  step([&] { bar_.SetTrayIcon(false); });
  step([&] { bar_.ReleaseDialUpLibrary(); });
  step([&] { bar_.UnregisterHotKeys(); });
  if (failed) bar_.BeepAndTerminate();
}
