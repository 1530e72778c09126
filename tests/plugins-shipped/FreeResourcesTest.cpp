// The free-resources text and warning rule over answers a test chooses.
#include <gtest/gtest.h>

#include "plugins/resource/core/FreeResources.h"
#include "tests/fakes/MemorySettings.h"

namespace {

FreeResourceQuery Answers(int32_t system, int32_t gdi, int32_t user) {
  return [=](ResourceKind kind) {
    switch (kind) {
      case kSystemResources:
        return system;
      case kGdiResources:
        return gdi;
      case kUserResources:
        return user;
    }
    return int32_t{-1};
  };
}

}  // namespace

TEST(FreeResourcesText, SystemUserGdiWithTheBarsSeparator) {
  MemorySettings store;
  EXPECT_EQ(FreeResourcesText(store, Answers(85, 90, 80)), "85% / 80% / 90%");
  store.Set("Settings", "MultiInfoSep", ":");
  EXPECT_EQ(FreeResourcesText(store, Answers(85, 90, 80)), "85% : 80% : 90%");
  store.Set("Settings", "MultiInfoSep", "");
  EXPECT_EQ(FreeResourcesText(store, Answers(100, 0, 7)), "100% / 7% / 0%");
}

TEST(FreeResourcesWarning, HoldsOnlyWhileSomeKindIsStrictlyBelow) {
  EXPECT_TRUE(FreeResourcesBelow(5, Answers(50, 4, 60)));   // GDI at 4%
  EXPECT_TRUE(FreeResourcesBelow(5, Answers(4, 50, 60)));   // system
  EXPECT_TRUE(FreeResourcesBelow(5, Answers(50, 60, 4)));   // user
  EXPECT_FALSE(FreeResourcesBelow(4, Answers(50, 4, 60)));  // equal to the lowest
  EXPECT_FALSE(FreeResourcesBelow(5, Answers(5, 5, 5)));
}

TEST(FreeResourcesWarning, StopsAskingAtTheFirstKindBelow) {
  std::vector<int> asked;
  auto counting = [&](ResourceKind kind) {
    asked.push_back(kind);
    return kind == kSystemResources ? 1 : 50;
  };
  EXPECT_TRUE(FreeResourcesBelow(20, counting));
  EXPECT_EQ(asked, std::vector<int>{kSystemResources});
}
