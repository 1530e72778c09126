#pragma once
// The dial-up connection timer shared by sensor 5 and warning kind 2: both
// count from the first refresh that saw the connection, so the time shown and
// the time checked agree.
#include <cstdint>
#include <string>

#include "shared/core/TextBuilder.h"

struct DialUpTimer {
  bool Timing = false;  // DialUpTiming
  uint32_t Start = 0;   // DialUpStart, a tick count

  void StartTiming(uint32_t now) {
    if (!Timing) {
      Timing = true;
      Start = now;
    }
  }
  void StopTiming() { Timing = false; }
  // Milliseconds since the start; wrap-safe across the tick counter's wrap.
  uint32_t Elapsed(uint32_t now) const { return now - Start; }
};

struct DialUpReadings {
  bool Windows98 = false;
  uint32_t Speed = 0;  // "Dial-Up Adapter\ConnectSpeed"; 9600 means no connection
  uint32_t Received = 0, Sent = 0;  // "...\TotalBytesRecvd", "...\TotalBytesXmit"
  bool Connected = false;  // IsDialUpConnected, where the rule asks it
  uint32_t Now = 0;        // tick count
};

// Sensor 5. The gatherer asks IsDialUpConnected only off Windows 98. The
// builder form writes into the sensor's buffer (cut at 79 characters).
void DialUpText(TextBuilder& out, const DialUpReadings& r, DialUpTimer& timer, const char* sep);
std::string DialUpText(const DialUpReadings& r, DialUpTimer& timer, const std::string& sep);

// Check 2: the connection has lasted more than threshold minutes. The
// gatherer asks IsDialUpConnected only when the speed is 0. Raises
// IntOverflowError when threshold x 60 does not fit 32 bits.
bool ConnectionTimeCheck(const DialUpReadings& r, DialUpTimer& timer, int32_t threshold);
