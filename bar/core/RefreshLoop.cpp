#include "bar/core/RefreshLoop.h"

namespace {

class Locked {
 public:
  explicit Locked(RefreshSync& s) : s_(s) { s_.Lock(); }
  ~Locked() { s_.Unlock(); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  RefreshSync& s_;
};

}  // namespace

RefreshLoop::RefreshLoop(RefreshSync& sync, void (*pass)(void*), void* context)
    : sync_(sync), pass_(pass), context_(context) {
  sync_.Set(RefreshSync::kResume);
  sync_.Set(RefreshSync::kIdle);
}

void RefreshLoop::Run() {
  for (;;) {
    uint32_t sleep = 0;
    {
      sync_.Lock();
      while (pauses_ > 0 && !stop_) {
        sync_.Unlock();
        sync_.Wait(RefreshSync::kResume, RefreshSync::kForever);
        sync_.Lock();
      }
      if (stop_) {
        sync_.Unlock();
        return;
      }
      inPass_ = true;
      sync_.Reset(RefreshSync::kIdle);
      sync_.Unlock();
    }
    pass_(context_);
    {
      Locked lock(sync_);
      inPass_ = false;
      ++passes_;
      sync_.Set(RefreshSync::kIdle);
      if (stop_) return;
      sleep = static_cast<uint32_t>(interval_);
    }
    sync_.Wait(RefreshSync::kWake, sleep);
  }
}

void RefreshLoop::Pause() {
  bool busy;
  {
    Locked lock(sync_);
    if (++pauses_ == 1) sync_.Reset(RefreshSync::kResume);
    busy = inPass_;
  }
  // No new pass can start now; wait for the one under way.
  if (busy) sync_.WaitFromController(RefreshSync::kIdle);
}

void RefreshLoop::Resume() {
  Locked lock(sync_);
  if (pauses_ > 0 && --pauses_ == 0) sync_.Set(RefreshSync::kResume);
}

bool RefreshLoop::Paused() {
  Locked lock(sync_);
  return pauses_ > 0;
}

void RefreshLoop::SetInterval(int32_t ms) {
  Locked lock(sync_);
  const int32_t next = ms < 0 ? 0 : ms;
  // The sleep under way was taken for the old interval: a shorter one ends
  // it, or a bar once set to sleep for days (a damaged "Update") would not
  // refresh again before then, whatever the settings say now.
  if (next < interval_) sync_.Set(RefreshSync::kWake);
  interval_ = next;
}

int32_t RefreshLoop::Interval() {
  Locked lock(sync_);
  return interval_;
}

void RefreshLoop::Wake() { sync_.Set(RefreshSync::kWake); }

void RefreshLoop::RequestStop() {
  Locked lock(sync_);
  stop_ = true;
  sync_.Set(RefreshSync::kResume);
  sync_.Set(RefreshSync::kWake);
}

bool RefreshLoop::StopRequested() {
  Locked lock(sync_);
  return stop_;
}

int64_t RefreshLoop::PassCount() {
  Locked lock(sync_);
  return passes_;
}
