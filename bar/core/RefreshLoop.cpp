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

RefreshLoop::RefreshLoop(RefreshSync& sync, TextGate& gate, void (*pass)(void*, PassKind),
                         void* context)
    : sync_(sync), gate_(gate), pass_(pass), context_(context) {
  sync_.Set(RefreshSync::kRun);
}

PassKind RefreshLoop::Next() const {
  if (holds_ > 0) return PassKind::None;
  if (pauses_ == 0) return PassKind::Full;
  return requested_;
}

void RefreshLoop::UpdateRun() {
  // Only a change reaches the event: setting it at every pass would cost a
  // system call for nothing.
  const bool run = stop_ || Next() != PassKind::None;
  if (run == run_) return;
  run_ = run;
  if (run)
    sync_.Set(RefreshSync::kRun);
  else
    sync_.Reset(RefreshSync::kRun);
}

void RefreshLoop::Run() {
  for (;;) {
    PassKind kind = PassKind::None;
    {
      Locked lock(sync_);
      while (!stop_ && (kind = Next()) == PassKind::None) {
        sync_.Unlock();
        sync_.Wait(RefreshSync::kRun, RefreshSync::kForever);
        sync_.Lock();
      }
      if (stop_) return;
      requested_ = PassKind::None;
      inPass_ = true;
      gate_.Open();
      UpdateRun();
    }
    pass_(context_, kind);
    EndOfPass();
    bool sleep = false;
    uint32_t interval = 0;
    {
      Locked lock(sync_);
      sleep = !stop_ && pauses_ == 0 && holds_ == 0;
      interval = static_cast<uint32_t>(interval_);
    }
    if (sleep) sync_.Wait(RefreshSync::kWake, interval);
  }
}

void RefreshLoop::Change(int& count, int step) {
  Locked lock(sync_);
  if (count + step >= 0) count += step;
  UpdateRun();
}

void RefreshLoop::Pause() { Change(pauses_, 1); }
void RefreshLoop::Resume() { Change(pauses_, -1); }
void RefreshLoop::Hold() { Change(holds_, 1); }
void RefreshLoop::Unhold() { Change(holds_, -1); }

void RefreshLoop::PauseMuted() {
  Locked lock(sync_);
  ++pauses_;
  gate_.Close();
  UpdateRun();
}

bool RefreshLoop::Paused() {
  Locked lock(sync_);
  return pauses_ > 0;
}

void RefreshLoop::RequestPass(PassKind kind) {
  Locked lock(sync_);
  if (kind > requested_) requested_ = kind;
  UpdateRun();
  sync_.Set(RefreshSync::kWake);
}

bool RefreshLoop::NoticeWhenIdle() {
  Locked lock(sync_);
  if (!inPass_) return false;
  idleWanted_ = true;
  return true;
}

void RefreshLoop::EndOfPass() {
  bool notice = false;
  {
    Locked lock(sync_);
    inPass_ = false;
    notice = idleWanted_;
    idleWanted_ = false;
  }
  if (notice) sync_.NoticeIdle();
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

void RefreshLoop::RequestStop() {
  Locked lock(sync_);
  stop_ = true;
  run_ = true;
  sync_.Set(RefreshSync::kRun);
  sync_.Set(RefreshSync::kWake);
}
