#include "bar/DisplayThreadCode.h"

#include <float.h>

#include <memory>

#include "sensors/BuiltInPass.h"
#include "sensors/BuiltInsCode.h"
#include "shared/Common.h"
#include "shared/Globals.h"
#include "shared/core/CvlError.h"
#include "shared/win32/Win32LibraryLoader.h"

// The record of one thread running the loop. Freed once the thread has
// ended; a given-up thread keeps it for ever.
struct TDisplayThread::Worker : CallRecord {
  explicit Worker(TDisplayThread* o) : owner(o) {}
  TDisplayThread* owner;
};

Win32RefreshSync::Win32RefreshSync(HWND notices) : notices_(notices) {
  events_[kRun].Reset(CreateEventA(nullptr, TRUE, TRUE, nullptr));
  events_[kWake].Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  for (const Handle& e : events_)
    if (!e.Valid()) throw CvlError("Cannot create the display thread's events");
}

BarWarnings::BarWarnings() : list_(*this, Contract()) {}

TBuiltInWarning BarWarnings::BuiltInWarning(int32_t number) { return ::BuiltInWarning(number); }
bool BarWarnings::StoppedResponding(TWarningFunction fn) {
  return PluginLoader().StoppedResponding(reinterpret_cast<const void*>(fn));
}
void BarWarnings::RaiseWarning(const std::string& text) { ::RaiseWarning(text); }
void BarWarnings::ShowError(const std::string& message, const std::string& code,
                            const std::string& description) {
  ::ShowError(message, code, description);
}

TDisplayThread::TDisplayThread(TDisplayPanels& panels, RefreshWarnings& warnings, TextGate& gate,
                               HWND notices)
    : panels_(panels), warnings_(warnings), sync_(notices), loop_(sync_, gate, &Pass, this) {
  loop_.Pause();
  StartThread();
}

TDisplayThread::~TDisplayThread() { Stop(); }

DWORD WINAPI TDisplayThread::Execute(LPVOID p) {
  auto* worker = static_cast<Worker*>(p);
  // The runtime sets up no thread it did not start: the floating-point unit
  // gets the same precision as on the main thread.
  _fpreset();
  worker->Attach();
  try {
    worker->owner->loop_.Run();
  } catch (...) {
    // Nothing leaves the thread routine.
  }
  return 0;
}

void TDisplayThread::Pass(void* self, PassKind kind) {
  auto* t = static_cast<TDisplayThread*>(self);
  const BuiltInPass builtIns;  // what the built-in sensors of this pass share
  if (kind == PassKind::FirstReadings)
    FirstReadings(t->panels_);
  else
    RefreshCycle(t->panels_, t->warnings_);
}

void TDisplayThread::StartThread() {
  if (thread_.Valid()) return;
  std::unique_ptr<Worker> worker(new Worker(this));
  DWORD id = 0;
  Handle thread(CreateThread(nullptr, 0, &TDisplayThread::Execute, worker.get(), 0, &id));
  if (!thread.Valid()) throw CvlError("Cannot start the display thread");
  SetThreadPriority(thread.Get(), priority_);
  worker_ = worker.release();
  thread_ = std::move(thread);
}

void TDisplayThread::SetPriority(int priority) {
  priority_ = priority;
  if (thread_.Valid()) SetThreadPriority(thread_.Get(), priority);
}

bool TDisplayThread::GiveUpHungThread(void*& fn) {
  if (!worker_ || !worker_->GiveUpAfter(kCallHangLimitMs, fn)) return false;
  // The thread and its record are left to themselves.
  worker_ = nullptr;
  thread_.Close();
  PluginLoader().TakeOutOfService(fn);
  loop_.Abandoned();
  return true;
}

bool TDisplayThread::CallUnderWayFor(uint32_t ms) {
  return worker_ && worker_->UnderWayFor(ms);
}

bool TDisplayThread::Stop() {
  if (!thread_.Valid()) return true;
  loop_.RequestStop();
  if (!WaitAnsweringSenders(thread_.Get(), kStopWaitMs)) return false;
  thread_.Close();
  delete worker_;
  worker_ = nullptr;
  return true;
}
