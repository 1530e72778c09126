#include "shared/win32/GuardedCall.h"

#include <windows.h>

#include <float.h>

#include "shared/core/LibraryLoader.h"

#if !defined(__i386__)
#error "The guard registers its handler at fs:[0] and needs a 32-bit x86 target"
#endif

namespace {

// The system reads the first two fields as its EXCEPTION_REGISTRATION_RECORD.
struct GuardRecord {
  GuardRecord* next;
  void* handler;
  void* jump[5];  // __builtin_setjmp buffer
  unsigned long code;
};

GuardRecord* ChainHead() {
  GuardRecord* head;
  __asm__ volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

void SetChainHead(GuardRecord* head) { __asm__ volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }

extern "C" EXCEPTION_DISPOSITION __cdecl CvlGuardHandler(EXCEPTION_RECORD* record, void* frame,
                                                          CONTEXT*, void*) {
  // The unwinding pass that RtlUnwind below starts passes through here too.
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
    return ExceptionContinueSearch;
  GuardRecord* guard = static_cast<GuardRecord*>(frame);
  guard->code = record->ExceptionCode;
  // Lets the handlers registered inside the callee clean up and unlinks them,
  // leaving our record at the head of the chain.
  RtlUnwind(frame, nullptr, record, nullptr);
  __builtin_longjmp(guard->jump, 1);
}

}  // namespace

// Not inlined: __builtin_longjmp must come back to a frame of its own.
__attribute__((noinline)) unsigned long GuardedCall(void (*body)(void*), void* context) {
  GuardRecord guard;
  volatile GuardRecord* seen = &guard;  // read back from memory after the jump
  guard.code = 0;
  guard.handler = reinterpret_cast<void*>(&CvlGuardHandler);
  guard.next = ChainHead();
  if (__builtin_setjmp(guard.jump) == 0) {
    SetChainHead(&guard);
    body(context);
  } else {
    // The callee may have left the floating-point unit in any state.
    _fpreset();
  }
  SetChainHead(seen->next);
  return seen->code;
}

namespace {

void RunBody(void* context) {
  auto& call = *static_cast<PluginCall*>(context);
  call.body(call);
}

}  // namespace

unsigned long GuardedCall(PluginCall& call) { return GuardedCall(&RunBody, &call); }
