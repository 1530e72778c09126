// The monthly tally's state machine, month reset, Windows 98 speeds and text,
// over an in-memory settings store.
#include <gtest/gtest.h>

#include "plugins/dialtally/core/DialtallyCount.h"
#include "tests/fakes/MemorySettings.h"

namespace {

std::string Stored(MemorySettings& store, const char* key) {
  auto it = store.values.find(std::make_tuple(std::string(kDialtallyApp),
                                              std::string(kDialtallySection), std::string(key)));
  return it == store.values.end() ? "<missing>" : it->second;
}

void Store(MemorySettings& store, const char* key, const std::string& value) {
  store.values[std::make_tuple(std::string(kDialtallyApp), std::string(kDialtallySection),
                               std::string(key))] = value;
}

DialtallyState Active(uint32_t stamp, int32_t total, int32_t count) {
  DialtallyState s;
  s.active = true;
  s.stamp = stamp;
  s.total = total;
  s.count = count;
  return s;
}

}  // namespace

TEST(DialtallyTransitions, FourTransitionsOfTheTable) {
  // inactive, seen: a new connection starts and adds nothing yet.
  DialtallyState s;
  s.count = 2;
  s.total = 500;
  ApplyConnection(s, Connection::Seen, 10000);
  EXPECT_TRUE(s.active);
  EXPECT_EQ(s.count, 3);
  EXPECT_EQ(s.stamp, 10000u);
  EXPECT_EQ(s.total, 500);

  // active, seen: the interval since the stamp is added.
  ApplyConnection(s, Connection::Seen, 11000);
  EXPECT_TRUE(s.active);
  EXPECT_EQ(s.count, 3);
  EXPECT_EQ(s.stamp, 11000u);
  EXPECT_EQ(s.total, 1500);

  // active, not seen: the connection ends, the stamp is cleared, totals stay.
  ApplyConnection(s, Connection::NotSeen, 12000);
  EXPECT_FALSE(s.active);
  EXPECT_EQ(s.stamp, 0u);
  EXPECT_EQ(s.total, 1500);
  EXPECT_EQ(s.count, 3);

  // inactive, not seen: nothing changes.
  ApplyConnection(s, Connection::NotSeen, 13000);
  EXPECT_FALSE(s.active);
  EXPECT_EQ(s.stamp, 0u);
  EXPECT_EQ(s.total, 1500);
  EXPECT_EQ(s.count, 3);
}

TEST(DialtallyTransitions, StampFromBeforeARestartAddsNothingAndStartsANewConnection) {
  // Stored while connected 3 days into the previous run; Windows has been up
  // 90 seconds since. Plain subtraction would add about 49 days.
  DialtallyState s = Active(259200000u, 7000, 4);
  ApplyConnection(s, Connection::Seen, 90000u);
  EXPECT_TRUE(s.active);
  EXPECT_EQ(s.total, 7000);
  EXPECT_EQ(s.count, 5);
  EXPECT_EQ(s.stamp, 90000u);
  // The next call counts from there as usual.
  ApplyConnection(s, Connection::Seen, 91000u);
  EXPECT_EQ(s.total, 8000);
  EXPECT_EQ(s.count, 5);

  // A half-written disconnection (stamp cleared, NetActive still "TRUE")
  // would otherwise add the whole uptime.
  s = Active(0, 7000, 4);
  ApplyConnection(s, Connection::Seen, 3600000u);
  EXPECT_EQ(s.total, 7000);
  EXPECT_EQ(s.count, 5);
}

TEST(DialtallyTransitions, TheTickCountsWrapAfter49DaysIsCountedNotTakenForARestart) {
  // Connected across the wrap of the 32-bit tick count: 4096 ms before it,
  // 2048 ms after it.
  DialtallyState s = Active(0xFFFFF000u, 7000, 4);
  ApplyConnection(s, Connection::Seen, 0x00000800u);
  EXPECT_TRUE(s.active);
  EXPECT_EQ(s.total, 7000 + 6144);
  EXPECT_EQ(s.count, 4) << "the same connection goes on";
  EXPECT_EQ(s.stamp, 0x00000800u);

  // Up to 24 days between two calls count as one interval; anything longer
  // can only be a stamp of an earlier run of Windows.
  const uint32_t days24 = 24u * 24 * 60 * 60 * 1000;
  s = Active(1000, 0, 4);
  ApplyConnection(s, Connection::Seen, 1000 + days24);
  EXPECT_EQ(static_cast<uint32_t>(s.total), days24);
  EXPECT_EQ(s.count, 4);
  s = Active(1000, 0, 4);
  ApplyConnection(s, Connection::Seen, 1000 + days24 + 1);
  EXPECT_EQ(s.total, 0);
  EXPECT_EQ(s.count, 5);
}

TEST(DialtallyMonth, ResetsOnlyWhenTheDayNumberFalls) {
  DialtallyState s = Active(1000, 3725000, 3);
  s.lastDate = 31;
  ApplyMonthReset(s, 1);
  EXPECT_EQ(s.total, 0);
  EXPECT_EQ(s.count, 0);
  EXPECT_TRUE(s.active);  // the connection itself goes on

  s = Active(1000, 3725000, 3);
  s.lastDate = 15;
  ApplyMonthReset(s, 20);
  EXPECT_EQ(s.total, 3725000);
  EXPECT_EQ(s.count, 3);

  s.lastDate = 20;
  ApplyMonthReset(s, 20);
  EXPECT_EQ(s.count, 3);
}

TEST(DialtallyMonth, ResetRunsBeforeTheTransitionOfTheSameCall) {
  MemorySettings store;
  Store(store, "LastDate", "31");
  Store(store, "NoConnections", "9");
  Store(store, "TotalTime", "3600000");
  Store(store, "NetActive", "TRUE");
  Store(store, "TimeConnected", "5000");
  EXPECT_EQ(RunDialtally(store, 1, Connection::Seen, 6000), "0 / 0:00:01");
  EXPECT_EQ(Stored(store, "NoConnections"), "0");
  EXPECT_EQ(Stored(store, "TotalTime"), "1000");
  EXPECT_EQ(Stored(store, "LastDate"), "1");
}

TEST(DialtallyWindows98, SpeedsEndStartAndLeaveConnections) {
  EXPECT_EQ(ConnectionFromSpeed(9600), Connection::NotSeen);
  EXPECT_EQ(ConnectionFromSpeed(0), Connection::Unknown);
  EXPECT_EQ(ConnectionFromSpeed(28800), Connection::Seen);

  MemorySettings store;
  Store(store, "NetActive", "TRUE");
  Store(store, "TimeConnected", "5000");
  Store(store, "NoConnections", "2");
  Store(store, "TotalTime", "60000");
  Store(store, "LastDate", "10");

  // 9600 ends the connection.
  RunDialtally(store, 10, ConnectionFromSpeed(9600), 6000);
  EXPECT_EQ(Stored(store, "NetActive"), "FALSE");
  EXPECT_EQ(Stored(store, "TimeConnected"), "0");
  EXPECT_EQ(Stored(store, "TotalTime"), "60000");

  // The next 28800 starts a new one and counts it.
  RunDialtally(store, 10, ConnectionFromSpeed(28800), 7000);
  EXPECT_EQ(Stored(store, "NetActive"), "TRUE");
  EXPECT_EQ(Stored(store, "NoConnections"), "3");
  EXPECT_EQ(Stored(store, "TimeConnected"), "7000");

  // 0 changes nothing: still active, same stamp, no time added.
  EXPECT_EQ(RunDialtally(store, 10, ConnectionFromSpeed(0), 9000), "3 / 0:01:00");
  EXPECT_EQ(Stored(store, "NetActive"), "TRUE");
  EXPECT_EQ(Stored(store, "TimeConnected"), "7000");
  EXPECT_EQ(Stored(store, "TotalTime"), "60000");

  // So the time under speed 0 is counted once a speed is seen again.
  RunDialtally(store, 10, ConnectionFromSpeed(28800), 10000);
  EXPECT_EQ(Stored(store, "TotalTime"), "63000");
}

TEST(DialtallyCall, FirstCallEverWritesAllFiveValuesInOrder) {
  MemorySettings store;
  EXPECT_EQ(RunDialtally(store, 17, Connection::NotSeen, 123456), "0 / 0:00:00");
  const std::vector<std::string> expected = {
      "Settings/TimeConnected=0", "Settings/TotalTime=0", "Settings/LastDate=17",
      "Settings/NoConnections=0", "Settings/NetActive=FALSE"};
  EXPECT_EQ(store.writes, expected);
  // Under the plug-in's own key, not the bar's.
  EXPECT_EQ(Stored(store, "LastDate"), "17");
  EXPECT_EQ(store.Get("Settings", "LastDate"), "<missing>");
}

TEST(DialtallyCall, TickCountsAboveTwoToThe31AndTotalsThatWrap) {
  MemorySettings store;
  Store(store, "TotalTime", "2147483000");
  RunDialtally(store, 3, Connection::Seen, 0xFFFFF000u);
  EXPECT_EQ(Stored(store, "TimeConnected"), "-4096");  // signed 32-bit text
  // read back as the same tick count; the total wraps instead of failing
  RunDialtally(store, 3, Connection::Seen, 0xFFFFF000u + 1500u);
  EXPECT_EQ(Stored(store, "TotalTime"), "-2147482796");
}

TEST(DialtallyCall, AFailedWriteSkipsOnlyThatValue) {
  MemorySettings store;
  store.failOnWrite = "TotalTime";
  EXPECT_EQ(RunDialtally(store, 5, Connection::Seen, 1000), "1 / 0:00:00");
  EXPECT_EQ(Stored(store, "TotalTime"), "<missing>");
  EXPECT_EQ(Stored(store, "NoConnections"), "1");
  EXPECT_EQ(Stored(store, "NetActive"), "TRUE");
}

TEST(DialtallyText, SeparatorFromTheBarsSettings) {
  EXPECT_EQ(DialtallyText(3, "|", 3725000), "3 | 1:02:05");
  EXPECT_EQ(DialtallyText(12, "/", 36000000), "12 / 10:00:00");
  // A total that wrapped past 2^31 ms has no clock face.
  EXPECT_EQ(DialtallyText(1, "/", -1), "1 / Error");
  EXPECT_EQ(DialtallyText(1, "/", INT32_MIN), "1 / Error");

  MemorySettings store;
  store.Set("Settings", "MultiInfoSep", "|");
  Store(store, "NoConnections", "3");
  Store(store, "TotalTime", "3725000");
  Store(store, "LastDate", "4");
  EXPECT_EQ(RunDialtally(store, 4, Connection::NotSeen, 1), "3 | 1:02:05");
  // An empty separator setting reads as the default "/".
  store.Set("Settings", "MultiInfoSep", "");
  EXPECT_EQ(RunDialtally(store, 4, Connection::NotSeen, 1), "3 / 1:02:05");
}
