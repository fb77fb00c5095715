#include <cstring>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/file_dialogs.h"
#include "ui/file_helpers.h"

namespace {

constexpr size_t kPathBuffer = 1024;
constexpr size_t kSelectionBuffer = 32767;

// The chosen file in single mode; its address is the result, valid until the next call.
char selection[kSelectionBuffer];

void addToListBox(WindowHandle owner, int32_t listBoxId, const char* path)
{
    if (listBoxId == 0)
        return;
    WindowHandle listBox = platform::controlOf(owner, listBoxId);
    if (platform::findListBoxPrefix(listBox, path) < 0)
        platform::addListBoxEntry(listBox, path);
}

}  // namespace

intptr_t GetOpenFilenames(WindowHandle owner, int32_t multiple, const char* title,
                          const char* initialFolder, const char* filter, int32_t listBoxId,
                          FilePickedCallback filePicked)
{
    std::memset(selection, 0, sizeof selection);
    std::vector<std::string> chosen;
    if (!platform::chooseFilesToOpen(owner, multiple != 0, title, initialFolder, filter, &chosen))
        return 0;

    // A path that does not fit a path buffer is left out rather than cut into
    // another file's name.
    std::vector<std::string> paths;
    for (std::string& path : chosen)
        if (path.size() < kPathBuffer)
            paths.push_back(std::move(path));
    if (paths.empty())
        return 0;

    if (!multiple) {
        std::memcpy(selection, paths.front().c_str(), paths.front().size() + 1);
        return reinterpret_cast<intptr_t>(selection);
    }

    if (paths.size() == 1) {
        if (filePicked)
            filePicked(paths.front().c_str(), 0);
        addToListBox(owner, listBoxId, paths.front().c_str());
        return 1;
    }

    int32_t goOn = 1;
    int32_t index = 0;
    for (size_t i = 0; i < paths.size() && goOn != 0; ++i) {
        if (filePicked)
            goOn = filePicked(paths[i].c_str(), index);
        ++index;
        addToListBox(owner, listBoxId, paths[i].c_str());
    }
    return index;
}
