#include "bar/DisplayThreadCode.h"

#include "sensors/BuiltInPass.h"
#include "shared/core/CvlError.h"

void WaitAnsweringSenders(HANDLE handle) {
  for (;;) {
    const DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0) return;
    if (r == WAIT_OBJECT_0 + 1) {
      // Peeking delivers the sent messages; posted ones stay queued.
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
      continue;
    }
    WaitForSingleObject(handle, INFINITE);
    return;
  }
}

Win32RefreshSync::Win32RefreshSync() {
  events_[kResume].Reset(CreateEventA(nullptr, TRUE, TRUE, nullptr));
  events_[kIdle].Reset(CreateEventA(nullptr, TRUE, TRUE, nullptr));
  events_[kWake].Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  for (const Handle& e : events_)
    if (!e.Valid()) throw CvlError("Cannot create the display thread's events");
}

TDisplayThread::TDisplayThread(RefreshPanels& panels, RefreshWarnings& warnings)
    : panels_(panels), warnings_(warnings), loop_(sync_, &TDisplayThread::Pass, this) {
  DWORD id = 0;
  thread_.Reset(CreateThread(nullptr, 0, &TDisplayThread::Execute, this, 0, &id));
  if (!thread_.Valid()) throw CvlError("Cannot start the display thread");
}

TDisplayThread::~TDisplayThread() { Stop(); }

DWORD WINAPI TDisplayThread::Execute(LPVOID self) {
  try {
    static_cast<TDisplayThread*>(self)->loop_.Run();
  } catch (...) {
    // Nothing leaves the thread routine.
  }
  return 0;
}

void TDisplayThread::Pass(void* self) {
  auto* t = static_cast<TDisplayThread*>(self);
  const BuiltInPass builtIns;  // what the built-in sensors of this pass share
  ::RefreshCycle(t->panels_, t->warnings_);
}

// Through Pass: a member function with the same body as the static one would
// be folded into it by the compiler, and the two are called differently on
// this platform (the object in a register, or on the stack).
void TDisplayThread::RefreshCycle() { Pass(this); }

void TDisplayThread::SetPriority(int priority) {
  if (thread_.Valid()) SetThreadPriority(thread_.Get(), priority);
}

void TDisplayThread::Stop() {
  if (!thread_.Valid()) return;
  loop_.RequestStop();
  WaitAnsweringSenders(thread_.Get());
  thread_.Close();
}
