#include "plugins/dialtally/core/DialtallyCount.h"

#include <cctype>
#include <vector>

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

int32_t PlainReading(const std::string& dateText) { return TextToInt(LeftText(dateText, 2)); }

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Index of the day among the picture's numeric fields (d, dd, M, MM, y...),
// or -1 when the picture has no numeric day. Day and month names (ddd, MMM)
// and quoted literals are not numbers in the text and are skipped.
int DayFieldIndex(const std::string& picture) {
  int numeric = 0;
  for (size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      const size_t close = picture.find('\'', i + 1);
      i = close == std::string::npos ? picture.size() : close + 1;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (c == 'd' && run <= 2) return numeric;
    if ((c == 'M' && run <= 2) || c == 'y') ++numeric;
    i += run;
  }
  return -1;
}

std::vector<int32_t> DigitGroups(const std::string& text) {
  std::vector<int32_t> groups;
  for (size_t i = 0; i < text.size();) {
    if (!IsDigit(text[i])) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < text.size() && IsDigit(text[end])) ++end;
    groups.push_back(TextToInt(text.substr(i, end - i)));
    i = end;
  }
  return groups;
}

}  // namespace

Connection ConnectionFromSpeed(uint32_t connectSpeed) {
  if (connectSpeed == 0) return Connection::Unknown;
  if (connectSpeed == 9600) return Connection::NotSeen;
  return Connection::Seen;
}

int32_t TodayFromShortDate(const std::string& dateText, const std::string& picture) {
  const size_t leadingDays = picture.find_first_not_of('d');
  if (picture.empty() || leadingDays == 1 || leadingDays == 2) return PlainReading(dateText);
  const int index = DayFieldIndex(picture);
  const std::vector<int32_t> groups = DigitGroups(dateText);
  if (index < 0 || static_cast<size_t>(index) >= groups.size()) return PlainReading(dateText);
  const int32_t day = groups[static_cast<size_t>(index)];
  if (day < 1 || day > 31) return PlainReading(dateText);
  return day;
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
