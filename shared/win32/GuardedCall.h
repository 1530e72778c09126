#pragma once
// The one guarded path into plug-in code. A structured exception handler is
// registered on the thread's own handler chain (fs:[0]) for the length of one
// call: this works on Windows 95/98, which have no vectored handlers, as well
// as on NT.

// Runs body(context). Answers 0 when body returned normally, else the code of
// the processor exception that abandoned it (0xC0000005 access violation,
// 0xC0000094 integer divide by zero, 0xC000001D illegal instruction ...).
// body must not let a C++ exception escape: C++ unwinding does not know the
// handler record and would leave it registered on a dead frame.
unsigned long GuardedCall(void (*body)(void*), void* context);

struct PluginCall;
// call.body(call) through the guard above.
unsigned long GuardedCall(PluginCall& call);
