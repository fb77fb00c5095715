#include "platform/shared_library.h"

#include <dlfcn.h>

namespace platform {

SharedLibrary* openLibrary(const char* path, std::string* error)
{
    if (!path)
        return nullptr;
    void* handle = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle && error) {
        const char* reason = ::dlerror();
        *error = reason ? reason : "unknown error";
    }
    return static_cast<SharedLibrary*>(handle);
}

void* findSymbol(SharedLibrary* library, const char* name)
{
    if (!library || !name)
        return nullptr;
    return ::dlsym(library, name);
}

void closeLibrary(SharedLibrary* library)
{
    if (library)
        ::dlclose(library);
}

}  // namespace platform
