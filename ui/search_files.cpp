#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "platform/directory.h"
#include "textkit/textkit.h"
#include "ui/file_helpers.h"

namespace {

constexpr size_t kPathBuffer = 1024;

// Folders entered so far in one walk, by device and inode.
using Visited = std::set<std::pair<uint64_t, uint64_t>>;

void searchFolder(const char* folder, FileFoundCallback fileFound, int32_t thisFolderOnly,
                  Visited& visited)
{
    const size_t length = std::strlen(folder);
    if (length == 0 || length >= kPathBuffer)
        return;
    char base[kPathBuffer];
    std::memcpy(base, folder, length + 1);
    if (rights(base, 1)[0] != '/') {
        if (length + 1 >= kPathBuffer)
            return;
        base[length] = '/';
        base[length + 1] = '\0';
    }
    const size_t baseLength = std::strlen(base);

    // A link back up the tree would lead into a folder already walked: each folder
    // is entered once, so the walk always ends.
    uint64_t device = 0, inode = 0;
    if (!platform::folderIdentity(base, &device, &inode))
        return;
    if (!visited.insert({device, inode}).second)
        return;

    platform::DirectoryListing* listing = platform::openDirectory(base);
    if (!listing)
        return;
    platform::DirectoryEntry entry;
    while (platform::nextDirectoryEntry(listing, &entry)) {
        // Paths that would not fit a path buffer are left out rather than cut.
        if (baseLength + entry.name.size() >= kPathBuffer)
            continue;
        if (entry.isDirectory) {
            if (entry.name == "." || entry.name == ".." || thisFolderOnly)
                continue;
            std::string sub = strcat5(base, entry.name.c_str(), nullptr, nullptr, nullptr);
            searchFolder(sub.c_str(), fileFound, 0, visited);
        } else if (fileFound(strcat5(base, entry.name.c_str(), nullptr, nullptr, nullptr)) != 0) {
            break;
        }
    }
    platform::closeDirectory(listing);
}

}  // namespace

void SearchFiles(const char* folder, FileFoundCallback fileFound, int32_t thisFolderOnly)
{
    if (!fileFound || !folder)
        return;
    Visited visited;
    searchFolder(folder, fileFound, thisFolderOnly, visited);
}
