#pragma once
// Number formatting shared by the bar and the built-in sensors (portable).
#include <cstdint>
#include <string>

// H:MM:SS for a count of milliseconds; hours are not padded. "Error" on failure.
std::string FormatDuration(int32_t ms);
// The largest integer not above x, as decimal text.
std::string FloorText(double x);
// The text itself when its value is above 9, else "0" + text.
std::string PadTwo(const std::string& text);
// Fixed notation with exactly two decimals ("2.50", "-11.99").
std::string FormatFixed2(double x);
// The root (first three characters) of the n-th entry, from 1, of a
// GetLogicalDriveStringsA list held in a 257-character buffer; empty when the
// list ends before it.
std::string DriveRootOf(const char* list, int n);
