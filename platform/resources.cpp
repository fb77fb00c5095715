#include "platform/resources.h"

#include <cstring>

namespace platform {

ResourceBytes findResource(ModuleHandle module, const char* type, int id)
{
    if (!module || !type)
        return {nullptr, 0};
    const int wanted = id & 0xFFFF;
    for (size_t i = 0; i < module->count; ++i) {
        const EmbeddedResource& entry = module->entries[i];
        if ((entry.id & 0xFFFF) == wanted && std::strcmp(entry.type, type) == 0)
            return {entry.data, entry.size};
    }
    return {nullptr, 0};
}

}  // namespace platform
