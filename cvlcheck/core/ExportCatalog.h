#pragma once
// Every export of the plug-in contract as the checker sees it: how it is
// called, which role it serves, whether that role needs it, and what the bar
// does without it. A new export is one more row of the table.
#include <string>
#include <vector>

enum class ExportShape {
  Number,     // int32 ()
  Text,       // void (TextBuffer)
  Icon,       // HBITMAP ()
  Procedure,  // void (): shows a window, never called by the checker
  Check,      // int32 (int32 threshold): the warning's 32-bit boolean
};

enum class ExportRole { Plugin, Sensor, Warning };

struct ExportEntry {
  const char* name;
  ExportShape shape;
  ExportRole role;
  bool required;  // for its role: the role cannot work without it
  // Its place in the bar's reading of the information record (0: not part of
  // it). The bar reads the exports of a role in rising order and stops at the
  // first that is missing or fails; exports of one place are stored together,
  // so a later one missing costs the earlier ones of its place too.
  int infoStep;
  const char* without;  // what the bar does when the export is missing
};

// In the order the checker reports and calls them.
const std::vector<ExportEntry>& ExportCatalog();
// "sensor", "warning" or "every plug-in".
const char* RoleName(ExportRole role);
