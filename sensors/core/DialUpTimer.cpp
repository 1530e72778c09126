#include "sensors/core/DialUpTimer.h"

#include "sensors/core/CheckedMath.h"

namespace {

constexpr uint32_t kNoConnectionSpeed = 9600;

bool LastedLongerThan(const DialUpTimer& timer, uint32_t now, int32_t minutes) {
  return timer.Elapsed(now) * 0.001 > static_cast<double>(CheckedMul(minutes, 60));
}

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
  timer.StartTiming(r.Now);
  return LastedLongerThan(timer, r.Now, threshold);
}
