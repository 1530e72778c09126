#include "sensors/core/DialUpTimer.h"

#include "sensors/core/CheckedMath.h"

namespace {

constexpr uint32_t kNoConnectionSpeed = 9600;

}  // namespace

void DialUpText(TextBuilder& out, const DialUpReadings& r, DialUpTimer& timer, const char* sep) {
  if (r.Windows98) {
    if (r.Speed == 0) {
      out.Append("No Dial-Up Adapter Information Available");
      return;
    }
    if (r.Speed == kNoConnectionSpeed) {
      timer.StopTiming();
      out.Append("0:00:00");
    } else {
      timer.StartTiming(r.Now);
      out.AppendDuration(timer.Elapsed(r.Now));
    }
    out.Append(sep).AppendInt(static_cast<int32_t>(r.Speed)).Append("bps").Append(sep);
    out.AppendInt(RoundKb(static_cast<int32_t>(r.Received))).Append("Kb").Append(sep);
    out.AppendInt(RoundKb(static_cast<int32_t>(r.Sent))).Append("Kb");
    return;
  }
  if (r.Connected) {
    timer.StartTiming(r.Now);
    out.AppendDuration(timer.Elapsed(r.Now));
    return;
  }
  timer.StopTiming();
  out.Append("0:00:00");
}

std::string DialUpText(const DialUpReadings& r, DialUpTimer& timer, const std::string& sep) {
  return ComposedText([&](TextBuilder& out) { DialUpText(out, r, timer, sep.c_str()); });
}

bool ConnectionTimeCheck(const DialUpReadings& r, DialUpTimer& timer, int32_t threshold) {
  if (r.Speed == kNoConnectionSpeed || (r.Speed == 0 && !r.Connected)) {
    timer.StopTiming();
    return false;
  }
  // The limit first: a threshold whose seconds overflow raises with the
  // timer left as it was.
  const double limitSeconds = static_cast<double>(CheckedMul(threshold, 60));
  timer.StartTiming(r.Now);
  return timer.Elapsed(r.Now) * 0.001 > limitSeconds;
}
