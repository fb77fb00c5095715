// Resources embedded in a program: pictures, texts and payloads found by type name
// and integer id, with their exact bytes and sizes.
//
// A program's resources form one module (a ModuleHandle points at its table), made
// at build time by brisktune_embed_resources() (cmake/EmbedResources.cmake), which
// also generates the function that returns the module's handle. The bytes live in
// the program's read-only data for the life of the process.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "tonekit/records.h"

extern "C" {

struct EmbeddedResource {
    const char* type;            // e.g. "BINARY", "LICENSE"
    int id;                      // only the low 16 bits count in a look-up
    const unsigned char* data;
    size_t size;                 // exact size in bytes; no terminator is added
};

struct PlatformModule {
    const struct EmbeddedResource* entries;
    size_t count;
};

}  // extern "C"

namespace platform {

struct ResourceBytes {
    const unsigned char* data;  // null when there is no such resource
    size_t size;
};

// The resource of `type` and `id` (low 16 bits) in `module`; {null, 0} when the
// module is null or holds no such resource.
ResourceBytes findResource(ModuleHandle module, const char* type, int id);

}  // namespace platform
