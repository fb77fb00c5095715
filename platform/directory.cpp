#include "platform/directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <cerrno>

struct platform::DirectoryListing {
    DIR* dir;
};

namespace platform {

bool folderIdentity(const char* path, uint64_t* device, uint64_t* inode)
{
    struct stat info;
    if (!path || stat(path, &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    if (device)
        *device = static_cast<uint64_t>(info.st_dev);
    if (inode)
        *inode = static_cast<uint64_t>(info.st_ino);
    return true;
}

DirectoryListing* openDirectory(const char* folder)
{
    if (!folder || !*folder)
        return nullptr;
    DIR* dir = opendir(folder);
    if (!dir)
        return nullptr;
    return new DirectoryListing{dir};
}

bool nextDirectoryEntry(DirectoryListing* listing, DirectoryEntry* entry)
{
    if (!listing || !entry)
        return false;
    errno = 0;
    const dirent* item = readdir(listing->dir);
    if (!item)
        return false;
    entry->name = item->d_name;
    entry->isDirectory = false;
    entry->device = 0;
    entry->inode = 0;
    // Links are followed: a link to a folder is a folder. An entry that cannot be
    // examined (a dangling link, one removed meanwhile) is an ordinary entry.
    struct stat info;
    if (fstatat(dirfd(listing->dir), item->d_name, &info, 0) == 0 ||
        fstatat(dirfd(listing->dir), item->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
        entry->isDirectory = S_ISDIR(info.st_mode);
        entry->device = static_cast<uint64_t>(info.st_dev);
        entry->inode = static_cast<uint64_t>(info.st_ino);
    }
    return true;
}

void closeDirectory(DirectoryListing* listing)
{
    if (!listing)
        return;
    closedir(listing->dir);
    delete listing;
}

bool createDirectory(const char* path)
{
    return path && *path && mkdir(path, 0777) == 0;
}

}  // namespace platform
