#pragma once
// The product's library loader: the system's load calls, and every call into
// library code through the structured-exception guard, watched for a hang.
// A thread with a call record (CallRecord) makes its calls itself, watched
// by whoever owns it; any other thread hands them to a call helper and waits
// at most kCallHangLimitMs. A function that hung is out of service for good.
#include "shared/core/LibraryLoader.h"
#include "shared/win32/CallHelper.h"
#include "shared/win32/OutOfService.h"

class Win32LibraryLoader : public LibraryLoader {
 public:
  uintptr_t Load(const std::string& path) override;
  void* Find(uintptr_t module, const char* name) override;
  void Release(uintptr_t module) override;
  // A processor exception inside the call raises PluginFault; a hung call,
  // or one into a function out of service, PluginHang.
  void Invoke(PluginCall& call) override;

  // fn stopped responding (a watcher gave up a thread inside it).
  void TakeOutOfService(void* fn) { outOfService_.Add(fn); }
  bool StoppedResponding(const void* fn) { return outOfService_.Contains(fn); }

 private:
  OutOfService outOfService_;
  CallHelper helper_;
};
