#pragma once
// The text conversions every deliverable shares with the settings store.
#include <cstdint>
#include <string>

// Decimal text of a signed 32-bit integer ("-" for negatives).
std::string IntToText(int32_t n);

// Lenient number reading: leading blanks, optional sign, then decimal digits
// or "$" and hexadecimal digits; reading stops at the first other character.
// Empty or non-numeric text gives 0. Decimal values beyond 32 bits saturate
// at the nearest 32-bit limit; hexadecimal text is a 32-bit pattern (so
// "$FFFFFFFF" is -1) and saturates the same way beyond eight digits.
int32_t TextToInt(const std::string& text);

// First n characters of text, or the empty text when text is shorter than n.
std::string LeftText(const std::string& text, int n);
