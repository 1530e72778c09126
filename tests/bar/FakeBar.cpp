// The bar window's definitions in the native tests: the fake's state.
#include "tests/bar/FakeBar.h"

namespace {
FakeBar& Fake(BarWindow& bar) { return static_cast<FakeBar&>(bar); }
}  // namespace

SettingsSource& BarWindow::Settings() { return Fake(*this).settings; }
MonitorRect BarWindow::Monitor() { return Fake(*this).monitor; }
BarBounds BarWindow::Bounds() { return Fake(*this).bounds; }
bool BarWindow::Visible() { return Fake(*this).visible; }
int32_t BarWindow::ClientWidth() { return Fake(*this).bounds.Width - 6; }
void BarWindow::SetBounds(const BarBounds& b) {
  Fake(*this).bounds = b;
  Fake(*this).moves.push_back(b);
}
void BarWindow::ShowBar() {
  Fake(*this).visible = true;
  Fake(*this).log.push_back("show");
}
void BarWindow::HideBar() {
  Fake(*this).visible = false;
  Fake(*this).log.push_back("hide");
}
void BarWindow::SetCaption(const std::string& c) { Fake(*this).caption = c; }
uint32_t BarWindow::Style() { return Fake(*this).style; }
void BarWindow::SetStyle(uint32_t s) { Fake(*this).style = s; }
BorderKind BarWindow::Border() { return BorderKind::Dialog; }
int32_t BarWindow::CaptionHeight() { return 18; }
int32_t BarWindow::Arrange(int32_t width) {
  Fake(*this).arrangedFor.push_back(width);
  return width < 500 ? 62 : 34;  // two rows when narrow
}
bool BarWindow::Checked(BarMenuItem item) { return Fake(*this).checks[item]; }
void BarWindow::SetChecked(BarMenuItem item, bool on) { Fake(*this).checks[item] = on; }
void BarWindow::SetTrayIcon(bool show) { Fake(*this).tray = show; }
void BarWindow::SetDisplayTimer(bool on) { Fake(*this).displayTimer = on; }
void BarWindow::SetAutoHideTimer(bool on) { Fake(*this).autoHideTimer = on; }
void BarWindow::ShowAutoHideRefusal(const std::string& text) {
  Fake(*this).boxes.push_back(text);
}
void BarWindow::ShowFatalError(const std::string& m, const std::string& c, const std::string& d) {
  Fake(*this).boxes.push_back(m + " Error Code: " + c + " Description: " + d);
}
void BarWindow::RunPauseCommand() { Fake(*this).log.push_back("pause command"); }

void BarWindow::PauseThread() {
  ++Fake(*this).pauses;
  Fake(*this).log.push_back("pause");
}
void BarWindow::PauseThreadMuted() {
  ++Fake(*this).pauses;
  Fake(*this).log.push_back("pause muted");
}
void BarWindow::ResumeThread() {
  --Fake(*this).pauses;
  Fake(*this).log.push_back("resume");
}
bool BarWindow::ThreadPaused() { return Fake(*this).pauses > 0; }
void BarWindow::RefreshNow() { Fake(*this).log.push_back("refresh pass"); }
void BarWindow::StopThread() { Fake(*this).log.push_back("stop"); }
void BarWindow::ShowPanelsPaused() { Fake(*this).log.push_back("panels paused"); }
void BarWindow::FreePanels() { Fake(*this).log.push_back("free panels"); }
void BarWindow::ApplySettings(bool) {
  FakeBar& f = Fake(*this);
  f.log.push_back("apply settings");
  if (f.failApply) throw CvlError("apply failed");
  f.reloadWaiting = f.passUnderWay;
}
bool BarWindow::ApplyingSettings() { return Fake(*this).applying; }
bool BarWindow::ReloadWaiting() { return Fake(*this).reloadWaiting; }
bool BarWindow::SettingsTimerEnabled() { return Fake(*this).settingsTimer; }
void BarWindow::SetSettingsTimer(bool on) {
  Fake(*this).settingsTimer = on;
  Fake(*this).log.push_back(on ? "settings timer on" : "settings timer off");
}
bool BarWindow::AutoHideTimerEnabled() { return Fake(*this).autoHideTimer; }
void BarWindow::SetResizeTimer(bool on) { Fake(*this).resizeTimer = on; }
void BarWindow::ShowSettingsDialog() {
  Fake(*this).log.push_back("settings dialog");
  if (Fake(*this).whileDialogOpen) Fake(*this).whileDialogOpen();
}
void BarWindow::ShowAboutBox(const AboutTexts& t) {
  Fake(*this).log.push_back(std::string("about ") + t.Name);
}
bool BarWindow::ShellOpen(const std::string& target) {
  Fake(*this).opened.push_back(target);
  return Fake(*this).shellWorks;
}
void BarWindow::ShowFailure(const std::string& text) { Fake(*this).boxes.push_back(text); }
void BarWindow::OpenPopupMenu() { Fake(*this).log.push_back("menu"); }
bool BarWindow::Closed() { return Fake(*this).closed; }
void BarWindow::SetOnTop(bool on) { Fake(*this).log.push_back(on ? "topmost" : "not topmost"); }
void BarWindow::SetSizingCursor(bool s) { Fake(*this).sizing = s; }
int32_t BarWindow::CursorScreenX() { return Fake(*this).cursorX; }
void BarWindow::ReleaseDialUpLibrary() { Fake(*this).log.push_back("release dial-up"); }
void BarWindow::UnregisterHotKeys() { Fake(*this).log.push_back("unregister hot keys"); }
void BarWindow::BeepAndTerminate() { Fake(*this).log.push_back("beep and terminate"); }
