#include "plugins/dialtally/core/TodayNumber.h"

#include <cctype>
#include <vector>

#include "shared/core/VBText.h"

namespace {

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
