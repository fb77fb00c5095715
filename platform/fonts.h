// Fonts for drawing contexts and controls.
//
// The program asks for fonts the way its dialogs were designed (a cell height in
// pixels, an average width, a weight, a face such as "MS Sans Serif" or "arial"). The
// face names of the classic sans-serif faces map to the system's sans-serif font
// (DejaVu Sans on Debian), a fixed pitch to the system's monospace font; the size is
// matched by pixel height.
#pragma once

#include "tonekit/records.h"

namespace platform {

enum class FontPitch { Default, Fixed, Variable };

struct FontSpec {
    // > 0: the cell height in pixels (ascent + descent), the largest size whose line
    // height does not exceed it; < 0: the character height (the pixel size) as -height;
    // 0: the default size.
    int height = 0;
    // Average character width in pixels; 0 leaves it to the face. A non-zero width is
    // not honoured: the system font keeps its own proportions (the designs asked for
    // the width their bitmap font had anyway).
    int width = 0;
    int weight = 0;         // 100 (thin) .. 900 (black); 0 = normal (400)
    bool italic = false;
    const char* face = nullptr;  // UTF-8 face name; null or "" = the sans-serif face
    FontPitch pitch = FontPitch::Default;
};

// A new font, owned by the caller and released with destroyFont; never null.
FontHandle createFont(const FontSpec& desc);
void destroyFont(FontHandle font);

// Line height (ascent + descent) in pixels of the font (null = the default font).
int fontLineHeight(FontHandle font);
// The family the system actually chose for the font, UTF-8, into `out` of `size`
// bytes (cut to fit, always terminated). Returns false for size 0.
bool fontFamily(FontHandle font, char* out, int size);

}  // namespace platform
