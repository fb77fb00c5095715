// The list-view helpers: rows, columns, ticks and cell texts of a report list, and
// the search over a range of cells.
#include <cstring>

#include "platform/dialog.h"
#include "platform/list_view.h"
#include "ui/list_helpers.h"

namespace {

constexpr int kTextSlots = 10;
constexpr size_t kTextSlotSize = 2048;

// LVGetText's slots: the index moves on before each use and starts at 9, so the
// first call after loading fills slot 0.
struct TextSlots {
    char slot[kTextSlots][kTextSlotSize];
    int index = kTextSlots - 1;
};
TextSlots textSlots;

ListSearchResult searchResult;

WindowHandle resolveList(WindowHandle window, int32_t controlId)
{
    return controlId == -1 ? window : platform::controlOf(window, controlId);
}

// Upper case of the ASCII letters only: other bytes (UTF-8 sequences among them)
// stay as they are, so no character changes its length.
void upperAscii(char* text)
{
    for (; *text; ++text)
        if (*text >= 'a' && *text <= 'z')
            *text = static_cast<char>(*text - 'a' + 'A');
}

// Cut to at most `limit` bytes without splitting a UTF-8 sequence.
void cutUtf8(char* text, size_t limit)
{
    if (std::strlen(text) <= limit)
        return;
    size_t length = limit;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    text[length] = '\0';
}

}  // namespace

int32_t LVGetItemCount(WindowHandle window, int32_t controlId)
{
    return platform::listRowCount(resolveList(window, controlId));
}

int32_t LVGetColumnCount(WindowHandle window, int32_t controlId)
{
    return platform::listColumnCount(resolveList(window, controlId));
}

int32_t LVGetCheck(WindowHandle window, int32_t controlId, int32_t row)
{
    WindowHandle list = resolveList(window, controlId);
    if (row == -1)
        row = platform::listRowCount(list) - 1;
    return platform::isListRowTicked(list, row) ? 1 : 0;
}

int32_t LVSetCheck(WindowHandle window, int32_t controlId, int32_t row, int32_t tick)
{
    WindowHandle list = resolveList(window, controlId);
    if (row == -1)
        row = platform::listRowCount(list) - 1;
    return platform::setListRowTicked(list, row, tick != 0) ? 1 : 0;
}

const char* LVGetText(WindowHandle window, int32_t controlId, int32_t row, int32_t column)
{
    WindowHandle list = resolveList(window, controlId);
    textSlots.index = (textSlots.index + 1) % kTextSlots;
    char* slot = textSlots.slot[textSlots.index];
    std::memset(slot, 0, kTextSlotSize);
    // A longer text comes back cut to 2,047 bytes, on a character boundary.
    platform::getListCellText(list, row, column, slot, kTextSlotSize);
    return slot;
}

int32_t LVSetText(WindowHandle window, int32_t controlId, uint32_t row, int32_t column,
                  const char* text, int32_t ensureVisible)
{
    WindowHandle list = resolveList(window, controlId);
    const int32_t count = platform::listRowCount(list);
    if (count == 0)
        return 0;
    const uint32_t last = static_cast<uint32_t>(count - 1);
    const int32_t target = static_cast<int32_t>(row < last ? row : last);
    const bool set = platform::setListCellText(list, target, column, text ? text : "");
    if (!ensureVisible)
        return set ? 1 : 0;
    return platform::ensureListRowVisible(list, target) ? 1 : 0;
}

int32_t LVInsertItem(WindowHandle window, int32_t controlId, uint32_t row, int32_t column,
                     const char* text, int32_t ensureVisible)
{
    WindowHandle list = resolveList(window, controlId);
    const uint32_t count = static_cast<uint32_t>(platform::listRowCount(list));
    const int32_t target = static_cast<int32_t>(row < count ? row : count);
    const int32_t inserted = platform::insertListRow(list, target, column, text);
    if (!ensureVisible)
        return inserted;
    // The row scrolled to is the one asked for, not the index the insertion answered.
    return platform::ensureListRowVisible(list, target) ? 1 : 0;
}

int32_t LVAddColumn(WindowHandle window, int32_t controlId, int32_t columnIndex,
                    int32_t columnMask, int32_t columnFormat, const char* caption, int32_t width)
{
    WindowHandle list = resolveList(window, controlId);
    platform::ColumnAlignment alignment = platform::ColumnAlignment::Left;
    if (columnMask & TK_COLUMN_FORMAT) {
        if ((columnFormat & 3) == TK_COLUMN_CENTRE)
            alignment = platform::ColumnAlignment::Centre;
        else if ((columnFormat & 3) == TK_COLUMN_RIGHT)
            alignment = platform::ColumnAlignment::Right;
    }
    return platform::insertListColumn(list, columnIndex, alignment,
                                      (columnMask & TK_COLUMN_WIDTH) ? width : 0,
                                      (columnMask & TK_COLUMN_TEXT) ? caption : nullptr);
}

ListSearchResult* LVSearchString(WindowHandle window, int32_t controlId, uint32_t firstRow,
                                 uint32_t firstColumn, uint32_t endRow, uint32_t endColumn,
                                 int32_t partial, int32_t ignoreCase, const char* text)
{
    if (!text)
        return nullptr;
    std::memset(&searchResult, 0, sizeof searchResult);

    char wanted[kTextSlotSize];
    std::strncpy(wanted, text, sizeof wanted - 1);
    wanted[sizeof wanted - 1] = '\0';
    cutUtf8(wanted, sizeof wanted - 1);
    if (ignoreCase)
        upperAscii(wanted);

    const uint32_t columns = static_cast<uint32_t>(LVGetColumnCount(window, controlId));
    const uint32_t rows = static_cast<uint32_t>(LVGetItemCount(window, controlId));
    const uint32_t columnBound = (endColumn == 0xFFFFFFFFu || endColumn > columns) ? columns : endColumn;
    const uint32_t rowBound = (endRow == 0xFFFFFFFFu || endRow > rows) ? rows : endRow;

    for (uint32_t row = firstRow; row < rowBound; ++row) {
        for (uint32_t column = firstColumn; column < columnBound; ++column) {
            // The cell is upper-cased in its slot; the slot is the library's anyway.
            char* cell = const_cast<char*>(LVGetText(window, controlId, static_cast<int32_t>(row),
                                                     static_cast<int32_t>(column)));
            if (ignoreCase)
                upperAscii(cell);
            const bool match = partial ? std::strstr(cell, wanted) != nullptr
                                       : std::strcmp(cell, wanted) == 0;
            if (!match)
                continue;
            searchResult.found = 1;
            if (searchResult.matchCount < TK_LIST_SEARCH_CAPACITY)
                searchResult.matches[searchResult.matchCount] = ListSearchMatch{row, column};
            ++searchResult.matchCount;
        }
    }
    return &searchResult;
}
