// strslash, strrslash: the folder and name parts of a '/' path.
#include "textkit/rotating_slots.h"
#include "textkit/textkit.h"

namespace {

textkit::RotatingSlots<char, 1024> strslashSlots;

const char kEmpty[] = "";

}  // namespace

TONEKIT_API const char* strslash(const char* path)
{
    char* slot = textkit::clearedSlot(strslashSlots);
    const size_t length = textkit::textLength(path);
    if (length > 0) {
        // Up to and including the last '/'; without one, the first byte stays.
        const char* last = std::strrchr(path, '/');
        const size_t keep = last ? static_cast<size_t>(last - path) + 1 : 1;
        // A folder part too long for a slot is left out rather than cut into
        // the name of some other folder.
        if (keep <= textkit::kMaxText)
            std::memcpy(slot, path, keep);
    }
    textkit::advanceSlot(strslashSlots);
    return slot;
}

TONEKIT_API const char* strrslash(const char* path)
{
    if (!path)
        return kEmpty;
    const size_t length = std::strlen(path);
    if (length == 0)
        return path;
    const char* last = std::strrchr(path, '/');
    // Without a '/' the name starts after the first byte, the counterpart of
    // strslash keeping that byte, so that folder + name spells the path again.
    return last ? last + 1 : path + 1;
}
