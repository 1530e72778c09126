#include "settings/core/UrlTarget.h"

#include <gtest/gtest.h>

TEST(UrlLabelTarget, PrefersANonBlankUrlAndFallsBackToTheCaption) {
  EXPECT_EQ(UrlLabelTarget("http://a/", "caption"), "http://a/");
  EXPECT_EQ(UrlLabelTarget("  http://a/\t", "caption"), "http://a/");
  EXPECT_EQ(UrlLabelTarget("", " http://b/ "), "http://b/");
  EXPECT_EQ(UrlLabelTarget(" \t ", "http://b/"), "http://b/");
  EXPECT_EQ(UrlLabelTarget("", ""), "");
  EXPECT_EQ(UrlLabelTarget("  ", " \r\n"), "");
}
