#include "sensors/core/DialUpTimer.h"

#include "sensors/core/CheckedMath.h"
#include "sensors/core/SensorTexts.h"
#include "shared/core/VBText.h"

namespace {

constexpr uint32_t kNoConnectionSpeed = 9600;

bool LastedLongerThan(const DialUpTimer& timer, uint32_t now, int32_t minutes) {
  return timer.Elapsed(now) * 0.001 > static_cast<double>(CheckedMul(minutes, 60));
}

}  // namespace

std::string DialUpText(const DialUpReadings& r, DialUpTimer& timer, const std::string& sep) {
  if (r.Windows98) {
    if (r.Speed == 0) return "No Dial-Up Adapter Information Available";
    const std::string tail = sep + IntToText(static_cast<int32_t>(r.Speed)) + "bps" + sep +
                             IntToText(RoundKb(static_cast<int32_t>(r.Received))) + "Kb" + sep +
                             IntToText(RoundKb(static_cast<int32_t>(r.Sent))) + "Kb";
    if (r.Speed == kNoConnectionSpeed) {
      timer.StopTiming();
      return "0:00:00" + tail;
    }
    timer.StartTiming(r.Now);
    return DurationText(timer.Elapsed(r.Now)) + tail;
  }
  if (r.Connected) {
    timer.StartTiming(r.Now);
    return DurationText(timer.Elapsed(r.Now));
  }
  timer.StopTiming();
  return "0:00:00";
}

bool ConnectionTimeCheck(const DialUpReadings& r, DialUpTimer& timer, int32_t threshold) {
  if (r.Speed == kNoConnectionSpeed || (r.Speed == 0 && !r.Connected)) {
    timer.StopTiming();
    return false;
  }
  timer.StartTiming(r.Now);
  return LastedLongerThan(timer, r.Now, threshold);
}
