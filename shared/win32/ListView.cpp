#include "shared/win32/ListView.h"

#include <commctrl.h>

void ListView::AddColumns(const std::vector<Column>& columns) const {
  for (size_t i = 0; i < columns.size(); ++i) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.fmt = columns[i].format;
    col.cx = columns[i].width;
    col.pszText = const_cast<char*>(columns[i].caption);
    col.iSubItem = static_cast<int>(i);
    Send(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
  }
}

void ListView::InsertRow(int index, const std::vector<std::string>& texts) const {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<char*>(texts.at(0).c_str());
  const int row = static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  for (size_t column = 1; column < texts.size(); ++column)
    SetCell(row, static_cast<int>(column), texts[column]);
}

void ListView::SetCell(int row, int column, const std::string& text) const {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  Send(LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void ListView::Clear() const { Send(LVM_DELETEALLITEMS); }

int ListView::Next(int row, unsigned flags) const {
  return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(row), flags));
}

std::vector<bool> ListView::Selected() const {
  const int count = static_cast<int>(Send(LVM_GETITEMCOUNT));
  std::vector<bool> selected(count > 0 ? count : 0, false);
  for (int i = 0; i < count; ++i)
    selected[i] = (Send(LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  return selected;
}

void ListView::DeleteRows(const std::vector<bool>& rows) const {
  for (int i = static_cast<int>(rows.size()) - 1; i >= 0; --i)
    if (rows[i]) Send(LVM_DELETEITEM, i);
}

void ListView::SetFocusedRow(int row) const {
  LVITEMA state{};
  state.stateMask = LVIS_FOCUSED;
  state.state = LVIS_FOCUSED;
  Send(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}
