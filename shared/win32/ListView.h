#pragma once
// A report-style list view of text rows. Does not own the window.
#include <string>
#include <vector>

#include "shared/win32/Window.h"

class ListView : public Window {
 public:
  using Window::Window;
  struct Column {
    const char* caption;
    int width;
    int format;  // LVCFMT_LEFT, LVCFMT_CENTER or LVCFMT_RIGHT
  };
  void AddColumns(const std::vector<Column>& columns) const;
  // A row at index: its caption, then the texts of its sub-items.
  void InsertRow(int index, const std::vector<std::string>& texts) const;
  void SetCell(int row, int column, const std::string& text) const;
  void Clear() const;
  // The next row after row (-1: the first) with the state flags (LVNI_...); -1 when none.
  int Next(int row, unsigned flags) const;
  std::vector<bool> Selected() const;
  void DeleteRows(const std::vector<bool>& rows) const;
  void SetFocusedRow(int row) const;
};
