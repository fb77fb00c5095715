#include "platform/directory.h"
#include "ui/file_helpers.h"

int32_t CreateFolder(const char* path)
{
    return platform::createDirectory(path) ? 1 : 0;
}
