// Menu 105 of the main window, as a table for platform::attachMenu.
#pragma once

#include <stddef.h>

#include "platform/menu.h"

namespace brisktune {

// The rows of the menu bar; valid for the life of the process.
const platform::MenuRow* mainMenuRows(size_t* count);

// Attaches menu 105 to `window`; false when the platform refuses the table.
bool attachMainMenu(WindowHandle window);

}  // namespace brisktune
