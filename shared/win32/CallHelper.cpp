#include "shared/win32/CallHelper.h"

#include <float.h>

#include "shared/core/CvlError.h"
#include "shared/win32/CallRecord.h"
#include "shared/win32/SenderWait.h"

// Owned by the helper thread, which frees it when told to end. A given-up
// helper keeps it for ever: the call may still come back to it.
struct CallHelper::Helper {
  CallRecord record;
  Handle request{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  Handle done{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  Handle thread;
  PluginCall call;
  unsigned long code = 0;
  volatile bool quit = false;
};

CallHelper::~CallHelper() {
  if (!helper_) return;
  helper_->quit = true;
  SetEvent(helper_->request.Get());
}

DWORD WINAPI CallHelper::Main(LPVOID p) {
  Helper* h = static_cast<Helper*>(p);
  // The runtime sets up no thread it did not start: the floating-point unit
  // gets the same precision as on the main thread.
  _fpreset();
  h->record.Attach();
  for (;;) {
    WaitForSingleObject(h->request.Get(), INFINITE);
    if (h->quit) break;
    h->code = h->record.Run(h->call);
    SetEvent(h->done.Get());
  }
  delete h;
  return 0;
}

CallHelper::Helper* CallHelper::Start() {
  Helper* h = new Helper;
  if (h->request.Valid() && h->done.Valid()) {
    DWORD id = 0;
    h->thread.Reset(CreateThread(nullptr, 0, &CallHelper::Main, h, 0, &id));
    if (h->thread.Valid()) return h;
  }
  delete h;
  throw CvlError("Cannot start a thread for calls into library code");
}

bool CallHelper::Run(PluginCall& call, unsigned long& code) {
  Lock lock(lock_);
  if (busy_) throw CvlError("A call into library code is under way on this thread");
  if (!helper_) helper_ = Start();
  Helper* h = helper_;
  h->call = call;
  h->record.HandedOver(call.fn);
  busy_ = true;
  SetEvent(h->request.Get());
  if (!WaitAnsweringSenders(h->done.Get(), kCallHangLimitMs)) {
    void* fn = nullptr;
    if (h->record.GiveUpAfter(0, fn)) {
      helper_ = nullptr;
      busy_ = false;
      return false;
    }
    // It returned as the time ran out: done follows at once.
    WaitForSingleObject(h->done.Get(), INFINITE);
  }
  busy_ = false;
  call = h->call;
  code = h->code;
  return true;
}
