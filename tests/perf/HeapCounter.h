#pragma once
// Counts the heap allocations that one thread of a test program makes:
// every operator new (the test program replaces the global operator new and
// delete) and every malloc, calloc and realloc of the C heap. Natively the
// C heap is seen through the address sanitizer's allocation hook; under
// MinGW through the linker's --wrap of those three functions, which the
// test program's link adds (see tests/perf/CMakeLists.txt). Either way only
// code linked into the program is seen: system libraries and other modules
// with a runtime of their own (Chipwatch.dll, plug-ins) are outside.
namespace heapcount {

struct Counts {
  long News = 0;     // operator new and new[]
  long Mallocs = 0;  // malloc, calloc, realloc
  long Total() const { return News + Mallocs; }
};

// Counts the calling thread's allocations from construction until Stop.
// Other threads (a test harness's watcher, the runtime's own) are not counted.
class Scope {
 public:
  Scope();
  ~Scope();
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;
  Counts Stop();

 private:
  bool stopped_ = false;
};

// Whether this build sees C-heap allocations as well as operator new.
bool SeesMalloc();

}  // namespace heapcount
