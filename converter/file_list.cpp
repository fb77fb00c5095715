#include "converter/file_list.h"

#include <cstring>
#include <string>

#include "converter/app_state.h"
#include "converter/control_ids.h"
#include "converter/status_pump.h"
#include "platform/dialog.h"
#include "platform/list_view.h"
#include "platform/message_box.h"

namespace brisktune {

namespace {

constexpr int kColumnSelect = 0;
constexpr int kColumnName = 1;
constexpr int kColumnConverted = 2;
constexpr int kColumnFolder = 3;
constexpr int kColumnPath = 4;

// Column record fields that are given: format, width and text.
constexpr int kColumnMask = 7;
constexpr int kFormatLeft = 0;
constexpr int kFormatCentre = 2;

// "description\0patterns\0 ... \0\0", as the open-file dialog takes its filters.
constexpr char kMediaFilter[] =
    "All Media Files\0*.aac;*.m4a;*.mp4\0"
    "AAC Files\0*.aac\0"
    "M4A Files\0*.m4a\0"
    "MP4 Files\0*.mp4\0";

bool closing() { return app().closePending != 0 || app().mainWindow == nullptr; }

bool isMediaExtension(const char* path)
{
    size_t length = std::strlen(path);
    if (length < 4)
        return false;
    char ext[5];
    std::memcpy(ext, tk().rights(path, 4), 4);
    ext[4] = '\0';
    for (char& c : ext)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return std::strcmp(ext, ".AAC") == 0 || std::strcmp(ext, ".M4A") == 0 || std::strcmp(ext, ".MP4") == 0;
}

// The Path cells again, after rows have gone.
void rebuildPathIndex()
{
    AppState& st = app();
    st.listedPaths.clear();
    const int n = tk().LVGetItemCount(st.mainWindow, kIdFileList);
    for (int row = 0; row < n; ++row)
        st.listedPaths.insert(tk().LVGetText(st.mainWindow, kIdFileList, row, kColumnPath));
}

// Marks a long operation for the close handling of the main window.
struct BusyScope {
    BusyScope() { ++app().busyDepth; }
    ~BusyScope() { --app().busyDepth; }
};

}  // namespace

void SetUpFileListColumns()
{
    WindowHandle w = app().mainWindow;
    const TonekitBinding& t = tk();
    t.LVAddColumn(w, kIdFileList, kColumnSelect, kColumnMask, kFormatCentre, "Select", 60);
    t.LVAddColumn(w, kIdFileList, kColumnName, kColumnMask, kFormatLeft, "Name", 250);
    t.LVAddColumn(w, kIdFileList, kColumnConverted, kColumnMask, kFormatCentre, "Converted", 100);
    t.LVAddColumn(w, kIdFileList, kColumnFolder, kColumnMask, kFormatLeft, "Folder", 250);
    t.LVAddColumn(w, kIdFileList, kColumnPath, kColumnMask, kFormatLeft, "Path", 250);
}

int32_t AddMediaFile(const char* path, int32_t /*index*/)
{
    if (closing())
        return 0;
    AppState& st = app();
    const TonekitBinding& t = tk();
    if (!path || std::strlen(path) >= kPathBytes)
        return 1;  // a path that does not fit a path buffer is left out, never cut

    char folder[kPathBytes];
    std::strncpy(folder, t.strslash(path), kPathBytes - 1);
    folder[kPathBytes - 1] = '\0';
    if (!isMediaExtension(path))
        return 1;

    // A duplicate is a row whose Path is exactly this path. Case counts on this file
    // system, and a path that is part of another row's folder or path is a different
    // file. The index answers what a search of every Path cell would.
    if (st.listedPaths.count(path))
        return 1;

    WindowHandle w = st.mainWindow;
    t.LVInsertItem(w, kIdFileList, static_cast<uint32_t>(-1), 0, nullptr, 1);
    t.LVSetText(w, kIdFileList, static_cast<uint32_t>(-1), kColumnName, t.strrslash(path), 1);
    t.LVSetText(w, kIdFileList, static_cast<uint32_t>(-1), kColumnConverted, "0 %", 1);
    t.LVSetText(w, kIdFileList, static_cast<uint32_t>(-1), kColumnFolder, folder, 1);
    t.LVSetText(w, kIdFileList, static_cast<uint32_t>(-1), kColumnPath, path, 1);
    t.LVSetCheck(w, kIdFileList, -1, 1);
    st.listedPaths.insert(path);

    std::memset(st.settings.lastAddFolder, 0, kPathBytes);
    std::memcpy(st.settings.lastAddFolder, folder, std::strlen(folder));

    PumpMessagesAtFrameRate();
    return closing() ? 0 : 1;
}

int32_t OnFoundFile(const char* path)
{
    if (closing())
        return 1;
    AppState& st = app();
    ++st.searchCount;
    if (st.searchCount % 100 == 0)
        PumpMessages();
    if (closing())
        return 1;
    SetStatus(tk().strcat5("Searching File ... ", path, nullptr, nullptr, nullptr));
    AddMediaFile(path, 0);
    return closing() ? 1 : 0;
}

void AddFilesCommand()
{
    BusyScope busy;
    AppState& st = app();
    // The start folder is copied: AddMediaFile changes lastAddFolder meanwhile.
    char start[kPathBytes];
    std::memcpy(start, st.settings.lastAddFolder, kPathBytes);
    tk().GetOpenFilenames(st.mainWindow, 1, "Open Media File", start, kMediaFilter, 0, AddMediaFile);
}

void AddFolderCommand()
{
    BusyScope busy;
    AppState& st = app();
    const char* chosen = tk().BrowseForFolder(st.mainWindow, "Select A Folder To Add ...", nullptr);
    char folder[kPathBytes] = {};
    if (chosen)
        std::strncpy(folder, chosen, kPathBytes - 1);
    PumpMessages();
    if (!chosen || closing())
        return;
    platform::MessageAnswer answer =
        platform::messageBox(st.mainWindow, "Do you wish to include Subfolders?\n\nIf unsure, click 'No'",
                             "Add Folder", platform::MessageIcon::Question, platform::MessageButtons::YesNo);
    if (closing())
        return;
    tk().SearchFiles(folder, OnFoundFile, answer == platform::MessageAnswer::Yes ? 0 : 1);
    if (!closing())
        SetStatus("Idle.");
}

void SelectAllCommand()
{
    WindowHandle w = app().mainWindow;
    for (int row = 0; row < tk().LVGetItemCount(w, kIdFileList); ++row)
        tk().LVSetCheck(w, kIdFileList, row, 1);
}

void SelectNoneCommand()
{
    WindowHandle w = app().mainWindow;
    for (int row = 0; row < tk().LVGetItemCount(w, kIdFileList); ++row)
        tk().LVSetCheck(w, kIdFileList, row, 0);
}

void RemoveCommand()
{
    BusyScope busy;
    WindowHandle w = app().mainWindow;
    const TonekitBinding& t = tk();
    const int n = t.LVGetItemCount(w, kIdFileList);
    if (n == 0)
        return;
    int ticked = 0;
    for (int row = 0; row < n; ++row)
        ticked += t.LVGetCheck(w, kIdFileList, row) ? 1 : 0;
    if (ticked == 0)
        return;
    if (platform::messageBox(w, "Confirm Remove Selected?", "CONFIRMATION", platform::MessageIcon::Question,
                             platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes)
        return;
    if (closing())
        return;
    // The ticked rows go, the others keep their order. Going from the bottom up
    // leaves the same list as rescanning from the top after every deletion, without
    // reading the list again and again.
    WindowHandle list = platform::controlOf(w, kIdFileList);
    const int now = t.LVGetItemCount(w, kIdFileList);
    if (ticked == now) {
        platform::deleteAllListRows(list);
    } else {
        for (int row = now - 1; row >= 0; --row)
            if (t.LVGetCheck(w, kIdFileList, row))
                platform::deleteListRow(list, row);
    }
    rebuildPathIndex();
}

void DropFilesCommand(int controlId, const char* const* paths, size_t count)
{
    BusyScope busy;
    AppState& st = app();
    st.forwardTarget = platform::controlOf(st.mainWindow, controlId);
    if (controlId != kIdFileList || !st.forwardTarget)
        return;
    // The platform's paths live only during the drop; each is copied before a pump.
    for (size_t i = 0; i < count && !closing(); ++i) {
        std::string path = paths[i] ? paths[i] : "";
        AddMediaFile(path.c_str(), 0);
    }
}

}  // namespace brisktune
