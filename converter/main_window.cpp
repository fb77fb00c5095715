#include "converter/main_window.h"

#include <cstdio>
#include <cstring>

#include "converter/app_state.h"
#include "converter/control_ids.h"
#include "converter/conversion_job.h"
#include "converter/file_list.h"
#include "converter/status_pump.h"
#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/event_pump.h"
#include "platform/menu.h"
#include "platform/message_box.h"
#include "platform/resources.h"

namespace brisktune {

namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using namespace platform;  // the ControlStyle and DialogStyle bits

// In the order of dialog 101: the tab order of the focusable controls, and earlier
// controls lie above later ones (the group boxes beneath the controls they frame, the
// banner beneath everything).
const ControlTemplate kControls[] = {
    {kIdAddFiles, ControlKind::PushButton, TabStop | DefaultButton, "Add Files", 13, 65, 57, 19},
    {kIdAddFolder, ControlKind::PushButton, TabStop, "Add Folder", 75, 65, 57, 19},
    {kIdSelectAll, ControlKind::PushButton, TabStop, "Select All", 137, 65, 57, 19},
    {kIdSelectNone, ControlKind::PushButton, TabStop, "Select None", 199, 65, 57, 19},
    {kIdRemove, ControlKind::PushButton, TabStop, "Remove", 261, 65, 57, 19},
    {kIdConvert, ControlKind::PushButton, TabStop, "Convert", 323, 65, 57, 19},
    {kIdFileList, ControlKind::ListView, TabStop | Border | AcceptFiles | ListCheckBoxes | ListFullRowSelect,
     nullptr, 13, 90, 366, 136},
    {0, ControlKind::GroupBox, 0, "Files To Be Converted", 5, 50, 382, 184},
    {0, ControlKind::GroupBox, 0, "MP3 Converter Output", 5, 239, 382, 57},
    {0, ControlKind::StaticText, 0, "Quality :", 15, 256, 30, 10},
    {kIdQuality, ControlKind::DropDownList, TabStop | VScroll, nullptr, 55, 254, 85, 13},
    {kIdSameFolder, ControlKind::AutoCheckBox, TabStop | TextOnLeft, "Convert To Same Folder", 156, 256, 89, 9},
    {kIdExplore, ControlKind::PushButton, TabStop, "Explore ...", 263, 252, 49, 16},
    {kIdChangeFolder, ControlKind::PushButton, TabStop, "Change Folder ...", 317, 252, 62, 16},
    {0, ControlKind::StaticText, 0, "Folder :", 15, 276, 37, 10},
    {kIdFolderBox, ControlKind::Edit, TabStop | ReadOnly | Border | AutoHScroll, nullptr, 55, 274, 323, 13},
    // Wider than the classic 78 units: the system sans face needs the room for the
    // rights line on one line.
    {0, ControlKind::StaticText, Centred, kRightsLine, 6, 304, 120, 10},
    {kIdStayOnTop, ControlKind::AutoCheckBox, TabStop | TextOnLeft, "Stay On Top", 332, 303, 54, 9},
    {kIdStatus, ControlKind::StaticText, Sunken | VerticallyCentred, " Status : Idle.", 0, 319, 393, 12},
    {kIdProgress, ControlKind::ProgressBar, Border, nullptr, 0, 332, 393, 10},
    // The banner has no id of its own in the dialog; this one only lets the window
    // give it its picture.
    {kIdBanner, ControlKind::Picture, 0, nullptr, 0, 0, 394, 44},
};

const platform::DialogTemplate kMainDialog = {
    "Brisktune", 394, 355, HasCaption | HasSystemMenu | HasMinimiseBox | CentredOnScreen,
    kControls, sizeof kControls / sizeof kControls[0],
};

bool isShadedButton(int id)
{
    switch (id) {
    case kIdAddFiles: case kIdSelectAll: case kIdChangeFolder: case kIdAddFolder:
    case kIdSelectNone: case kIdConvert: case kIdExplore: case kIdRemove:
        return true;
    default:
        return false;
    }
}

void changeOutputFolder()
{
    AppState& st = app();
    const char* chosen = tk().BrowseForFolder(st.mainWindow, "Select Output Folder ...", nullptr);
    std::string folder = chosen ? chosen : "";
    PumpMessages();
    if (folder.empty() || folder.size() >= kPathBytes || !st.mainWindow)
        return;
    // Folder names keep their letter case: on this file system it tells folders apart.
    if (folder.back() != '/')
        folder += '/';
    if (folder.size() >= kPathBytes)
        return;
    std::memset(st.settings.outputFolder, 0, kPathBytes);
    std::memcpy(st.settings.outputFolder, folder.data(), folder.size());
    platform::setText(platform::controlOf(st.mainWindow, kIdFolderBox), st.settings.outputFolder);
}

void exploreOutputFolder()
{
    if (!platform::openWithDesktop(app().settings.outputFolder))
        std::fprintf(stderr, "brisktune: no program of the desktop could open %s\n", app().settings.outputFolder);
}

void openAddress(const std::string& address)
{
    if (address.empty() || !platform::openWithDesktop(address.c_str()))
        std::fprintf(stderr, "brisktune: the web browser could not be started for the user guide\n");
}

void onlineHelp()
{
    WindowHandle w = app().mainWindow;
    platform::messageBox(w, "Help will now Open in your Web Browser\nThis Program will be Minimized to the Taskbar\n\nPress OK",
                         "HELP", platform::MessageIcon::Information, platform::MessageButtons::Ok);
    platform::minimiseWindow(w);
    openAddress(userGuideAddress(nullptr));
}

void moreSoftware()
{
    platform::minimiseWindow(app().mainWindow);
    openAddress(userGuideAddress("more"));
}

void about()
{
    platform::messageBox(app().mainWindow,
                         tk().strcat5("Brisktune\n\nVersion 1.0 - Build 100210\n\n", kRightsLine, nullptr, nullptr, nullptr),
                         "ABOUT", platform::MessageIcon::Information, platform::MessageButtons::Ok);
}

void dispatchCommand(WindowHandle window, platform::DialogEvent& event)
{
    AppState& st = app();
    const int id = event.controlId;
    if (event.code == platform::SelectionChanged && id == kIdQuality) {
        int selection = platform::comboSelection(event.control);
        if (selection >= 0 && selection <= 3)
            st.settings.qualityIndex = static_cast<uint32_t>(selection);
        ApplySettings();
    }
    if (id >= kMenuQualityFirst && id <= kMenuQualityLast) {
        st.settings.qualityIndex = static_cast<uint32_t>(id - kMenuQualityFirst);
        ApplySettings();
    }
    switch (id) {
    case kIdAddFiles: case kMenuAddFiles: AddFilesCommand(); break;
    case kIdAddFolder: case kMenuAddFolder: AddFolderCommand(); break;
    case kMenuExit: platform::requestClose(window); break;
    case kIdSelectAll: case kMenuSelectAll: SelectAllCommand(); break;
    case kIdSelectNone: case kMenuSelectNone: SelectNoneCommand(); break;
    case kIdRemove: case kMenuRemove: RemoveCommand(); break;
    case kIdConvert: case kMenuConvert: RunConversion(); break;
    case kIdChangeFolder: case kMenuChangeFolder: changeOutputFolder(); break;
    case kIdExplore: case kMenuExplore: exploreOutputFolder(); break;
    case kIdSameFolder:
        st.settings.sameFolder ^= 1;
        ApplySettings();
        break;
    case kMenuSameFolder:
        st.settings.sameFolder ^= 1;
        platform::setChecked(platform::controlOf(window, kIdSameFolder), st.settings.sameFolder == 1);
        ApplySettings();
        break;
    case kIdStayOnTop:
        st.settings.stayOnTop ^= 1;
        ApplySettings();
        break;
    case kMenuOnlineHelp: onlineHelp(); break;
    case kMenuAbout: about(); break;
    case kMenuMoreSoftware: moreSoftware(); break;
    default: break;
    }
}

void initialise(WindowHandle window)
{
    AppState& st = app();
    st.mainWindow = window;
    platform::ResourceBytes icon = platform::findResource(st.instance, "ICON", 102);
    if (icon.data)
        platform::setWindowIconFromBytes(window, icon.data, icon.size);
    platform::ResourceBytes banner = platform::findResource(st.instance, "BITMAP", 106);
    if (banner.data)
        platform::setControlPictureFromBytes(platform::controlOf(window, kIdBanner), banner.data, banner.size);
    tk().AddComboStrings(window, kIdQuality, " Very High (256kbps), High (128kbps), Medium (64kbps), Low (32kbps)",
                         ",", 1, 100, 1);
    SetUpFileListColumns();
    platform::setFocus(platform::controlOf(window, kIdAddFiles));
}

// The deferred part of a close, once nothing runs any more.
void finishClose()
{
    AppState& st = app();
    if (!st.mainWindow)
        return;
    st.closePending = 0;
    SaveSettings();
    platform::destroyDialog(st.mainWindow);
}

}  // namespace

const platform::DialogTemplate& mainDialogTemplate()
{
    return kMainDialog;
}

std::string userGuideAddress(const char* section)
{
    AppState& st = app();
    platform::ResourceBytes guide = platform::findResource(st.instance, "HTML", 200);
    if (!guide.data || st.temp.folder.empty())
        return "";
    const std::string path = st.temp.folder + "user-guide.html";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return "";
    bool ok = std::fwrite(guide.data, 1, guide.size, file) == guide.size;
    ok = std::fclose(file) == 0 && ok;
    if (!ok)
        return "";
    std::string address = "file://" + path;
    if (section)
        address += std::string("#") + section;
    return address;
}

void CloseMainWindow()
{
    AppState& st = app();
    if (!st.mainWindow)
        return;
    if (st.busyDepth > 0) {
        // Inside a long operation: stop it; the close follows when it has unwound.
        st.closePending = 1;
        if (st.jobRunning)
            st.stopRequested = 1;
        return;
    }
    finishClose();
}

intptr_t MainDialogProc(WindowHandle window, platform::DialogEvent& event, void* /*userData*/)
{
    AppState& st = app();
    switch (event.message) {
    case platform::DialogMessage::Init:
        initialise(window);
        return 0;
    case platform::DialogMessage::Command:
        ++st.busyDepth;
        dispatchCommand(window, event);
        --st.busyDepth;
        if (st.busyDepth == 0 && st.closePending)
            finishClose();
        return 0;
    case platform::DialogMessage::CustomDraw: {
        if (!isShadedButton(event.controlId))
            return 0;
        char caption[256];
        platform::getText(event.control, caption, sizeof caption);
        return tk().ShadedButton(window, event.context, &event.rect, caption, nullptr, 0xFFFFFF, event.itemState,
                                 st.buttonFont, 1, 0, 0);
    }
    case platform::DialogMessage::ColourQuery:
        if (event.colourTarget == platform::ColourTarget::Dialog) {
            event.colours.brush = st.backgroundBrush;
            return 0;
        }
        // The folder box keeps the platform's own colours.
        if (event.controlId == kIdFolderBox || event.colourTarget == platform::ColourTarget::Edit)
            return 0;
        tk().DoDialogTransparency(window, event.context, event.control);
        event.colours.transparent = true;
        event.colours.brush = st.backgroundBrush;
        return 0;
    case platform::DialogMessage::FilesDropped:
        ++st.busyDepth;
        DropFilesCommand(event.controlId, event.paths, event.pathCount);
        --st.busyDepth;
        if (st.busyDepth == 0 && st.closePending)
            finishClose();
        return 0;
    case platform::DialogMessage::Close:
        CloseMainWindow();
        return 0;
    case platform::DialogMessage::Destroy:
        st.mainWindow = nullptr;
        platform::postQuit(0);
        return 0;
    default:
        return 0;
    }
}

}  // namespace brisktune
