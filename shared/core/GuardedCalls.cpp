#include "shared/core/GuardedCalls.h"

#include <cstring>
#include <exception>

#include "shared/core/CvlError.h"
#include "shared/core/PluginFault.h"

namespace {

typedef int32_t(CVL_STDCALL* NumberFn)();
typedef BitmapHandle(CVL_STDCALL* HandleFn)();
typedef void(CVL_STDCALL* ProcedureFn)();

void KeepError(PluginCall& c, const char* text) noexcept {
  c.failed = true;
  std::strncpy(c.error, text ? text : "", PluginCall::kErrorChars - 1);
  c.error[PluginCall::kErrorChars - 1] = '\0';
}

// No C++ exception may leave the guarded frame (it would unwind past the
// structured handler and leave it registered), so each body catches here.
template <typename Call>
void RunCaught(PluginCall& c, Call call) noexcept {
  try {
    call();
  } catch (const PluginFault& f) {
    c.fault = true;
    c.faultCode = f.Code();
    KeepError(c, f.what());
  } catch (const std::exception& e) {
    KeepError(c, e.what());
  } catch (...) {
    KeepError(c, "");
  }
}

void TextBody(PluginCall& c) {
  RunCaught(c, [&] { reinterpret_cast<TSensorFunction>(c.fn)(c.Buffer()); });
}
void NumberBody(PluginCall& c) {
  RunCaught(c, [&] { c.number = reinterpret_cast<NumberFn>(c.fn)(); });
}
void HandleBody(PluginCall& c) {
  RunCaught(c, [&] { c.handle = reinterpret_cast<HandleFn>(c.fn)(); });
}
void ProcedureBody(PluginCall& c) {
  RunCaught(c, [&] { reinterpret_cast<ProcedureFn>(c.fn)(); });
}
void CheckBody(PluginCall& c) {
  RunCaught(c, [&] { c.number = reinterpret_cast<TWarningFunction>(c.fn)(c.argument); });
}

void Run(LibraryLoader& loader, PluginCall& c) {
  loader.Invoke(c);
  if (!c.failed) return;
  if (c.fault) throw PluginFault(c.faultCode, c.error);
  throw CvlError(c.error[0] ? c.error : "Unknown error");
}

}  // namespace

void GuardedTextCall(LibraryLoader& loader, void* fn, char* buffer) {
  PluginCall c;
  c.body = TextBody;
  c.fn = fn;
  // The callee sees the caller's bytes, and the caller gets back all 80.
  std::memcpy(c.Buffer(), buffer, kTextBufferSize);
  Run(loader, c);
  std::memcpy(buffer, c.Buffer(), kTextBufferSize);
}

void GuardedTextAreaCall(LibraryLoader& loader, void* fn, char* area) {
  PluginCall c;
  c.body = TextBody;
  c.fn = fn;
  std::memcpy(c.text, area, PluginCall::kTextArea);
  Run(loader, c);
  std::memcpy(area, c.text, PluginCall::kTextArea);
}

int32_t GuardedNumberCall(LibraryLoader& loader, void* fn) {
  PluginCall c;
  c.body = NumberBody;
  c.fn = fn;
  Run(loader, c);
  return c.number;
}

BitmapHandle GuardedHandleCall(LibraryLoader& loader, void* fn) {
  PluginCall c;
  c.body = HandleBody;
  c.fn = fn;
  Run(loader, c);
  return c.handle;
}

void GuardedProcedureCall(LibraryLoader& loader, void* fn) {
  PluginCall c;
  c.body = ProcedureBody;
  c.fn = fn;
  c.unbounded = true;
  Run(loader, c);
}

int32_t GuardedCheckCall(LibraryLoader& loader, void* fn, int32_t threshold) {
  PluginCall c;
  c.body = CheckBody;
  c.fn = fn;
  c.argument = threshold;
  Run(loader, c);
  return c.number;
}
