#include "tests/perf/HeapCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(_WIN32)
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace {

std::atomic<bool> gCounting{false};
std::atomic<unsigned long> gThread{0};
std::atomic<long> gNews{0};
std::atomic<long> gMallocs{0};

unsigned long ThisThread() {
#if defined(_WIN32)
  return GetCurrentThreadId();
#else
  return static_cast<unsigned long>(pthread_self());
#endif
}

void Note(std::atomic<long>& counter) {
  if (gCounting.load(std::memory_order_relaxed) && gThread.load() == ThisThread()) ++counter;
}

void* NewBlock(std::size_t size) {
  Note(gNews);
  void* block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  return block;
}

}  // namespace

// The replaced global allocation functions. The C heap serves them, so a
// block from any of them may go to any delete.
void* operator new(std::size_t size) { return NewBlock(size); }
void* operator new[](std::size_t size) { return NewBlock(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return NewBlock(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator calls this for every block it hands out.
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*malloc_hook)(const volatile void*, std::size_t), void (*free_hook)(const volatile void*));

namespace {
void OnMalloc(const volatile void*, std::size_t) { Note(gMallocs); }
void OnFree(const volatile void*) {}
const bool gHooked = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
}  // namespace

bool heapcount::SeesMalloc() { return gHooked; }

#elif defined(_WIN32)
// The link redirects every reference to these functions in the program (the
// product code, the C++ and MinGW runtimes linked into it) here.
extern "C" {
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* block, std::size_t size);

void* __wrap_malloc(std::size_t size) {
  Note(gMallocs);
  return __real_malloc(size);
}
void* __wrap_calloc(std::size_t count, std::size_t size) {
  Note(gMallocs);
  return __real_calloc(count, size);
}
void* __wrap_realloc(void* block, std::size_t size) {
  Note(gMallocs);
  return __real_realloc(block, size);
}
}

bool heapcount::SeesMalloc() { return true; }

#else
bool heapcount::SeesMalloc() { return false; }
#endif

namespace heapcount {

Scope::Scope() {
  gNews = 0;
  gMallocs = 0;
  gThread = ThisThread();
  gCounting = true;
}

Scope::~Scope() { Stop(); }

Counts Scope::Stop() {
  if (!stopped_) {
    gCounting = false;
    stopped_ = true;
  }
  Counts c;
  c.News = gNews.load();
  c.Mallocs = gMallocs.load();
  return c;
}

}  // namespace heapcount
