// The report-style list view (ControlKind::ListView): rows and columns of UTF-8
// cell texts, a tick box per row in column 0.
//
// Rows count from 0 in display order, columns from 0 (column 0 is the row's own
// text and holds its tick). A row exists independently of the columns: its cells
// keep their texts whatever the column count. Every function takes the list's
// WindowHandle (controlOf(dialog, id)); a null handle or one that is not a list
// answers 0 / false / -1 and changes nothing.
#pragma once

#include <stddef.h>

#include "tonekit/records.h"

namespace platform {

enum class ColumnAlignment { Left, Centre, Right };

int listRowCount(WindowHandle list);
// Columns as the list's header counts them.
int listColumnCount(WindowHandle list);

// Inserts a column before `index` (an index at or beyond the count appends) with a
// caption (null = empty) and a width in pixels. Returns the new column's index, or -1
// when `index` is negative.
int insertListColumn(WindowHandle list, int index, ColumnAlignment alignment, int width,
                     const char* caption);

// Inserts a row before `row` (a row at or beyond the count, or negative, appends)
// whose column-0 text is `text` (null = no text) and whose tick is off. `column`
// must be 0 (only a row's own text can be given on insertion); otherwise nothing is
// inserted. Returns the new row's index, or -1.
int insertListRow(WindowHandle list, int row, int column, const char* text);

// Sets the text of a cell. False when the row does not exist or the column is
// negative or beyond the column count (nothing changes).
bool setListCellText(WindowHandle list, int row, int column, const char* text);

// Copies a cell's text into `buffer` as getText does (cut on a UTF-8 boundary when
// it does not fit). Returns false, writing an empty text (when capacity > 0), for a
// cell that does not exist.
bool getListCellText(WindowHandle list, int row, int column, char* buffer, size_t capacity);

// Tick of a row. setListRowTicked with row -1 ticks or unticks every row and
// answers true; another row that does not exist answers false.
bool isListRowTicked(WindowHandle list, int row);
bool setListRowTicked(WindowHandle list, int row, bool ticked);

// Scrolls so that the row is entirely visible. False when the row does not exist.
bool ensureListRowVisible(WindowHandle list, int row);

// Removes one row (later rows move up); false when it does not exist.
bool deleteListRow(WindowHandle list, int row);
void deleteAllListRows(WindowHandle list);

}  // namespace platform
