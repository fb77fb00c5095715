// Drawing on a window, a control or a picture through an opaque DrawContext.
//
// A DrawContext paints on whatever device the platform wrapped for it (a widget while
// it repaints, or an image in tests) with raster semantics: whole pixels, no
// antialiasing, no half-pixel offsets. Coordinates are device pixels.
//
// The context holds a current pen, brush, font, text colour, background mode, brush
// origin and pen position. Selecting a pen, brush or font returns the one it
// displaced, so a caller can select it back before deleting its own. A null PenHandle
// or BrushHandle stands for the context's defaults (a black pen of width 1, a white
// brush); a null FontHandle for the font the device had when the context was made.
//
// Lifetimes: pens and brushes are made by the create functions, belong to the caller
// and are destroyed by the matching destroy function; they must not be destroyed
// while selected into a live context. Fonts: see platform/fonts.h. A DrawContext is
// valid only while its device is being painted (see platform/draw_context_qt.h).
#pragma once

#include "tonekit/records.h"

typedef struct PlatformPen* PenHandle;
typedef struct PlatformBrush* BrushHandle;

namespace platform {

// Text layout flags for drawText, named for what they do. They combine by OR.
constexpr unsigned kTextLeft = 0x0;          // left-aligned (the default)
constexpr unsigned kTextCenter = 0x1;        // centred across the rectangle
constexpr unsigned kTextRight = 0x2;         // right-aligned
constexpr unsigned kTextVCenter = 0x4;       // centred down (single line only)
constexpr unsigned kTextSingleLine = 0x20;   // one line; line breaks are not broken at

// Pens and brushes. A solid pen is one pixel wide. A pattern brush tiles a copy of
// the bitmap (the bitmap may be destroyed afterwards), starting at the context's brush
// origin. Each returns null only when its argument is unusable (a null bitmap).
PenHandle createSolidPen(TkColour colour);
void destroyPen(PenHandle pen);
BrushHandle createSolidBrush(TkColour colour);
BrushHandle createPatternBrush(BitmapHandle pattern);
void destroyBrush(BrushHandle brush);

// Select into the context; each returns what was selected before (null = default).
PenHandle selectPen(DrawContext dc, PenHandle pen);
BrushHandle selectBrush(DrawContext dc, BrushHandle brush);
FontHandle selectFont(DrawContext dc, FontHandle font);

// Outline with the current pen on the outermost pixels of [left, right) x [top, bottom),
// the inside filled with the current brush. Nothing for an empty rectangle.
void drawRectangle(DrawContext dc, const TkRect& rect);

// Fill [left, right) x [top, bottom) with `brush` (not the selected one); no outline.
void fillRectangle(DrawContext dc, const TkRect& rect, BrushHandle brush);

// Pen position; lineTo paints from the position up to but not including (x, y) with
// the current pen and then moves the position there. moveTo returns the old position.
TkPoint moveTo(DrawContext dc, int x, int y);
void lineTo(DrawContext dc, int x, int y);

// Text colour (returns the previous) and background mode: transparent draws text
// without filling behind it (the only mode text is ever drawn in here; opaque is the
// initial mode and fills with the background colour, white).
TkColour setTextColour(DrawContext dc, TkColour colour);
void setBackgroundTransparent(DrawContext dc, bool transparent);
bool backgroundTransparent(DrawContext dc);

// Size of `length` bytes of UTF-8 `text` in the selected font: cx the advance width,
// cy the font's line height (ascent plus descent), whatever the text.
TkPoint textExtent(DrawContext dc, const char* text, int length);

// Draw `length` bytes of UTF-8 `text` (length < 0: up to its terminator) in `rect`
// with the kText* flags, in the text colour and selected font; clipped to `rect`.
// Returns the height of the drawn text in pixels (0 when nothing was drawn).
int drawText(DrawContext dc, const char* text, int length, const TkRect& rect, unsigned flags);

// Origin of pattern brushes: a tile's top-left corner lies at (x, y) in device
// pixels. Returns true on success (false for a null context); `previous` receives the
// old origin when not null.
bool setBrushOrigin(DrawContext dc, int x, int y, TkPoint* previous);
TkPoint brushOrigin(DrawContext dc);

}  // namespace platform
