#include "platform/program_path.h"

#include <unistd.h>

#include <vector>

namespace platform {

std::string executablePath()
{
    // readlink does not say whether it truncated: grow until the result fits.
    std::vector<char> buffer(1024);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

std::string executableFolder()
{
    const std::string path = executablePath();
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return path.substr(0, slash + 1);
}

}  // namespace platform
