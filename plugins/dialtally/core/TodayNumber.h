#pragma once
// The day number of the monthly tally, taken from the date as the system
// writes it in its short date format.
#include <cstdint>
#include <string>

// The day of the month in dateText, a date written with the short date
// picture (for example "M/d/yyyy", "dd.MM.yy", "yyyy-MM-dd", "d MMM yyyy").
// A picture that starts with the day keeps the plain reading: the number in
// the first two characters ("1/" gives 1). For any other picture the day
// field is found by its place among the picture's numeric fields, so a
// month-first or year-first format still yields the day and the tally still
// restarts each month. When the text does not match the picture, the plain
// reading is used.
int32_t TodayFromShortDate(const std::string& dateText, const std::string& picture);
