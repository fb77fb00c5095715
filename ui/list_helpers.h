// List-view, combo-box and control-group helpers: the converter's file list, its
// quality combo and the groups of controls it enables and disables.
//
// Addressing: every LV* function takes `window` and `controlId`; with controlId -1,
// `window` is the list itself, otherwise it is the dialog and the list is its control
// controlId. A controlId that names no control reaches nothing: counts are 0, texts
// empty, results 0 (-1 where an index is answered).
//
// Texts are UTF-8. Results that point at text belong to the library:
// - LVGetText fills one of ten slots of 2,048 bytes in turn; a result stays valid
//   while LVGetText is called up to nine more times (the tenth call reuses its slot).
//   A cell text longer than 2,047 bytes comes back cut on a character boundary.
// - LVSearchString returns the library's one ListSearchResult, overwritten by the
//   next search (LVSearchString also uses up LVGetText's slots, one per cell).
// All of them run on the GUI thread only; the slots and the record are unlocked.
#pragma once

#include <stdint.h>

#include "tonekit/export.h"
#include "tonekit/records.h"

// Column record bits and formats as the program passes them to LVAddColumn.
#define TK_COLUMN_FORMAT 0x1   // columnFormat is used
#define TK_COLUMN_WIDTH 0x2    // width is used (else the column starts 0 pixels wide)
#define TK_COLUMN_TEXT 0x4     // caption is used (else the caption is empty)
#define TK_COLUMN_LEFT 0
#define TK_COLUMN_RIGHT 1
#define TK_COLUMN_CENTRE 2

// Number of rows.
TONEKIT_API int32_t LVGetItemCount(WindowHandle window, int32_t controlId);
// Number of columns as the list's header counts them.
TONEKIT_API int32_t LVGetColumnCount(WindowHandle window, int32_t controlId);

// 1 when row `row` (-1 = the last row) is ticked, else 0 (also for no such row).
TONEKIT_API int32_t LVGetCheck(WindowHandle window, int32_t controlId, int32_t row);
// Ticks (tick non-zero) or unticks row `row` (-1 = the last row). Non-zero on
// success. On an empty list -1 stands for every row (there are none): success.
TONEKIT_API int32_t LVSetCheck(WindowHandle window, int32_t controlId, int32_t row, int32_t tick);

// The cell's text in a slot (see above); never null, empty for a cell that does not
// exist.
TONEKIT_API const char* LVGetText(WindowHandle window, int32_t controlId, int32_t row,
                                  int32_t column);

// Sets a cell of row `row` (unsigned: every value at or beyond the last row, -1 among
// them, means the last row) to `text` (null = empty). 0 on an empty list (nothing is
// done); else, with ensureVisible 0, 1 when the text was set; with ensureVisible
// non-zero the row is scrolled into view and the answer is that of the scrolling
// (1 done, 0 not).
TONEKIT_API int32_t LVSetText(WindowHandle window, int32_t controlId, uint32_t row, int32_t column,
                              const char* text, int32_t ensureVisible);

// Inserts a row before `row` (unsigned: every value at or beyond the row count, -1
// among them, appends) with `text` (null = no text) as its own text; `column` must be
// 0. With ensureVisible 0 the answer is the new row's index or -1; otherwise the
// target row is scrolled into view and the answer is that of the scrolling.
TONEKIT_API int32_t LVInsertItem(WindowHandle window, int32_t controlId, uint32_t row,
                                 int32_t column, const char* text, int32_t ensureVisible);

// Inserts a column before `columnIndex` (at or beyond the count: appends). columnMask
// says which of columnFormat (TK_COLUMN_LEFT / _RIGHT / _CENTRE), caption and width
// (pixels) count. The new column's index, or -1.
TONEKIT_API int32_t LVAddColumn(WindowHandle window, int32_t controlId, int32_t columnIndex,
                                int32_t columnMask, int32_t columnFormat, const char* caption,
                                int32_t width);

// Searches rows firstRow .. endRow-1 and in each columns firstColumn .. endColumn-1
// (an end of -1 or beyond the count means the count; all four compared as unsigned)
// for `text`: partial non-zero = contained anywhere, else equal; ignoreCase non-zero
// = compared in ASCII upper case. Every cell of the range is visited. Returns the
// library's record, or null (the record untouched) when text is null. A search text
// longer than 2,047 bytes is cut there.
TONEKIT_API ListSearchResult* LVSearchString(WindowHandle window, int32_t controlId,
                                             uint32_t firstRow, uint32_t firstColumn,
                                             uint32_t endRow, uint32_t endColumn, int32_t partial,
                                             int32_t ignoreCase, const char* text);

// Fills combo box controlId of `dialog` from `list`, cut at every occurrence of the
// first byte of `separator` (an empty separator: the whole list is one entry). Pieces
// keep their blanks; empty pieces add nothing; a piece is at most 1,023 bytes. With
// setUp non-zero the box is first resized to `height` pixels (closed box plus its
// drop-down list; width and position kept) and afterwards entry `selection` (0-based)
// is selected; with a null list or separator it is still resized but nothing is added
// or selected.
TONEKIT_API void AddComboStrings(WindowHandle dialog, int32_t controlId, const char* list,
                                 const char* separator, int32_t setUp, int32_t height,
                                 int32_t selection);

// Enables (enable non-zero) or disables the controls id1 .. id10 of `dialog`, in that
// order; an id of 0 stands for no control.
TONEKIT_API void EnableWindows10(WindowHandle dialog, int32_t enable, int32_t id1, int32_t id2,
                                 int32_t id3, int32_t id4, int32_t id5, int32_t id6, int32_t id7,
                                 int32_t id8, int32_t id9, int32_t id10);
