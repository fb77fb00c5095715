// sz2wide: UTF-8 text as UTF-16.
#include "textkit/rotating_slots.h"
#include "textkit/textkit.h"

namespace {

textkit::RotatingSlots<char16_t, 1024> sz2wideSlots;

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[i]; an ill-formed sequence yields U+FFFD for its
// longest valid-looking beginning (at least one byte), the usual substitution.
char32_t decodeOne(const unsigned char* text, size_t& i)
{
    const unsigned char lead = text[i];
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int trail;
    char32_t cp;
    unsigned char low = 0x80, high = 0xBF;  // range of the first continuation byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        trail = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trail = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;  // no overlong forms
        if (lead == 0xED)
            high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trail = 3;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;  // nothing above U+10FFFF
    } else {
        ++i;
        return kReplacement;
    }
    ++i;
    for (int k = 0; k < trail; ++k) {
        const unsigned char b = text[i];  // the terminator stops this as well
        if (b < low || b > high)
            return kReplacement;
        cp = (cp << 6) | (b & 0x3F);
        ++i;
        low = 0x80;
        high = 0xBF;
    }
    return cp;
}

}  // namespace

TONEKIT_API const char16_t* sz2wide(const char* text)
{
    // Not cleared first: the terminator written below ends the result.
    char16_t* slot = textkit::currentSlot(sz2wideSlots);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text ? text : "");
    constexpr size_t kMaxUnits = 1023;
    size_t out = 0;
    size_t i = 0;
    while (bytes[i] != 0) {
        const char32_t cp = decodeOne(bytes, i);
        if (cp < 0x10000) {
            if (out + 1 > kMaxUnits)
                break;
            slot[out++] = static_cast<char16_t>(cp);
        } else {
            if (out + 2 > kMaxUnits)
                break;  // never half a surrogate pair
            const char32_t v = cp - 0x10000;
            slot[out++] = static_cast<char16_t>(0xD800 + (v >> 10));
            slot[out++] = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        }
    }
    slot[out] = 0;
    textkit::advanceSlot(sz2wideSlots);
    return slot;
}
