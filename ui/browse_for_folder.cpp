#include <cstring>
#include <string>

#include "platform/file_dialogs.h"
#include "ui/file_helpers.h"

namespace {

constexpr size_t kFolderBuffer = 1024;
constexpr size_t kDisplayName = 260;

// The last chosen folder, handed back to every caller until the next choice.
char folderResult[kFolderBuffer];

// Set while a folder dialog is open, so that a call made from events handled during
// the dialog returns at once instead of stacking a second dialog.
bool folderDialogOpen = false;

// Copies `text` into `out` of `size` bytes, cut on a UTF-8 character boundary.
void copyName(char* out, size_t size, const std::string& text)
{
    size_t n = text.size() < size ? text.size() : size - 1;
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

}  // namespace

const char* BrowseForFolder(WindowHandle owner, const char* title, char* displayName)
{
    if (folderDialogOpen)
        return nullptr;
    folderDialogOpen = true;
    std::string folder, name;
    const bool chosen = platform::chooseFolder(owner, title, &folder, &name);
    folderDialogOpen = false;
    if (!chosen || folder.empty())
        return nullptr;

    if (folder.back() != '/')
        folder += '/';
    // A folder whose path does not fit the result buffer is as good as none chosen:
    // a cut path would name another folder.
    if (folder.size() >= kFolderBuffer)
        return nullptr;
    std::memcpy(folderResult, folder.c_str(), folder.size() + 1);
    if (displayName)
        copyName(displayName, kDisplayName, name);
    return folderResult;
}
