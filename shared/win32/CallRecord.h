#pragma once
// The call into library code that a thread is making, as another thread sees
// it. A thread that runs refresh passes, or makes calls for other threads,
// owns one record for its whole life, found through a dynamic TLS slot
// (Windows 9x gives a library loaded at run time no static TLS). Another
// thread reads there how long the call under way has taken and may give the
// thread up: once a given-up call returns, its thread ends on the spot,
// inside the call path, touching nothing it was serving (the panel, the
// warning or the waiting caller may be gone by then). A given-up record is
// never freed: its thread may come back to it at any time.
#include <windows.h>

#include "shared/core/LibraryLoader.h"
#include "shared/win32/Handle.h"

class CallRecord {
 public:
  CallRecord() = default;
  CallRecord(const CallRecord&) = delete;
  CallRecord& operator=(const CallRecord&) = delete;

  // The calling thread's record, or nullptr.
  static CallRecord* OfThisThread();
  // Makes this the calling thread's record for the rest of its life.
  void Attach();

  // The owning thread makes the call under the guard; answers the code of a
  // processor exception inside it (0: none). A given-up thread ends here.
  unsigned long Run(PluginCall& call);

  // Another thread has handed a call to the owner: it counts as under way
  // from now, before the owner has even started it.
  void HandedOver(void* fn);
  // Another thread: a call under way for at least ms milliseconds is given
  // up, and fn is its function; false when none is, or not for that long.
  bool GiveUpAfter(DWORD ms, void*& fn);
  // Another thread: whether a call has been under way for ms milliseconds.
  bool UnderWayFor(DWORD ms);

 private:
  CriticalSection lock_;
  bool inCall_ = false;
  bool givenUp_ = false;
  void* function_ = nullptr;
  DWORD started_ = 0;
};
