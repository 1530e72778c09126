#include "plugins/dialtally/core/DialtallyCount.h"

#include "shared/core/TextBuilder.h"
#include "shared/core/CvlError.h"
#include "shared/core/VBText.h"

namespace {

std::string Read(SettingsSource& store, const char* key, const char* def) {
  return store.GetSetting(kDialtallyApp, kDialtallySection, key, def);
}

void WriteIgnoringFailure(SettingsSource& store, const char* key, const std::string& value) {
  try {
    store.SaveSetting(kDialtallyApp, kDialtallySection, key, value);
  } catch (const CvlError&) {
    // A lost write costs at most one interval of the tally; the text still shows.
  }
}

}  // namespace

Connection ConnectionFromSpeed(uint32_t connectSpeed) {
  if (connectSpeed == 0) return Connection::Unknown;
  if (connectSpeed == 9600) return Connection::NotSeen;
  return Connection::Seen;
}

DialtallyState LoadDialtallyState(SettingsSource& store) {
  DialtallyState s;
  s.active = Read(store, "NetActive", "FALSE") == "TRUE";
  s.stamp = static_cast<uint32_t>(TextToInt(Read(store, "TimeConnected", "0")));
  s.total = TextToInt(Read(store, "TotalTime", "0"));
  s.lastDate = TextToInt(Read(store, "LastDate", "0"));
  s.count = TextToInt(Read(store, "NoConnections", "0"));
  return s;
}

void SaveDialtallyState(SettingsSource& store, const DialtallyState& s) {
  // Tick counts above 2^31 are kept as their signed 32-bit text.
  WriteIgnoringFailure(store, "TimeConnected", IntToText(static_cast<int32_t>(s.stamp)));
  WriteIgnoringFailure(store, "TotalTime", IntToText(s.total));
  WriteIgnoringFailure(store, "LastDate", IntToText(s.lastDate));
  WriteIgnoringFailure(store, "NoConnections", IntToText(s.count));
  WriteIgnoringFailure(store, "NetActive", s.active ? "TRUE" : "FALSE");
}

void ApplyMonthReset(DialtallyState& s, int32_t today) {
  if (s.lastDate > today) {
    s.total = 0;
    s.count = 0;
  }
}

void ApplyConnection(DialtallyState& s, Connection seen, uint32_t now) {
  if (seen == Connection::Unknown) return;
  if (seen == Connection::NotSeen) {
    if (s.active) {
      s.active = false;
      s.stamp = 0;
    }
    return;
  }
  // Unsigned 32-bit arithmetic carries the difference across the tick
  // count's wrap; only an implausibly long one marks a stamp of another run.
  const bool stampOfThisRun = s.stamp != 0 && now - s.stamp <= kLongestInterval;
  if (s.active && !stampOfThisRun) s.active = false;
  if (!s.active) {
    s.count = static_cast<int32_t>(static_cast<uint32_t>(s.count) + 1u);
    s.active = true;
    s.stamp = now;
  }
  s.total = static_cast<int32_t>(static_cast<uint32_t>(s.total) + (now - s.stamp));
  s.stamp = now;
}

std::string DialtallyText(int32_t count, const std::string& separator, int32_t totalMs) {
  // A negative total (a wrapped sum) has no clock face.
  const std::string time =
      totalMs < 0 ? "Error" : ComposedText([&](TextBuilder& out) { out.AppendDuration(totalMs); });
  return IntToText(count) + " " + separator + " " + time;
}

std::string RunDialtally(SettingsSource& store, int32_t today, Connection seen, uint32_t now) {
  DialtallyState s = LoadDialtallyState(store);
  ApplyMonthReset(s, today);
  ApplyConnection(s, seen, now);
  s.lastDate = today;
  const std::string sep = store.GetSetting(kAppName, "Settings", "MultiInfoSep", "/");
  const std::string text = DialtallyText(s.count, sep, s.total);
  SaveDialtallyState(store, s);
  return text;
}
