#pragma once
// The monthly connection tally: five string values under the plug-in's own
// application key, updated by one transition per sensor call, and the day
// number read from the system's date text. Portable: the caller supplies the
// date, what it saw of the connection and the tick count.
#include <cstdint>
#include <string>

#include "shared/core/SettingsSource.h"

constexpr const char* kDialtallyApp = "DialtallyPlugin";
constexpr const char* kDialtallySection = "Settings";

struct DialtallyState {
  bool active = false;   // NetActive: a connection was seen at the previous call
  uint32_t stamp = 0;    // TimeConnected: tick count of the previous call while connected
  int32_t total = 0;     // TotalTime: milliseconds connected this month (wraps)
  int32_t lastDate = 0;  // LastDate: day number of the previous call
  int32_t count = 0;     // NoConnections: connections started this month
};

// What one call learnt about the connection. Unknown (a Windows 98 connect
// speed of 0) leaves the connection state as it was.
enum class Connection { Seen, NotSeen, Unknown };

// Windows 98 dial-up adapter speed: 9600 is what the adapter reports with no
// call up, 0 means no adapter statistics at all.
Connection ConnectionFromSpeed(uint32_t connectSpeed);

DialtallyState LoadDialtallyState(SettingsSource& store);
// Writes TimeConnected, TotalTime, LastDate, NoConnections, NetActive in this
// order. A value that cannot be stored is skipped; the rest are still written.
void SaveDialtallyState(SettingsSource& store, const DialtallyState& state);

// The day of the month in dateText, a date written with the short date
// picture (for example "M/d/yyyy", "dd.MM.yy", "yyyy-MM-dd", "d MMM yyyy").
// A picture that starts with the day keeps the plain reading: the number in
// the first two characters ("1/" gives 1). For any other picture the day
// field is found by its place among the picture's numeric fields, so a
// month-first or year-first format still yields the day and the tally still
// restarts each month. When the text does not match the picture, the plain
// reading is used.
int32_t TodayFromShortDate(const std::string& dateText, const std::string& picture);

// A day number below the stored one means a new month has begun.
void ApplyMonthReset(DialtallyState& state, int32_t today);

// The longest interval between two calls taken as one stretch of a
// connection: 24 days. A stamp written before Windows was restarted nearly
// always lies far "ahead" of the new tick count, which makes the unsigned
// difference close to 2^32 (49.7 days).
constexpr uint32_t kLongestInterval = 24u * 24 * 60 * 60 * 1000;

// One transition of the tally at tick count now.
//   inactive + seen     -> active, count + 1, stamp := now
//   active   + seen     -> total + (now - stamp), stamp := now
//   active   + not seen -> inactive, stamp := 0
//   inactive + not seen -> unchanged;  unknown -> unchanged
// The difference now - stamp is taken in 32-bit arithmetic, so a connection
// that lasts across the tick count's wrap after 49.7 days of uptime is
// counted as usual. A stamp of an active connection that is 0, or whose
// difference exceeds kLongestInterval, cannot come from the tick count's
// current run: Windows was restarted since it was written (the count began
// again from 0), or the disconnection was only half written. Either way the
// earlier connection has ended and the time since is unknown, so nothing is
// added and the connection seen now counts as a new one.
void ApplyConnection(DialtallyState& state, Connection seen, uint32_t now);

// "<count> <sep> <H:MM:SS>", e.g. "3 / 1:02:05".
std::string DialtallyText(int32_t count, const std::string& separator, int32_t totalMs);

// The whole sensor call: read the state and the separator, reset at a new
// month, apply the transition, write the state back and answer the text.
std::string RunDialtally(SettingsSource& store, int32_t today, Connection seen, uint32_t now);
