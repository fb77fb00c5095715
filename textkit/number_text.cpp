// dw2sz, fp2sz: numbers as text.
#include "textkit/rotating_slots.h"
#include "textkit/textkit.h"

#include <cstdio>

namespace {

textkit::RotatingSlots<char, 1024> dw2szSlots;
textkit::RotatingSlots<char, 1024> fp2szSlots;

}  // namespace

TONEKIT_API const char* dw2sz(int value)
{
    char* slot = textkit::clearedSlot(dw2szSlots);
    std::snprintf(slot, 1024, "%d", value);
    textkit::advanceSlot(dw2szSlots);
    return slot;
}

TONEKIT_API const char* fp2sz(double value, int digits)
{
    char* slot = textkit::clearedSlot(fp2szSlots);
    // The format is built from texts ("%0.", digits, "f"), which takes one slot of
    // dw2sz and one of strcat5; a negative digit count would make no valid format.
    const char* format = strcat5("%0.", dw2sz(digits < 0 ? 0 : digits), "f", nullptr, nullptr);
    // snprintf keeps a long result to 1023 bytes and its terminator.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(slot, 1024, format, value);
#pragma GCC diagnostic pop
    textkit::advanceSlot(fp2szSlots);
    return slot;
}
