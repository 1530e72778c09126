#include "bar/BarParts.h"

#include "bar/DisplayThreadCode.h"
#include "bar/PanelWindows.h"
#include "sensors/BuiltInsCode.h"
#include "shared/Common.h"

BarParts::BarParts() = default;
BarParts::~BarParts() = default;

void BarParts::Create(HWND bar, const bool& logAll) {
  panels_.reset(new BarPanels(bar, logAll));
  warnings_.reset(new BarWarnings);
  thread_.reset(new TDisplayThread(panels_->List(), *warnings_, panels_->Texts(), bar));
}

void BarParts::LoadPanels() {
  if (panels_) panels_->LoadPanels();
}
void BarParts::LoadWarnings() {
  if (warnings_) warnings_->List().LoadWarnings();
}
void BarParts::ShowPaused() {
  if (panels_) panels_->ShowPaused();
}
int32_t BarParts::Arrange(int32_t width) {
  return panels_ ? panels_->List().Arrange(width) : kDockProposalHeight;
}

void BarParts::FreeLists(bool clear) {
  if (threadLeftRunning_) {
    (void)warnings_.release();
    (void)panels_.release();
    return;
  }
  if (clear && panels_) panels_->List().ClearPanels();
  warnings_.reset();
  panels_.reset();
}

void BarParts::Pause() {
  if (thread_) thread_->Loop().Pause();
}
void BarParts::PauseMuted() {
  if (thread_) thread_->Loop().PauseMuted();
}
void BarParts::Resume() {
  if (thread_) thread_->Loop().Resume();
}
bool BarParts::Paused() { return thread_ && thread_->Loop().Paused(); }
void BarParts::Hold() {
  if (thread_) thread_->Loop().Hold();
}
void BarParts::Unhold() {
  if (thread_) thread_->Loop().Unhold();
}
bool BarParts::NoticeWhenIdle() { return thread_ && thread_->Loop().NoticeWhenIdle(); }
void BarParts::RequestPass(PassKind kind) {
  if (thread_) thread_->Loop().RequestPass(kind);
}
void BarParts::SetInterval(int32_t ms) {
  if (thread_) thread_->Loop().SetInterval(ms);
}
void BarParts::SetPriority(int priority) {
  if (thread_) thread_->SetPriority(priority);
}

bool BarParts::GiveUpHungThread() {
  void* fn = nullptr;
  if (!thread_ || !thread_->GiveUpHungThread(fn)) return false;
  // No thread runs passes now: the lists are the main thread's.
  if (panels_) panels_->DisableStopped(fn);
  if (warnings_) warnings_->List().DisableStopped(reinterpret_cast<TWarningFunction>(fn));
  thread_->StartThread();
  return true;
}

bool BarParts::CallUnderWayFor(uint32_t ms) { return thread_ && thread_->CallUnderWayFor(ms); }

bool BarParts::StopThread() {
  if (!thread_) return !threadLeftRunning_;
  if (!thread_->Stop()) {
    // Still inside a pass (an alert box, a call that hangs).
    threadLeftRunning_ = true;
    (void)thread_.release();
    return false;
  }
  thread_.reset();
  return true;
}

void BarParts::InitBuiltIns(bool atStartUp) { ::InitBuiltIns(atStartUp); }

void BarParts::ForgetLoadedPlugins() { Contract().ForgetPluginLibraries(); }
