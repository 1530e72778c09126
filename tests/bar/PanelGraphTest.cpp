// The history graph behind a panel's text: its ring of values, the scale, the
// columns the drawing asks for, the history a reload keeps, and what each
// built-in sensor graphs from its reading.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "shared/core/PanelGraph.h"
#include "sensors/core/BuiltInGraphs.h"

namespace {

// The column heights left to right, as the drawing would ask for them.
std::vector<int> Columns(const PanelGraph& g, int height) {
  const int32_t top = g.Top();
  std::vector<int> columns;
  for (int x = 0; x < g.Capacity(); ++x) columns.push_back(g.ColumnHeight(x, height, top));
  return columns;
}

}  // namespace

TEST(PanelGraph, OneValuePerPixelNewestAtTheRightColumnsNotReachedEmpty) {
  PanelGraph g(GraphScale::Percent, 4);
  ASSERT_TRUE(g.HasGraph());
  EXPECT_EQ(g.Capacity(), 4);
  EXPECT_EQ(Columns(g, 20), (std::vector<int>{0, 0, 0, 0}));
  g.Push(50);
  g.Push(100);
  EXPECT_EQ(g.Count(), 2);
  EXPECT_EQ(Columns(g, 20), (std::vector<int>{0, 0, 10, 20}));
  int32_t v = -1;
  EXPECT_FALSE(g.ValueAt(1, v)) << "no pass has reached it yet";
  ASSERT_TRUE(g.ValueAt(3, v));
  EXPECT_EQ(v, 100);
  // Full: each pass moves every column one to the left and drops the oldest.
  for (int32_t p : {10, 20, 30, 40}) g.Push(p);
  EXPECT_EQ(g.Count(), 4);
  EXPECT_EQ(Columns(g, 20), (std::vector<int>{2, 4, 6, 8}));
  // A pass without a value leaves its column empty, and the rest move on.
  g.PushEmpty();
  EXPECT_EQ(Columns(g, 20), (std::vector<int>{4, 6, 8, 0}));
  EXPECT_FALSE(g.ValueAt(3, v));
  EXPECT_FALSE(g.ValueAt(4, v));
  EXPECT_FALSE(g.ValueAt(-1, v));
  g.Clear();
  EXPECT_EQ(Columns(g, 20), (std::vector<int>{0, 0, 0, 0}));

  // Alternating values give alternating columns.
  PanelGraph alternating(GraphScale::Largest, 5);
  for (int pass = 0; pass < 7; ++pass) alternating.Push(pass % 2 ? 100 : 0);
  EXPECT_EQ(Columns(alternating, 20), (std::vector<int>{0, 20, 0, 20, 0}));
}

TEST(PanelGraph, NoGraphWithoutWidthOrScale) {
  for (const PanelGraph& none : {PanelGraph(), PanelGraph(GraphScale::Percent, 0),
                                 PanelGraph(GraphScale::Largest, -3),
                                 PanelGraph(GraphScale::None, 80)}) {
    EXPECT_FALSE(none.HasGraph());
    EXPECT_EQ(none.Capacity(), 0);
  }
  PanelGraph none(GraphScale::None, 80);
  none.Push(5);
  none.PushEmpty();
  EXPECT_EQ(none.Count(), 0);
  int32_t v = 0;
  EXPECT_FALSE(none.ValueAt(0, v));
  // A graph moved away leaves none behind.
  PanelGraph kept(GraphScale::Largest, 3);
  kept.Push(9);
  PanelGraph taken(std::move(kept));
  EXPECT_FALSE(kept.HasGraph());
  kept.Push(1);
  EXPECT_EQ(kept.Count(), 0);
  ASSERT_TRUE(taken.ValueAt(2, v));
  EXPECT_EQ(v, 9);
  // A width read from a damaged setting: no cell is wider than 32767.
  EXPECT_EQ(PanelGraph(GraphScale::Largest, std::numeric_limits<int32_t>::max()).Capacity(), 32767);
}

TEST(PanelGraph, PercentIsFixedAndClampedOthersScaleToTheLargestVisibleValue) {
  PanelGraph percent(GraphScale::Percent, 3);
  percent.Push(-5);
  percent.Push(250);
  percent.Push(std::numeric_limits<int32_t>::min());  // a value, not an empty column
  EXPECT_EQ(percent.Top(), 100);
  int32_t v = 0;
  ASSERT_TRUE(percent.ValueAt(0, v));
  EXPECT_EQ(v, 0);
  ASSERT_TRUE(percent.ValueAt(1, v));
  EXPECT_EQ(v, 100);
  EXPECT_EQ(Columns(percent, 20), (std::vector<int>{0, 20, 0}));

  PanelGraph rate(GraphScale::Largest, 3);
  EXPECT_EQ(rate.Top(), 1) << "never below 1";
  rate.Push(0);
  rate.Push(-40);
  EXPECT_EQ(rate.Top(), 1);
  EXPECT_EQ(Columns(rate, 20), (std::vector<int>{0, 0, 0}));
  rate.Push(3000);
  EXPECT_EQ(rate.Top(), 3000);
  rate.Push(1000);
  rate.Push(2000);
  EXPECT_EQ(Columns(rate, 22), (std::vector<int>{22, 7, 15}));  // 7.33 and 14.67, rounded
  // Once the largest value has left the ring, the next largest is the top.
  rate.Push(500);
  EXPECT_EQ(rate.Top(), 2000);
  EXPECT_EQ(Columns(rate, 22), (std::vector<int>{11, 22, 6}));  // 5.5 rounds up
  // Values far apart stay exact: no overflow on the way.
  PanelGraph wide(GraphScale::Largest, 2);
  wide.Push(std::numeric_limits<int32_t>::max());
  wide.Push(std::numeric_limits<int32_t>::max() - 1);
  EXPECT_EQ(Columns(wide, 1000000), (std::vector<int>{1000000, 1000000}));
  EXPECT_EQ(wide.ColumnHeight(1, 0, wide.Top()), 0);
}

TEST(PanelGraph, AReloadKeepsTheHistoryOfTheSamePanelInTheSamePlace) {
  const GraphPlace cpu{1, 1, ""};
  const GraphPlace plugin{2, 0, "C:\\Corvella\\Dialtally.cvl"};
  EXPECT_TRUE(KeepsHistory(cpu, GraphPlace{1, 1, ""}));
  EXPECT_TRUE(KeepsHistory(plugin, GraphPlace{2, 0, "C:\\Corvella\\Dialtally.cvl"}));
  EXPECT_FALSE(KeepsHistory(cpu, GraphPlace{2, 1, ""})) << "moved to another slot";
  EXPECT_FALSE(KeepsHistory(cpu, GraphPlace{1, 2, ""})) << "another sensor in its slot";
  EXPECT_FALSE(KeepsHistory(plugin, GraphPlace{2, 0, "C:\\Corvella\\Resource.cvl"}));
  EXPECT_FALSE(KeepsHistory(cpu, GraphPlace{1, 0, "C:\\Corvella\\Dialtally.cvl"}));

  PanelGraph older(GraphScale::Largest, 4);
  for (int32_t p : {1, 2, 3, 4, 5, 6}) older.Push(p);
  older.PushEmpty();
  // A narrower cell keeps the newest values that fit, a wider one all of them.
  PanelGraph narrower(GraphScale::Largest, 2);
  narrower.TakeHistory(older);
  EXPECT_EQ(narrower.Count(), 2);
  EXPECT_EQ(Columns(narrower, 6), (std::vector<int>{6, 0}));
  PanelGraph wider(GraphScale::Largest, 6);
  wider.TakeHistory(older);
  EXPECT_EQ(wider.Count(), 4);
  EXPECT_EQ(Columns(wider, 6), (std::vector<int>{0, 0, 4, 5, 6, 0}));
  wider.Push(12);
  EXPECT_EQ(Columns(wider, 6), (std::vector<int>{0, 2, 3, 3, 0, 6}));
  // Values of another scale are not taken.
  PanelGraph percent(GraphScale::Percent, 4);
  percent.TakeHistory(older);
  EXPECT_EQ(percent.Count(), 0);
}

TEST(BuiltInGraphs, WhatEachBuiltInSensorGraphs) {
  const std::vector<int32_t> percent = {1, 2, 3, 7, 11};
  const std::vector<int32_t> largest = {4, 8, 9, 16, 17, 18, 19, 20, 22, 23, 24};
  const std::vector<int32_t> none = {5, 6, 10, 12, 13, 14, 15, 21};
  for (int32_t n : percent) EXPECT_EQ(BuiltInGraphScale(n), GraphScale::Percent) << n;
  for (int32_t n : largest) EXPECT_EQ(BuiltInGraphScale(n), GraphScale::Largest) << n;
  for (int32_t n : none) EXPECT_EQ(BuiltInGraphScale(n), GraphScale::None) << n;
  EXPECT_EQ(percent.size() + largest.size() + none.size(), 24u);
  EXPECT_EQ(BuiltInGraphScale(0), GraphScale::None);
  EXPECT_EQ(BuiltInGraphScale(25), GraphScale::None);
}

TEST(BuiltInGraphs, TheValueComesFromTheReadingThatMakesTheText) {
  EXPECT_EQ(CpuUsageGraphValue(37), 37);
  MemoryReadings memory;
  memory.AvailablePhysical = 1u << 30;
  memory.Load = 67;
  EXPECT_EQ(MemoryGraphValue(memory), 67);

  // The hit rate as the text rounds it (3 of 4: 75%; 1 of 8: 12.5 -> 12).
  DiskCacheReadings cache;
  EXPECT_EQ(DiskCacheGraphValue(cache), std::nullopt) << "the text's N/A";
  cache.Hits = 3;
  cache.Misses = 1;
  EXPECT_EQ(DiskCacheGraphValue(cache), 75);
  cache.Hits = 1;
  cache.Misses = 7;
  EXPECT_EQ(DiskCacheGraphValue(cache), 12);
  cache.Hits = 0x80000000u;  // read as negative, as the text reads it
  EXPECT_EQ(DiskCacheGraphValue(cache), 0);

  DiskReadings disk;
  disk.Reads = 1500;
  disk.Writes = 2500;
  EXPECT_EQ(DiskGraphValue(disk), 4000);
  disk.Reads = std::numeric_limits<uint64_t>::max();
  EXPECT_EQ(DiskGraphValue(disk), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(NetworkGraphValue(0xFFFFFFFFu, 0xFFFFFFFFu), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(NetworkGraphValue(100, 28), 128);
  EXPECT_EQ(ThreadsGraphValue(412), 412);

  SwapFileReadings swap;
  EXPECT_EQ(SwapFileGraphValue(swap), std::nullopt) << "no swap file";
  swap.Size = 400;
  swap.Used = 100;
  EXPECT_EQ(SwapFileGraphValue(swap), 25);
  swap.Used = 1;  // 0.25%
  EXPECT_EQ(SwapFileGraphValue(swap), 0);
  swap.Used = 900;
  EXPECT_EQ(SwapFileGraphValue(swap), 100);
  swap.Used = -5;
  EXPECT_EQ(SwapFileGraphValue(swap), 0);

  PowerReadings battery;
  EXPECT_EQ(BatteryGraphValue(battery), std::nullopt) << "Battery N/A";
  battery.Percent = 80;
  EXPECT_EQ(BatteryGraphValue(battery), 80);

  HardwareSettings hw;  // defaults: temperatures on, voltages and fans off
  EXPECT_EQ(TemperatureGraphValue(hw, 2, 38), 38);
  hw.TempEnabled[2] = false;
  EXPECT_EQ(TemperatureGraphValue(hw, 2, 38), std::nullopt);
  EXPECT_EQ(TemperatureGraphValue(hw, 5, 38), std::nullopt);
  EXPECT_EQ(CoreVoltageGraphValue(hw, 2.5), std::nullopt);
  EXPECT_EQ(FanGraphValue(hw, 2250), std::nullopt);
  hw.HardwareEnabled = true;
  EXPECT_EQ(CoreVoltageGraphValue(hw, 2.496), 250);
  EXPECT_EQ(CoreVoltageGraphValue(hw, 1e12), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(CoreVoltageGraphValue(hw, std::numeric_limits<double>::quiet_NaN()), std::nullopt);
  EXPECT_EQ(FanGraphValue(hw, 2250), 2250);
  EXPECT_EQ(FanGraphValue(hw, std::nullopt), std::nullopt) << "a fan of type None";
}
