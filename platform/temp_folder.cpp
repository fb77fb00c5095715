#include "platform/temp_folder.h"

#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace platform {

std::string temporaryRoot() {
    const char* root = getenv("TMPDIR");
    std::string folder = (root && *root) ? root : "/tmp";
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder != "/") folder += '/';
    return folder;
}

std::string makePrivateFolder(const char* prefix, std::string* error) {
    std::string pattern = temporaryRoot() + (prefix ? prefix : "") + "XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) {
        if (error) *error = "Cannot make a temporary folder in " + temporaryRoot() + ": " + strerror(errno);
        return "";
    }
    return std::string(buffer.data()) + "/";
}

bool removeTree(const std::string& path) {
    std::string target = path;
    while (target.size() > 1 && target.back() == '/') target.pop_back();
    if (target.empty()) return true;
    std::error_code code;
    std::filesystem::remove_all(std::filesystem::path(target), code);
    std::error_code statusCode;
    return !std::filesystem::exists(std::filesystem::symlink_status(std::filesystem::path(target), statusCode));
}

}  // namespace platform
