#pragma once
// The product's library loader: the system's load calls, and every call into
// library code through the structured-exception guard, watched for a hang.
// A thread with a call record (CallRecord) makes its calls itself, watched
// by whoever owns it; any other thread hands them to a call helper and waits
// at most kCallHangLimitMs. A function that hung is out of service for good.
#include <windows.h>

#include <vector>

#include "shared/core/PluginOperations.h"
#include "shared/win32/Handle.h"

// The call into library code that a thread is making, as another thread sees
// it. A thread that runs refresh passes, or makes calls for other threads,
// owns one record for its whole life, found through a dynamic TLS slot
// (Windows 9x gives a library loaded at run time no static TLS). Another
// thread reads there how long the call under way has taken and may give the
// thread up: once a given-up call returns, its thread ends on the spot,
// inside the call path, touching nothing it was serving (the panel, the
// warning or the waiting caller may be gone by then). A given-up record is
// never freed: its thread may come back to it at any time.
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

// A wait of a thread that owns windows: while it waits it still answers the
// messages that other threads and processes send to its windows, so that a
// sender (a thread of this program, the shell, another program) is never left
// waiting for it. Posted messages stay queued. True once the handle is
// signalled; false after ms milliseconds (INFINITE: no limit).
bool WaitAnsweringSenders(HANDLE handle, DWORD ms);

class Win32LibraryLoader : public LibraryLoader {
 public:
  Win32LibraryLoader() = default;
  // An idle call helper is told to end; nothing waits for it.
  ~Win32LibraryLoader() override;
  Win32LibraryLoader(const Win32LibraryLoader&) = delete;
  Win32LibraryLoader& operator=(const Win32LibraryLoader&) = delete;

  uintptr_t Load(const std::string& path) override;
  void* Find(uintptr_t module, const char* name) override;
  void Release(uintptr_t module) override;
  // A processor exception inside the call raises PluginFault; a hung call,
  // or one into a function out of service, PluginHang.
  void Invoke(PluginCall& call) override;

  // fn stopped responding (a watcher gave up a thread inside it): it is never
  // called again, and its library is loaded once more and never released (a
  // given-up thread may still run its code, and a list loaded later must
  // find the same address to know it is out of service).
  void TakeOutOfService(void* fn);
  bool StoppedResponding(const void* fn);

 private:
  // Calls from a thread that runs no refresh pass (the bar's main thread
  // loading its lists, the settings library's dialogs, a plug-in checker)
  // are made by a helper thread while the caller waits, at most
  // kCallHangLimitMs, still answering what other threads send it. A call
  // that takes longer is given up together with its helper, and the next
  // call gets a new one: the caller goes on at once, and the old helper ends
  // by itself if the call ever returns.
  struct Helper;
  static DWORD WINAPI HelperMain(LPVOID helper);
  static Helper* StartHelper();
  // Makes the call on the helper and copies its outcome back; code is that
  // of a processor exception inside it (0: none). False when the call did
  // not return in time: it has been given up. CvlError when no helper can
  // be started, or when a message answered during the wait leads to another
  // call on the same thread.
  bool RunOnHelper(PluginCall& call, unsigned long& code);

  CriticalSection outOfServiceLock_;
  std::vector<const void*> outOfService_;
  CriticalSection helperLock_;
  Helper* helper_ = nullptr;
  bool helperBusy_ = false;
};
