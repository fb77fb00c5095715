#include "cli/input_files.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void walkFolder(const std::string& folder, bool recursive, std::vector<std::string>& found) {
    std::error_code code;
    fs::directory_iterator it(fs::path(folder), code), end;
    for (; !code && it != end; it.increment(code)) {
        std::string name = it->path().filename().string();
        std::string path = folder + "/" + name;
        std::error_code statusCode;
        if (it->is_symlink(statusCode) && it->is_directory(statusCode)) continue;
        if (it->is_directory(statusCode)) {
            if (recursive) walkFolder(path, recursive, found);
        } else if (HasAudioExtension(name) && it->is_regular_file(statusCode)) {
            found.push_back(path);
        }
    }
}

}  // namespace

bool HasAudioExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ending;
    for (size_t i = name.size() - 4; i < name.size(); ++i) ending += lowerAscii(name[i]);
    return ending == ".aac" || ending == ".m4a" || ending == ".mp4";
}

std::vector<InputFile> CollectInputFiles(const std::vector<std::string>& paths, bool recursive) {
    std::vector<InputFile> inputs;
    std::set<std::string> listed;
    auto add = [&](const std::string& path, const std::string& failure) {
        if (listed.insert(path).second) inputs.push_back({path, failure});
    };
    for (const std::string& given : paths) {
        std::error_code code;
        fs::file_status status = fs::status(fs::path(given), code);
        if (fs::is_directory(status)) {
            std::string folder = given;
            while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
            if (folder == "/") folder.clear();  // "/" + "/" + name would double the slash
            std::vector<std::string> found;
            walkFolder(folder.empty() ? std::string("/") : folder, recursive, found);
            std::sort(found.begin(), found.end());
            for (std::string& path : found) {
                if (folder.empty() && path.rfind("//", 0) == 0) path.erase(0, 1);
                add(path, "");
            }
        } else if (!fs::exists(status)) {
            add(given, "No such file");
        } else if (!HasAudioExtension(given)) {
            add(given, "not an .aac, .m4a or .mp4 file");
        } else {
            add(given, "");
        }
    }
    return inputs;
}
