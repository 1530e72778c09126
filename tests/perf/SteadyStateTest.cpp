// Once started, a refresh pass's portable work allocates nothing: every
// built-in text composed into its buffer through the guarded call, 100
// warnings evaluated, half of them holding, and a panel's history graph fed
// and measured for drawing. Counted on this thread by the
// heap counter (replaced operator new, the sanitizer's malloc hook).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "shared/core/PanelGraph.h"
#include "tests/perf/HeapCounter.h"
#include "tests/perf/PortablePass.h"

namespace {

TEST(HeapCounter, SeesWhatAPassMustNotDo) {
  ASSERT_TRUE(heapcount::SeesMalloc());
  {
    heapcount::Scope scope;
    int* volatile kept = new int(7);  // volatile: the pair cannot be optimised away
    delete kept;
    const heapcount::Counts c = scope.Stop();
    EXPECT_EQ(c.News, 1);
    EXPECT_GE(c.Mallocs, 1);
  }
  {
    heapcount::Scope scope;
    void* (*volatile allocate)(size_t) = std::malloc;
    void* block = allocate(24);
    std::free(block);
    EXPECT_EQ(scope.Stop().News, 0);
  }
  {
    heapcount::Scope scope;
    std::string longer(40, 'x');
    EXPECT_GE(scope.Stop().Total(), 1);
  }
  {
    // Another thread's allocations are not this thread's.
    std::thread other([] {
      std::string* volatile kept = new std::string(100, 'y');
      delete kept;
    });
    heapcount::Scope scope;
    other.join();
    EXPECT_EQ(scope.Stop().News, 0);
  }
}

TEST(SteadyState, EveryBuiltInTextAndHundredWarningsWithoutTheHeap) {
  PortablePass pass;
  pass.Run();  // the first pass: each holding warning alerts once
  const size_t alerts = pass.Alerts().size();
  EXPECT_EQ(alerts, 50u);
  EXPECT_EQ(pass.Alerts()[0], "Disk space has dropped below 6000 Mb.");

  for (int i = 0; i < PortablePass::kSensors; ++i) {
    heapcount::Scope scope;
    pass.RunSensors();
    const heapcount::Counts c = scope.Stop();
    ASSERT_EQ(c.Total(), 0) << "a pass of sensors made " << c.News << " new and " << c.Mallocs
                            << " malloc calls";
  }
  {
    heapcount::Scope scope;
    for (int n = 0; n < 10; ++n) pass.RunWarnings();
    const heapcount::Counts c = scope.Stop();
    EXPECT_EQ(c.News, 0);
    EXPECT_EQ(c.Mallocs, 0);
  }
  EXPECT_EQ(pass.Alerts().size(), alerts) << "a condition that holds alerts only once";

  // The texts are whole and within the buffer; the long ones meet the cut.
  for (int i = 0; i < PortablePass::kSensors; ++i) {
    EXPECT_LE(TextBufferLength(pass.Text(i)), 79u) << pass.SensorNumber(i);
    EXPECT_EQ(pass.CallForString(pass.Sensor(i)), pass.Text(i)) << pass.SensorNumber(i);
  }
  EXPECT_STREQ(pass.Text(4), "0:09:59 / 28800bps / 2Kb / 4Kb");
  EXPECT_STREQ(pass.Text(18), "+5.01V / -5.04V / +12.14V / -11.99V");
  EXPECT_EQ(TextBufferLength(pass.Text(3)), 79u);
}

TEST(SteadyState, AGraphAllocatesItsRingOnceAndNothingInAPassOrWhenDrawn) {
  heapcount::Scope creation;
  PanelGraph graph(GraphScale::Largest, 120);
  EXPECT_EQ(creation.Stop().News, 1) << "the ring, once";
  heapcount::Scope passes;
  int drawn = 0;
  for (int32_t pass = 0; pass < 1000; ++pass) {
    if (pass % 7 == 0)
      graph.PushEmpty();
    else
      graph.Push(pass * 37 % 500);
    const int32_t top = graph.Top();
    for (int x = 0; x < graph.Capacity(); ++x) drawn += graph.ColumnHeight(x, 20, top);
  }
  EXPECT_EQ(passes.Stop().Total(), 0);
  EXPECT_GT(drawn, 0);
}

TEST(SteadyState, TheStringFormOfTheCallIsTheOneThatAllocates) {
  PortablePass pass;
  pass.Run();
  heapcount::Scope scope;
  const std::string text = pass.CallForString(pass.Sensor(4));  // 30 characters
  EXPECT_GE(scope.Stop().Total(), 1);
  EXPECT_EQ(text.size(), 30u);
}

}  // namespace
