#include "shared/core/GuardedCalls.h"

#include <exception>
#include <string>

#include "shared/core/CvlError.h"
#include "shared/core/PluginFault.h"

namespace {

typedef int32_t(CVL_STDCALL* NumberFn)();
typedef BitmapHandle(CVL_STDCALL* HandleFn)();
typedef void(CVL_STDCALL* ProcedureFn)();

// Everything a call needs and yields, kept in the caller's frame. The error
// text is only assigned when something failed, so a good call allocates nothing.
struct CallState {
  void* fn = nullptr;
  char* buffer = nullptr;
  int32_t argument = 0;
  int32_t number = 0;
  BitmapHandle handle = nullptr;
  bool failed = false;
  bool fault = false;
  unsigned long faultCode = 0;
  std::string error;
};

// No C++ exception may leave the guarded frame (it would unwind past the
// structured handler and leave it registered), so each body catches here.
template <typename Call>
void RunCaught(CallState& s, Call call) noexcept {
  try {
    call();
  } catch (const PluginFault& f) {
    s.failed = true;
    s.fault = true;
    s.faultCode = f.Code();
    try {
      s.error = f.what();
    } catch (...) {
    }
  } catch (const std::exception& e) {
    s.failed = true;
    try {
      s.error = e.what();
    } catch (...) {
    }
  } catch (...) {
    s.failed = true;
  }
}

void TextBody(void* c) noexcept {
  auto& s = *static_cast<CallState*>(c);
  RunCaught(s, [&] { reinterpret_cast<TSensorFunction>(s.fn)(s.buffer); });
}
void NumberBody(void* c) noexcept {
  auto& s = *static_cast<CallState*>(c);
  RunCaught(s, [&] { s.number = reinterpret_cast<NumberFn>(s.fn)(); });
}
void HandleBody(void* c) noexcept {
  auto& s = *static_cast<CallState*>(c);
  RunCaught(s, [&] { s.handle = reinterpret_cast<HandleFn>(s.fn)(); });
}
void ProcedureBody(void* c) noexcept {
  auto& s = *static_cast<CallState*>(c);
  RunCaught(s, [&] { reinterpret_cast<ProcedureFn>(s.fn)(); });
}
void CheckBody(void* c) noexcept {
  auto& s = *static_cast<CallState*>(c);
  RunCaught(s, [&] { s.number = reinterpret_cast<TWarningFunction>(s.fn)(s.argument); });
}

void Run(LibraryLoader& loader, CallState& s, void (*body)(void*) noexcept) {
  loader.Invoke(s.fn, body, &s);
  if (!s.failed) return;
  if (s.fault) throw PluginFault(s.faultCode, s.error);
  throw CvlError(s.error.empty() ? std::string("Unknown error") : s.error);
}

}  // namespace

void GuardedTextCall(LibraryLoader& loader, void* fn, char* buffer) {
  CallState s;
  s.fn = fn;
  s.buffer = buffer;
  Run(loader, s, TextBody);
}

int32_t GuardedNumberCall(LibraryLoader& loader, void* fn) {
  CallState s;
  s.fn = fn;
  Run(loader, s, NumberBody);
  return s.number;
}

BitmapHandle GuardedHandleCall(LibraryLoader& loader, void* fn) {
  CallState s;
  s.fn = fn;
  Run(loader, s, HandleBody);
  return s.handle;
}

void GuardedProcedureCall(LibraryLoader& loader, void* fn) {
  CallState s;
  s.fn = fn;
  Run(loader, s, ProcedureBody);
}

int32_t GuardedCheckCall(LibraryLoader& loader, void* fn, int32_t threshold) {
  CallState s;
  s.fn = fn;
  s.argument = threshold;
  Run(loader, s, CheckBody);
  return s.number;
}
