#include "converter/main_menu.h"

#include "converter/control_ids.h"

namespace brisktune {

namespace {

using platform::MenuRow;
using platform::MenuRowKind;

constexpr MenuRow kMenu[] = {
    {0, MenuRowKind::Popup, 0, "&File"},
    {1, MenuRowKind::Item, kMenuAddFiles, "Add F&iles"},
    {1, MenuRowKind::Item, kMenuAddFolder, "Add F&older"},
    {1, MenuRowKind::Separator, 0, nullptr},
    {1, MenuRowKind::Item, kMenuExit, "E&xit"},
    {0, MenuRowKind::Popup, 0, "&Edit"},
    {1, MenuRowKind::Item, kMenuSelectAll, "Select &All"},
    {1, MenuRowKind::Item, kMenuSelectNone, "Select &None"},
    {1, MenuRowKind::Item, kMenuRemove, "&Remove"},
    {0, MenuRowKind::Popup, 0, "&Options"},
    {1, MenuRowKind::Item, kMenuConvert, "&Convert"},
    {1, MenuRowKind::Item, kMenuChangeFolder, "Change Output &Folder"},
    {1, MenuRowKind::Item, kMenuExplore, "&Explore Output Folder"},
    {1, MenuRowKind::Separator, 0, nullptr},
    {1, MenuRowKind::Popup, 0, "Set Output &Quality"},
    {2, MenuRowKind::Item, kMenuQualityFirst + 0, "Very High (256kbps)"},
    {2, MenuRowKind::Item, kMenuQualityFirst + 1, "High (128kbps)"},
    {2, MenuRowKind::Item, kMenuQualityFirst + 2, "Medium (64kbps)"},
    {2, MenuRowKind::Item, kMenuQualityFirst + 3, "Low (32kbps)"},
    {1, MenuRowKind::Item, kMenuSameFolder, "Convert To Same Folder"},
    {0, MenuRowKind::Popup, 0, "Help"},
    {1, MenuRowKind::Item, kMenuOnlineHelp, "Online Help"},
    {1, MenuRowKind::Item, kMenuAbout, "About"},
    {1, MenuRowKind::Separator, 0, nullptr},
    {1, MenuRowKind::Item, kMenuMoreSoftware, "Download More Software ..."},
};

}  // namespace

const MenuRow* mainMenuRows(size_t* count)
{
    *count = sizeof kMenu / sizeof kMenu[0];
    return kMenu;
}

bool attachMainMenu(WindowHandle window)
{
    size_t count = 0;
    const MenuRow* rows = mainMenuRows(&count);
    return platform::attachMenu(window, rows, count);
}

}  // namespace brisktune
