#include "shared/win32/Win32LibraryLoader.h"

#include <float.h>

#include <algorithm>

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

// The one guarded path into plug-in code. A structured exception handler is
// registered on the thread's own handler chain (fs:[0]) for the length of one
// call: this works on Windows 95/98, which have no vectored handlers, as well
// as on NT. Answers 0 when call.body returned normally, else the code of the
// processor exception that abandoned it. The body lets no C++ exception
// escape: C++ unwinding does not know the handler record and would leave it
// registered on a dead frame. Not inlined: __builtin_longjmp must come back
// to a frame of its own.
__attribute__((noinline)) unsigned long GuardedCall(PluginCall& call) {
  GuardRecord guard;
  volatile GuardRecord* seen = &guard;  // read back from memory after the jump
  guard.code = 0;
  guard.handler = reinterpret_cast<void*>(&CvlGuardHandler);
  guard.next = ChainHead();
  if (__builtin_setjmp(guard.jump) == 0) {
    SetChainHead(&guard);
    call.body(call);
  } else {
    // The callee may have left the floating-point unit in any state.
    _fpreset();
  }
  SetChainHead(seen->next);
  return seen->code;
}

DWORD Slot() {
  static const DWORD slot = TlsAlloc();
  return slot;
}

void KeepLibraryOf(const void* fn) {
  MEMORY_BASIC_INFORMATION info;
  if (VirtualQuery(fn, &info, sizeof info) == 0 || !info.AllocationBase) return;
  HMODULE module = static_cast<HMODULE>(info.AllocationBase);
  if (module == GetModuleHandleA(nullptr)) return;
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  LoadLibraryA(path);
}

constexpr const char* kHangText = "The call stopped responding";

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

bool WaitAnsweringSenders(HANDLE handle, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    DWORD left = INFINITE;
    if (ms != INFINITE) {
      const DWORD spent = GetTickCount() - start;
      left = spent >= ms ? 0 : ms - spent;
    }
    const DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0) return true;
    if (r == WAIT_TIMEOUT) return false;
    if (r == WAIT_OBJECT_0 + 1) {
      // Peeking delivers the sent messages; posted ones stay queued.
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
      continue;
    }
    return WaitForSingleObject(handle, left) == WAIT_OBJECT_0;
  }
}

// Owned by the helper thread, which frees it when told to end. A given-up
// helper keeps it for ever: the call may still come back to it.
struct Win32LibraryLoader::Helper {
  CallRecord record;
  Handle request{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  Handle done{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  Handle thread;
  PluginCall call;
  unsigned long code = 0;
  volatile bool quit = false;
};

Win32LibraryLoader::~Win32LibraryLoader() {
  if (!helper_) return;
  helper_->quit = true;
  SetEvent(helper_->request.Get());
}

DWORD WINAPI Win32LibraryLoader::HelperMain(LPVOID p) {
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

Win32LibraryLoader::Helper* Win32LibraryLoader::StartHelper() {
  Helper* h = new Helper;
  if (h->request.Valid() && h->done.Valid()) {
    DWORD id = 0;
    h->thread.Reset(CreateThread(nullptr, 0, &HelperMain, h, 0, &id));
    if (h->thread.Valid()) return h;
  }
  delete h;
  throw CvlError("Cannot start a thread for calls into library code");
}

bool Win32LibraryLoader::RunOnHelper(PluginCall& call, unsigned long& code) {
  Lock lock(helperLock_);
  if (helperBusy_) throw CvlError("A call into library code is under way on this thread");
  if (!helper_) helper_ = StartHelper();
  Helper* h = helper_;
  h->call = call;
  h->record.HandedOver(call.fn);
  helperBusy_ = true;
  SetEvent(h->request.Get());
  if (!WaitAnsweringSenders(h->done.Get(), kCallHangLimitMs)) {
    void* fn = nullptr;
    if (h->record.GiveUpAfter(0, fn)) {
      helper_ = nullptr;
      helperBusy_ = false;
      return false;
    }
    // It returned as the time ran out: done follows at once.
    WaitForSingleObject(h->done.Get(), INFINITE);
  }
  helperBusy_ = false;
  call = h->call;
  code = h->code;
  return true;
}

bool Win32LibraryLoader::StoppedResponding(const void* fn) {
  Lock lock(outOfServiceLock_);
  return std::find(outOfService_.begin(), outOfService_.end(), fn) != outOfService_.end();
}

void Win32LibraryLoader::TakeOutOfService(void* fn) {
  {
    Lock lock(outOfServiceLock_);
    if (std::find(outOfService_.begin(), outOfService_.end(), fn) != outOfService_.end()) return;
    outOfService_.push_back(fn);
  }
  // The program's own functions need no such hold.
  KeepLibraryOf(fn);
}

uintptr_t Win32LibraryLoader::Load(const std::string& path) {
  // A plug-in whose own libraries are missing must fail quietly: Windows 9x
  // would otherwise stop the calling thread with a system error box.
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const HMODULE module = LoadLibraryA(path.c_str());
  SetErrorMode(previous);
  return reinterpret_cast<uintptr_t>(module);
}

void* Win32LibraryLoader::Find(uintptr_t module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

void Win32LibraryLoader::Release(uintptr_t module) { FreeLibrary(reinterpret_cast<HMODULE>(module)); }

void Win32LibraryLoader::Invoke(PluginCall& call) {
  if (StoppedResponding(call.fn)) throw PluginHang(kHangText);
  unsigned long code = 0;
  if (CallRecord* record = CallRecord::OfThisThread()) {
    code = record->Run(call);
  } else if (call.unbounded) {
    code = GuardedCall(call);
  } else if (!RunOnHelper(call, code)) {
    // Kept before the caller's own hold on the library goes with the error.
    TakeOutOfService(call.fn);
    throw PluginHang(kHangText);
  }
  if (code != 0) throw PluginFault(code, FaultText(code));
}
