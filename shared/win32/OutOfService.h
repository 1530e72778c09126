#pragma once
// The functions that stopped responding. None of them is called again, and
// the library holding each one stays loaded until the process ends: a thread
// that was given up may still be running its code, and a list loaded later
// must find the same address to know the function is out of service.
#include <vector>

#include "shared/win32/Handle.h"

class OutOfService {
 public:
  OutOfService() = default;
  OutOfService(const OutOfService&) = delete;
  OutOfService& operator=(const OutOfService&) = delete;

  bool Contains(const void* fn);
  // Adds fn and loads its library once more, never to be released (the
  // program's own functions need no such hold).
  void Add(void* fn);

 private:
  CriticalSection lock_;
  std::vector<const void*> functions_;
};
