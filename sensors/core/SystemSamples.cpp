#include "sensors/core/SystemSamples.h"

namespace {

// Round(part * scale / whole), halves to the even neighbour, for unsigned
// 64-bit quantities: the whole quotient and the remainder's share apart, so
// that nothing overflows (scale is at most 1000).
uint64_t RoundedRatio(uint64_t part, uint64_t scale, uint64_t whole) {
  // Halving both keeps the ratio and the remainder times scale in 64 bits.
  while (whole >= (uint64_t(1) << 54)) {
    part >>= 1;
    whole >>= 1;
  }
  const uint64_t remainder = part % whole;
  uint64_t result = part / whole * scale + remainder * scale / whole;
  const uint64_t twice = 2 * (remainder * scale % whole);
  if (twice > whole || (twice == whole && result % 2 != 0)) ++result;
  return result;
}

}  // namespace

uint32_t BusyShare::Update(const ProcessorTimes& now) {
  const uint64_t idle = now.Idle - kept_.Idle;
  const uint64_t total = (now.Kernel - kept_.Kernel) + (now.User - kept_.User);
  if (idle > total) {
    kept_ = now;
    return share_;
  }
  if (total < kMinimumWindow) return share_;
  share_ = static_cast<uint32_t>(RoundedRatio(total - idle, 100, total));
  kept_ = now;
  return share_;
}

uint64_t RateMeter::Update(uint64_t totalBytes, uint32_t tickMs) {
  if (!started_ || totalBytes < total_) {
    started_ = true;
    total_ = totalBytes;
    tick_ = tickMs;
    return rate_;
  }
  const uint32_t elapsed = tickMs - tick_;
  if (elapsed < kMinimumWindowMs) return rate_;
  rate_ = RoundedRatio(totalBytes - total_, 1000, elapsed);
  total_ = totalBytes;
  tick_ = tickMs;
  return rate_;
}
