// A dialog's menu bar, built from a table.
//
// The rows form a tree by depth: a Popup row at depth d opens a menu whose items
// are the following rows of depth d + 1 (up to the next row of depth <= d). Depth 0
// rows must be Popups (the menu bar's titles). Captions are UTF-8 with '&' before
// the mnemonic letter. Choosing an item sends DialogMessage::Command to the dialog's
// procedure with the item's id and code MenuItem.
//
// The menu bar belongs to the dialog and goes with it. Ids are looked up in the
// whole tree; an id that is not there (or a null dialog) does nothing / answers false.
#pragma once

#include <stddef.h>

#include "tonekit/records.h"

namespace platform {

enum class MenuRowKind { Popup, Item, Separator };

struct MenuRow {
    int depth;
    MenuRowKind kind;
    int id;               // Item: its command id; Popup and Separator: 0
    const char* caption;  // Popup and Item
};

// Attaches a menu bar above the dialog's client area (the window grows by its
// height, the controls stay where the template put them). Replaces an earlier menu.
// False when the table is malformed (nothing is attached).
bool attachMenu(WindowHandle dialog, const MenuRow* rows, size_t rowCount);

void setMenuItemChecked(WindowHandle dialog, int id, bool checked);
bool isMenuItemChecked(WindowHandle dialog, int id);
void setMenuItemEnabled(WindowHandle dialog, int id, bool enabled);  // false = greyed
bool isMenuItemEnabled(WindowHandle dialog, int id);

// Chooses the item as the user would (a Command reaches the procedure); false when
// the item does not exist or is greyed. For keyboard accelerators of a program and
// for tests.
bool triggerMenuItem(WindowHandle dialog, int id);

}  // namespace platform
