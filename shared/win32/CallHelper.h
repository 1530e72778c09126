#pragma once
// Calls into library code from a thread that runs no refresh pass (the bar's
// main thread loading its lists, the settings library's dialogs, a plug-in
// checker) are made by a helper thread while the caller waits, at most
// kCallHangLimitMs, still answering what other threads send it. A call that
// takes longer is given up together with its helper, and the next call gets
// a new one: the caller goes on at once, and the old helper ends by itself
// if the call ever returns.
#include <windows.h>

#include "shared/core/LibraryLoader.h"
#include "shared/win32/Handle.h"

class CallHelper {
 public:
  CallHelper() = default;
  // An idle helper is told to end; nothing waits for it.
  ~CallHelper();
  CallHelper(const CallHelper&) = delete;
  CallHelper& operator=(const CallHelper&) = delete;

  // Makes the call on the helper and copies its outcome back; code is that
  // of a processor exception inside it (0: none). False when the call did
  // not return in time: it has been given up. CvlError when no helper can
  // be started, or when a message answered during the wait leads to another
  // call on the same thread.
  bool Run(PluginCall& call, unsigned long& code);

 private:
  struct Helper;
  static DWORD WINAPI Main(LPVOID helper);
  static Helper* Start();

  CriticalSection lock_;
  Helper* helper_ = nullptr;
  bool busy_ = false;
};
