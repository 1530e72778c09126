#pragma once
// The bar's pop-up menu: item ids, the menu as designed, checks and captions.
#include <windows.h>

#include <string>

#include "bar/core/BarFields.h"  // BarMenuItem: the item ids

// PopupMenu with its sub-menus, captions as designed. The caller destroys it.
HMENU CreateBarPopupMenu();

bool MenuChecked(HMENU menu, UINT item);
void SetMenuChecked(HMENU menu, UINT item, bool checked);
// Replaces the caption and keeps the check.
void SetMenuCaption(HMENU menu, UINT item, const std::string& caption);
