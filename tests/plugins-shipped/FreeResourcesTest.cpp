// The free-resources text and warning rule over answers a test chooses.
#include <gtest/gtest.h>

#include "plugins/resource/core/FreeResources.h"
#include "tests/fakes/MemorySettings.h"

namespace {

FreeResourceQuery Answers(int32_t system, int32_t gdi, int32_t user) {
  return [=](ResourceKind kind) {
    return kind == kSystemResources ? system : kind == kGdiResources ? gdi : user;
  };
}

}  // namespace

TEST(FreeResources, TextIsSystemUserGdiAndTheWarningNeedsStrictlyBelow) {
  MemorySettings store;
  EXPECT_EQ(FreeResourcesText(store, Answers(85, 90, 80)), "85% / 80% / 90%");
  store.Set("Settings", "MultiInfoSep", "|");
  EXPECT_EQ(FreeResourcesText(store, Answers(100, 0, 7)), "100% | 7% | 0%");

  EXPECT_TRUE(FreeResourcesBelow(5, Answers(50, 4, 60)));
  EXPECT_TRUE(FreeResourcesBelow(5, Answers(50, 60, 4)));
  EXPECT_FALSE(FreeResourcesBelow(4, Answers(50, 4, 60)));
}
