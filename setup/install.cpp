#include "setup/install.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/detached_process.h"
#include "platform/directory.h"
#include "platform/resources.h"

namespace setup {

// The two programs must be executable; the libraries are only mapped by dlopen and
// get the usual library mode.
const Payload kPayloads[4] = {
    {131, "brisktune", 0755},
    {132, "tonekit.so", 0644},
    {133, "lame_enc.so", 0644},
    {134, "faad", 0755},
};

std::string installFolderFor(const std::string& chosenFolder)
{
    return chosenFolder + kInstallFolderName;
}

namespace {

bool isFolder(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

// One write of the whole payload, then a check of what reached the disk.
bool writePayload(const std::string& path, const platform::ResourceBytes& bytes, unsigned mode)
{
    std::FILE* file = std::fopen(path.c_str(), "wb+");
    if (!file)
        return false;
    const bool written = bytes.size == 0 ||
                         std::fwrite(bytes.data, 1, bytes.size, file) == bytes.size;
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed)
        return false;

    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size != bytes.size)
        return false;
    // fopen keeps the mode of a file it replaces, so the mode is always set.
    std::filesystem::permissions(path, static_cast<std::filesystem::perms>(mode),
                                 std::filesystem::perm_options::replace, ec);
    return !ec;
}

}  // namespace

InstallResult installPayloads(ModuleHandle resources, const std::string& chosenFolder)
{
    platform::ResourceBytes bytes[4];
    for (int i = 0; i < 4; ++i) {
        bytes[i] = platform::findResource(resources, "BINARY", kPayloads[i].id);
        if (!bytes[i].data)
            return {InstallOutcome::PayloadMissing, kPayloads[i].fileName};
    }

    const std::string folder = installFolderFor(chosenFolder);
    if (folder.size() >= kPathCapacity)
        return {InstallOutcome::CannotWrite, folder};
    // An existing folder is simply used; anything else that stops it is a failure.
    if (!platform::createDirectory(folder.c_str()) && !isFolder(folder))
        return {InstallOutcome::CannotWrite, folder};

    for (int i = 0; i < 4; ++i) {
        const std::string target = folder + kPayloads[i].fileName;
        if (target.size() >= kPathCapacity || !writePayload(target, bytes[i], kPayloads[i].mode))
            return {InstallOutcome::CannotWrite, target};
    }
    return {InstallOutcome::Installed, folder};
}

bool startInstalledProgram(const std::string& installFolder)
{
    // The program takes no arguments here (no lone " " parameter, which a Linux
    // program would receive as an argument of its own).
    const platform::DetachedStart start =
        platform::startDetached({installFolder + "brisktune"}, installFolder.c_str());
    return start.started;
}

}  // namespace setup
