// Painting of the converter's main window: shaded push buttons, centring a box in a
// rectangle, transparent control backgrounds that continue the dialog's pattern brush,
// and the background picture from the program's embedded resources.
//
// All four run on the GUI thread, inside the dialog procedure or before the event
// loop, and keep nothing between calls. Rectangles and points are in pixels of the
// drawing context; colours are TkColour (red in the lowest byte).
#pragma once

#include <stdint.h>

#include "tonekit/export.h"
#include "tonekit/records.h"

// Custom-draw item state bits that ShadedButton looks at; the others (focus among
// them) change nothing.
#define TK_ITEM_PRESSED 0x1u
#define TK_ITEM_DISABLED 0x4u
#define TK_ITEM_HOT 0x40u

// Paints a push button completely: the outline in `baseColour` around a grey
// (128, 128, 128) box, one shaded line per inner row (a bright upper half darkening
// towards the middle, a darker lower half), the caption (UTF-8, never null) in
// `font` (null keeps the context's font, which otherwise stays selected) placed with
// the text `drawFormat` flags (platform::kText*) and centred down, in `textColour`
// (grey when disabled), and image `imageIndex` of `imageList` (null for none) centred
// on top. Pressed moves caption and icon down one pixel. `rect` is the button's client
// rectangle, starting at (0, 0). `dialog` is the window whose procedure is painting;
// the result, always 1, is the procedure's answer "painted fully, draw nothing more".
TONEKIT_API int32_t ShadedButton(WindowHandle dialog, DrawContext dc, const TkRect* rect,
                                 const char* caption, ImageListHandle imageList,
                                 TkColour baseColour, uint32_t itemState, FontHandle font,
                                 uint32_t drawFormat, int32_t imageIndex, TkColour textColour);

// The position, relative to `rect`'s top-left corner, of a width x height box centred
// in `rect`: each spare size halved as an unsigned 32-bit number (so a box larger
// than the rectangle lands far outside it).
TONEKIT_API void CenterRect(const TkRect* rect, int32_t width, int32_t height, TkPoint* offset);

// Prepares the drawing context of `control` (a control of `dialog`) so that its text
// has no background and a pattern brush continues the dialog's background without a
// seam: transparent background mode, brush origin at minus the control's top-left
// corner in the dialog's client area. Non-zero on success.
TONEKIT_API int32_t DoDialogTransparency(WindowHandle dialog, DrawContext dc, WindowHandle control);

// Decodes the picture stored as resource `resourceId` (low 16 bits) of type "BINARY" in
// `module` into a new bitmap sized for the screen of `window` (null: the primary
// screen): its size in 0.01 mm converted at the screen's logical resolution, so a
// 96-dpi screen gives the picture's own pixel size. Null when the resource is missing
// or cannot be decoded. The bitmap belongs to the caller (platform::destroyBitmap).
TONEKIT_API BitmapHandle LoadResourceJpeg(ModuleHandle module, WindowHandle window, int32_t resourceId);
