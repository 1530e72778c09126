#pragma once
// Figures that NT-family systems give as running totals rather than as the
// ready-made rates and shares of the Windows 9x counters: the busy share of
// the processors from two samples of their times, and a rate per second from
// two samples of a byte total. Each keeps the sample it measures from;
// unsigned differences carry a counter across its wrap-around.
#include <cstdint>

// Processor times in 100 ns units, summed over every processor, as the
// system counts them since it started; kernel time includes idle time.
struct ProcessorTimes {
  uint64_t Idle = 0, Kernel = 0, User = 0;
};

class BusyShare {
 public:
  // Busy time shorter than this (in 100 ns units of all processors together)
  // measures nothing: the window grows until the next reading.
  static constexpr uint64_t kMinimumWindow = 2000000;  // 200 ms

  // The busy share in % (0-100) since the kept sample, rounded half to
  // even. The first reading measures from the system's start. A window too
  // short keeps the kept sample and answers the last share; a sample that
  // went back (more idle than elapsed time) starts measuring again from it.
  uint32_t Update(const ProcessorTimes& now);

 private:
  ProcessorTimes kept_;
  uint32_t share_ = 0;
};

class RateMeter {
 public:
  // Samples closer together than this (ms) measure nothing.
  static constexpr uint32_t kMinimumWindowMs = 250;

  // Bytes per second between the kept sample and this one (total bytes so
  // far, tick count in ms), rounded half to even. The first reading has no
  // rate yet (0); a window too short answers the last rate and keeps the
  // kept sample; a total that went back starts measuring again from it.
  uint64_t Update(uint64_t totalBytes, uint32_t tickMs);

 private:
  bool started_ = false;
  uint64_t total_ = 0;
  uint32_t tick_ = 0;
  uint64_t rate_ = 0;
};
