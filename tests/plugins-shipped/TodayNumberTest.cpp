// The day number from the short date, for day-, month- and year-first formats.
#include <gtest/gtest.h>

#include "plugins/dialtally/core/DialtallyCount.h"

TEST(TodayNumber, DayFirstPicturesKeepTheTwoCharacterReading) {
  EXPECT_EQ(TodayFromShortDate("31/12/1998", "dd/MM/yyyy"), 31);
  EXPECT_EQ(TodayFromShortDate("1/5/98", "d/M/yy"), 1);  // "1/" gives 1
  EXPECT_EQ(TodayFromShortDate("07.03.1999", "dd.MM.yyyy"), 7);
  EXPECT_EQ(TodayFromShortDate("5", "d/M/yy"), 0);  // fewer than two characters
}

TEST(TodayNumber, MonthAndYearFirstPicturesYieldTheDay) {
  EXPECT_EQ(TodayFromShortDate("5/19/1998", "M/d/yyyy"), 19);
  EXPECT_EQ(TodayFromShortDate("12/01/98", "MM/dd/yy"), 1);
  EXPECT_EQ(TodayFromShortDate("1998-05-19", "yyyy-MM-dd"), 19);
  EXPECT_EQ(TodayFromShortDate("98/5/9", "yy/M/d"), 9);
  // Month names and quoted literals are not numeric fields.
  EXPECT_EQ(TodayFromShortDate("May 19, 1998", "MMM d, yyyy"), 19);
  EXPECT_EQ(TodayFromShortDate("1998 y. 5 m. 19 d.", "yyyy 'y.' M 'm.' d 'd.'"), 19);
}

TEST(TodayNumber, TextThatDoesNotMatchThePictureFallsBackToTheFirstTwoCharacters) {
  EXPECT_EQ(TodayFromShortDate("12/1998", "M/d/yyyy"), 12);  // no third number: day would be 1998
  EXPECT_EQ(TodayFromShortDate("5/", "M/d/yyyy"), 5);
  EXPECT_EQ(TodayFromShortDate("", "M/d/yyyy"), 0);
  EXPECT_EQ(TodayFromShortDate("19.05.98", ""), 19);
}
