// Filling a combo box from one separated text.
#include <cstring>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "textkit/textkit.h"
#include "ui/list_helpers.h"

void AddComboStrings(WindowHandle dialog, int32_t controlId, const char* list,
                     const char* separator, int32_t setUp, int32_t height, int32_t selection)
{
    WindowHandle combo = platform::controlOf(dialog, controlId);
    if (setUp) {
        const TkRect rect = platform::windowRect(combo);
        platform::resizeControl(combo, rect.right - rect.left, height);
    }
    if (!list || !separator)
        return;

    // An empty separator's first byte is the terminator: the whole list is one piece.
    const char cut = separator[0];
    size_t start = 0;
    for (size_t at = 0;; ++at) {
        const char c = list[at];
        if (c == cut || c == '\0') {
            char piece[1024];
            std::strncpy(piece, mids(list, static_cast<int>(start), static_cast<int>(at - start), 0),
                         sizeof piece - 1);
            piece[sizeof piece - 1] = '\0';
            if (piece[0] != '\0')
                platform::addComboItem(combo, piece);
            start = at + 1;
        }
        if (c == '\0')
            break;
    }

    if (setUp)
        platform::setComboSelection(combo, selection);
}
