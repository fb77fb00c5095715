// strcat5: the one way of joining texts (paths, messages).
#include "textkit/rotating_slots.h"
#include "textkit/textkit.h"

#include <algorithm>

namespace {

// The slots are 5120 bytes and cleared whole, but a join only ever uses the
// first 1024 bytes of one.
textkit::RotatingSlots<char, 5120> strcat5Slots;

}  // namespace

TONEKIT_API const char* strcat5(const char* a, const char* b, const char* c, const char* d,
                                const char* e)
{
    char* slot = textkit::clearedSlot(strcat5Slots);
    size_t used = 0;
    for (const char* part : {a, b, c, d, e}) {
        if (!part)
            continue;
        const size_t length = std::strlen(part);
        if (length >= 1024)
            continue;  // a text of 1024 bytes or more is skipped as if absent
        // The join is cut at 1023 bytes; the cleared slot supplies the terminator.
        const size_t n = std::min(length, textkit::kMaxText - used);
        std::memcpy(slot + used, part, n);
        used += n;
    }
    textkit::advanceSlot(strcat5Slots);
    return slot;
}
