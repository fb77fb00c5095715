// revs, cuts, rights, mids: pieces of a text.
#include "textkit/rotating_slots.h"
#include "textkit/textkit.h"

#include <algorithm>

namespace {

textkit::RotatingSlots<char, 1024> revsSlots;
textkit::RotatingSlots<char, 1024> cutsSlots;
textkit::RotatingSlots<char, 1024> midsSlots;
// revs answers an empty text with this buffer, apart from its slots.
char revsError[6];

const char kEmpty[] = "";

}  // namespace

using textkit::kMaxText;

TONEKIT_API const char* revs(const char* text)
{
    std::memcpy(revsError, "ERROR", sizeof revsError);
    const size_t length = textkit::textLength(text);
    if (length == 0)
        return revsError;  // the counter stays where it was
    char* slot = textkit::clearedSlot(revsSlots);
    // A text longer than a slot gives the first 1023 bytes of its reversal.
    const size_t n = std::min(length, kMaxText);
    for (size_t i = 0; i < n; ++i)
        slot[i] = text[length - 1 - i];
    textkit::advanceSlot(revsSlots);
    return slot;
}

TONEKIT_API const char* cuts(const char* text, int count)
{
    char* slot = textkit::clearedSlot(cutsSlots);
    const int64_t length = static_cast<int64_t>(textkit::textLength(text));
    const int64_t keep = length - std::max<int64_t>(count, 0);
    if (keep > 0)
        std::memcpy(slot, text, static_cast<size_t>(std::min<int64_t>(keep, kMaxText)));
    textkit::advanceSlot(cutsSlots);
    return slot;
}

TONEKIT_API const char* rights(const char* text, int count)
{
    if (!text)
        return kEmpty;
    const int64_t length = static_cast<int64_t>(std::strlen(text));
    const int64_t n = std::clamp<int64_t>(count, 0, length);
    return text + (length - n);
}

TONEKIT_API const char* mids(const char* text, int start, int count, int fromEnd)
{
    char* slot = textkit::clearedSlot(midsSlots);
    const int64_t length = static_cast<int64_t>(textkit::textLength(text));
    int64_t from = start;
    if (fromEnd)
        from = length - from;
    // A start outside the text is held to its ends rather than read past them.
    from = std::clamp<int64_t>(from, 0, length);
    const int64_t n = std::clamp<int64_t>(count, 0, length - from);
    if (n > 0)
        std::memcpy(slot, text + from, static_cast<size_t>(std::min<int64_t>(n, kMaxText)));
    textkit::advanceSlot(midsSlots);
    return slot;
}
