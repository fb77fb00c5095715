// Text and number helpers of tonekit.so: slicing, joining and formatting narrow
// (UTF-8, byte-counted) strings, and three small numeric functions.
//
// Ownership and lifetime of results:
// - revs, cuts, strslash, mids, sz2wide, strcat5, dw2sz and fp2sz return one of ten
//   fixed slots that the function owns (rotating result buffers). A result stays
//   unchanged until the same function has been called ten more times; the tenth of
//   those calls reuses the slot. Callers use a result at once or copy it; they never
//   free it and never write into it. Each function has its own slot counter.
// - fp2sz calls dw2sz once and strcat5 once per call; those count against the
//   ten-call lifetime of dw2sz and strcat5 results.
// - rights and strrslash return pointers into the caller's own text, valid as long
//   as that text is.
// - Every narrow result holds at most 1023 bytes plus the terminator; a longer
//   result is cut at 1023 bytes, and a folder part that would not fit is empty
//   (a path is never cut). Null texts count as empty.
// - Paths use '/' as the separator.
// None of them allocates memory. Single-threaded use only (the slots are shared by
// the whole process).
#pragma once

#include "tonekit/export.h"

// The text with its bytes in reverse order; "ERROR" (a separate buffer, slot counter
// not advanced) for an empty or null text.
TONEKIT_API const char* revs(const char* text);

// The text without its last count bytes; empty when count exceeds the length.
// A negative count counts as 0.
TONEKIT_API const char* cuts(const char* text, int count);

// The last count bytes of text, in place (text + length - count). The count is
// clamped to 0..length.
TONEKIT_API const char* rights(const char* text, int count);

// The folder part of a path: up to and including its last '/'. A path without a
// '/' keeps its first byte alone; an empty path gives an empty text.
TONEKIT_API const char* strslash(const char* path);

// The name part of a path, in place: the text after its last '/'. A path without a
// '/' gives the path without its first byte; an empty path gives the path itself
// (its terminator).
TONEKIT_API const char* strrslash(const char* path);

// count bytes of text from start (start counts back from the end when fromEnd is
// non-zero); the count is clamped to the bytes available, start to 0..length.
TONEKIT_API const char* mids(const char* text, int start, int count, int fromEnd);

// The UTF-8 text as UTF-16; invalid bytes become U+FFFD. At most 1023 units plus
// the terminator (a longer text is cut, never inside a surrogate pair).
TONEKIT_API const char16_t* sz2wide(const char* text);

// The five texts joined in order. A null text, or one of 1024 bytes or more, is
// skipped; the join is cut at 1023 bytes.
TONEKIT_API const char* strcat5(const char* a, const char* b, const char* c, const char* d,
                                const char* e);

// The value as signed decimal ("%d").
TONEKIT_API const char* dw2sz(int value);

// The value in fixed-point notation with exactly digits decimals (no point for 0).
// Negative digits count as 0; a result longer than 1023 bytes is cut.
TONEKIT_API const char* fp2sz(double value, int digits);

// Quarter-cosine curve over 0..range. flags bit 0: rising (1 - cos) instead of |cos|;
// flags bit 1: position counted from the other end.
TONEKIT_API float lin2log(float position, float range, int flags);

// value clamped to inLow..inHigh and mapped linearly onto outLow..outHigh.
TONEKIT_API double ratio(double inLow, double inHigh, double outLow, double outHigh, double value);

// part as a percentage of whole: 100 / (whole / part).
TONEKIT_API float percent(float part, float whole);
