#include "converter/output_names.h"

std::string OutputPathFor(const std::string& folder, const std::string& name) {
    // The name's last 4 bytes are its extension; a shorter name loses all of it.
    std::string stem = name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
    std::string path = folder + stem + ".mp3";
    return path.size() > kMaxPathBytes ? std::string() : path;
}

std::string ClaimOutputPath(OutputNameKeeper& keeper, const std::string& path) {
    if (path.empty() || path.size() > kMaxPathBytes) return "";
    std::string candidate = path;
    const std::string ending = ".mp3";
    bool endsInMp3 = path.size() >= ending.size() &&
                     path.compare(path.size() - ending.size(), ending.size(), ending) == 0;
    std::string stem = endsInMp3 ? path.substr(0, path.size() - ending.size()) : path;
    std::string suffix = endsInMp3 ? ending : std::string();
    for (unsigned number = 2; keeper.taken.count(candidate); ++number) {
        candidate = stem + " (" + std::to_string(number) + ")" + suffix;
        if (candidate.size() > kMaxPathBytes) return "";
    }
    keeper.taken.insert(candidate);
    return candidate;
}
