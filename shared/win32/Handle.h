#pragma once
// Owned kernel handles and GDI objects.
#include <windows.h>

// An owned handle of type T, given back with Free when it goes or is reset.
template <typename T, typename Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(T h) : h_(h) {}
  ~Owned() { Reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
  Owned& operator=(Owned&& o) noexcept {
    if (this != &o) {
      Reset(o.h_);
      o.h_ = nullptr;
    }
    return *this;
  }
  void Reset(T h = nullptr) {
    if (Valid()) Free()(h_);
    h_ = h;
  }
  void Close() { Reset(); }
  T Get() const { return h_; }
  // Some calls fail with INVALID_HANDLE_VALUE rather than null.
  bool Valid() const { return h_ != nullptr && h_ != reinterpret_cast<T>(INVALID_HANDLE_VALUE); }

 private:
  T h_ = nullptr;
};

struct CloseKernelHandle {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct DeleteGdiObject {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};

using Handle = Owned<HANDLE, CloseKernelHandle>;
template <typename T>
using GdiObject = Owned<T, DeleteGdiObject>;

// Selects an object into a device context for the lifetime of the object.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~SelectedObject() { SelectObject(dc_, old_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A critical section and its scoped lock (Win32's own: the shipped binaries
// carry no threading runtime).
class CriticalSection {
 public:
  CriticalSection() { InitializeCriticalSection(&cs_); }
  ~CriticalSection() { DeleteCriticalSection(&cs_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;
  void Enter() { EnterCriticalSection(&cs_); }
  void Leave() { LeaveCriticalSection(&cs_); }

 private:
  CRITICAL_SECTION cs_;
};

class Lock {
 public:
  explicit Lock(CriticalSection& cs) : cs_(cs) { cs_.Enter(); }
  ~Lock() { cs_.Leave(); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  CriticalSection& cs_;
};
