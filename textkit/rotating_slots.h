// The rotating result buffers behind the text helpers (internal to tonekit).
//
// Each buffer-returning helper owns one RotatingSlots record in static storage:
// ten slots of the same size and a counter that names the slot the next call
// uses. A call takes the current slot, fills it and advances the counter modulo
// ten, so a result stays intact for the next nine calls of the same helper.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace textkit {

inline constexpr int kSlotCount = 10;
// Longest narrow text a result holds, without its terminator.
inline constexpr size_t kMaxText = 1023;

template <typename Unit, size_t Size>
struct RotatingSlots {
    Unit slot[kSlotCount][Size];
    int32_t counter;
};

// The slot the next result goes into.
template <typename Unit, size_t Size>
Unit* currentSlot(RotatingSlots<Unit, Size>& slots)
{
    return slots.slot[slots.counter];
}

template <typename Unit, size_t Size>
Unit* clearedSlot(RotatingSlots<Unit, Size>& slots)
{
    Unit* s = slots.slot[slots.counter];
    std::memset(s, 0, sizeof(slots.slot[0]));
    return s;
}

template <typename Unit, size_t Size>
void advanceSlot(RotatingSlots<Unit, Size>& slots)
{
    slots.counter = (slots.counter + 1) % kSlotCount;
}

// Length of a text that may be null (a null text counts as empty).
inline size_t textLength(const char* text)
{
    return text ? std::strlen(text) : 0;
}

}  // namespace textkit
