#include "shared/win32/CallRecord.h"

#include "shared/win32/GuardedCall.h"

namespace {

DWORD Slot() {
  static const DWORD slot = TlsAlloc();
  return slot;
}

}  // namespace

CallRecord* CallRecord::OfThisThread() {
  const DWORD slot = Slot();
  return slot == TLS_OUT_OF_INDEXES ? nullptr : static_cast<CallRecord*>(TlsGetValue(slot));
}

void CallRecord::Attach() {
  const DWORD slot = Slot();
  if (slot != TLS_OUT_OF_INDEXES) TlsSetValue(slot, this);
}

unsigned long CallRecord::Run(PluginCall& call) {
  bool givenUp;
  {
    Lock lock(lock_);
    givenUp = givenUp_;
    if (!inCall_) started_ = GetTickCount();
    inCall_ = true;
    function_ = call.fn;
  }
  // Given up before it began (handed over, then not scheduled in time).
  if (givenUp) ExitThread(0);
  const unsigned long code = GuardedCall(call);
  {
    Lock lock(lock_);
    inCall_ = false;
    givenUp = givenUp_;
  }
  if (givenUp) ExitThread(0);
  return code;
}

void CallRecord::HandedOver(void* fn) {
  Lock lock(lock_);
  inCall_ = true;
  function_ = fn;
  started_ = GetTickCount();
}

bool CallRecord::UnderWayFor(DWORD ms) {
  Lock lock(lock_);
  return inCall_ && !givenUp_ && GetTickCount() - started_ >= ms;
}

bool CallRecord::GiveUpAfter(DWORD ms, void*& fn) {
  Lock lock(lock_);
  if (!inCall_ || givenUp_ || GetTickCount() - started_ < ms) return false;
  givenUp_ = true;
  fn = function_;
  return true;
}
