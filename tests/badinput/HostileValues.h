#pragma once
// Hostile registry contents for every value the bar, its dialogs and the
// shipped monthly-tally plug-in read, and the message texts they may answer
// such contents with.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/WinTest.h"

namespace hostile {

enum class Kind {
  Empty,         // a string value holding ""
  Long,          // 10,000 characters, with format and path characters among them
  Letters,       // non-numeric text
  Huge,          // "99999999999", beyond 32 bits
  Negative,      // "-2147483648", the smallest 32-bit number
  Hex,           // "$FFFFFFFF", every bit set
  WrongType,     // REG_DWORD, REG_BINARY or REG_MULTI_SZ in turn, where a string is expected
  Unterminated,  // REG_SZ data "TRUE" stored without its terminating NUL
  Missing,       // no value at all
};
const char* NameOf(Kind k);
std::vector<Kind> AllKinds();

// One value: HKLM\Software\Veltrop\<app>\<section>, value name.
struct Place {
  std::string app;
  std::string section;
  std::string name;
};
// Every value read from "Settings", "Position", "Priorities", "LM78",
// "Plugins", the panel and warning lists (count and two entries each) and
// the monthly-tally plug-in's own "Settings".
std::vector<Place> EveryValue();

// Deletes every setting, then writes each place with the kind.
void FillEverything(Kind k);
void Put(const Place& p, Kind k, size_t turn = 0);

// The kind's text as the settings store reads it ("" for the default).
std::string StoredText(Kind k);

// A text the product may show in a box titled "Corvella": the numbered error
// reports, the warnings of the built-in kinds and the dialogs' own questions
// and notes. Empty when documented, else why not.
std::string Undocumented(const wintest::BoxRecord& box);
// Every recorded box checked; the texts of the offending ones.
std::string UndocumentedAmong(const std::vector<wintest::BoxRecord>& boxes);

// True for the decimal text of a 32-bit number, as the settings write it.
bool IsDecimal(const std::string& text);

}  // namespace hostile
