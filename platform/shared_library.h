// Loading shared libraries and looking up their symbols by name (dlopen/dlsym).
#pragma once

#include <string>

namespace platform {

struct SharedLibrary;  // opaque; owned by the caller until closeLibrary

// Loads the library at `path` (a bare name is searched for the way the dynamic
// linker does, so a program's RUNPATH applies). Returns null on failure, with the
// loader's reason in *error when error is given.
SharedLibrary* openLibrary(const char* path, std::string* error = nullptr);

// The address of the symbol `name`, or null when the library lacks it.
void* findSymbol(SharedLibrary* library, const char* name);

// Releases the library; null is ignored. Addresses found in it become invalid.
void closeLibrary(SharedLibrary* library);

}  // namespace platform
