// The one export macro of tonekit.so.
//
// Everything in the library is built with hidden visibility; a function declared
// with TONEKIT_API is one of the library's public C names (plain, unmangled, as
// the program binds them with dlsym). The version script made from
// cmake/tonekit_exports.txt keeps the export table to exactly those names.
#pragma once

#ifdef __cplusplus
#define TONEKIT_API extern "C" __attribute__((visibility("default")))
#else
#define TONEKIT_API __attribute__((visibility("default")))
#endif
