// What the bar window reaches in its parts (the panel row, the warnings, the
// display thread, the built-in sensors, the table of loaded plug-ins), as the
// program has them. The settings library's dialogs are defined in Main.cpp.
#include "bar/BarFormCode.h"
#include "sensors/BuiltInsCode.h"
#include "shared/Common.h"

void TBarForm::CreateParts() {
  panels_.reset(new BarPanels(hwnd_, LogAll));
  warnings_.reset(new BarWarnings);
  thread_.reset(new TDisplayThread(panels_->List(), *warnings_, panels_->Texts(), hwnd_));
}

void TBarForm::LoadPanelList() {
  if (panels_) panels_->LoadPanels();
}
void TBarForm::LoadWarningList() {
  if (warnings_) warnings_->List().LoadWarnings();
}
void BarWindow::ShowPanelsPaused() {
  if (BarPanels* panels = Form(*this).panels_.get()) panels->ShowPaused();
}
int32_t BarWindow::Arrange(int32_t width) {
  TBarForm& f = Form(*this);
  return f.panels_ ? f.panels_->List().Arrange(width) : kDockProposalHeight;
}

void TBarForm::FreeLists(bool clear) {
  if (threadLeftRunning_) {
    (void)warnings_.release();
    (void)panels_.release();
    return;
  }
  if (clear && panels_) panels_->List().ClearPanels();
  warnings_.reset();
  panels_.reset();
}

// After a fatal error has closed the bar in the middle of ApplySettings, the
// remaining steps find the thread gone and do nothing.
void BarWindow::PauseThread() {
  if (TDisplayThread* t = Form(*this).thread_.get()) t->Loop().Pause();
}
void BarWindow::PauseThreadMuted() {
  if (TDisplayThread* t = Form(*this).thread_.get()) t->Loop().PauseMuted();
}
void BarWindow::ResumeThread() {
  if (TDisplayThread* t = Form(*this).thread_.get()) t->Loop().Resume();
}
bool BarWindow::ThreadPaused() {
  TDisplayThread* t = Form(*this).thread_.get();
  return t && t->Loop().Paused();
}
void TBarForm::HoldThread() {
  if (thread_) thread_->Loop().Hold();
}
void TBarForm::UnholdThread() {
  if (thread_) thread_->Loop().Unhold();
}
bool TBarForm::NoticeWhenIdle() { return thread_ && thread_->Loop().NoticeWhenIdle(); }
void TBarForm::RequestFirstReadings() {
  if (thread_) thread_->Loop().RequestPass(PassKind::FirstReadings);
}
void BarWindow::RefreshNow() {
  if (TDisplayThread* t = Form(*this).thread_.get()) t->Loop().RequestPass(PassKind::Full);
}
void BarWindow::SetDisplayInterval(int32_t ms) {
  if (TDisplayThread* t = Form(*this).thread_.get()) t->Loop().SetInterval(ms);
}
void BarWindow::SetDisplayThreadPriority(int priority) {
  if (TDisplayThread* t = Form(*this).thread_.get()) t->SetPriority(priority);
}

void TBarForm::WatchDisplayThread() {
  void* fn = nullptr;
  if (!applying_ && thread_ && thread_->GiveUpHungThread(fn)) {
    // No thread runs passes now: the lists are the main thread's.
    if (panels_) panels_->DisableStopped(fn);
    if (warnings_) warnings_->List().DisableStopped(reinterpret_cast<TWarningFunction>(fn));
    thread_->StartThread();
  }
  const bool close = thread_ && thread_->CallUnderWayFor(kWatchCloseMs);
  if (close == watchClose_ || !timerOn_[WatchTimer]) return;
  watchClose_ = close;
  SetTimer(hwnd_, WatchTimer, close ? kWatchCloseMs : kWatchMs, nullptr);
}

void BarWindow::StopThread() {
  TBarForm& f = Form(*this);
  if (!f.thread_) return;
  if (f.thread_->Stop()) {
    f.thread_.reset();
    return;
  }
  // Still inside a pass (an alert box, a call that hangs): it keeps the
  // lists and the libraries, and Close ends the process.
  f.threadLeftRunning_ = true;
  (void)f.thread_.release();
}

void BarWindow::InitBuiltIns(bool atStartUp) { ::InitBuiltIns(atStartUp); }

void TBarForm::ForgetLoadedPlugins() { Contract().ForgetPluginLibraries(); }
