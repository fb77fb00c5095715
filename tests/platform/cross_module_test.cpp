// Handles made by a program's copy of the window layer, used by tonekit.so's own
// copy (the library links the layer too, behind hidden symbols): the library's list
// and combo helpers must reach the program's dialog, list and combo box.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/event_pump.h"
#include "platform/list_view.h"

namespace {

intptr_t quiet(WindowHandle, platform::DialogEvent&, void*)
{
    return 0;
}

TEST(CrossModule, TheLibrarysHelpersReachTheProgramsDialog)
{
    const std::string path = std::string(BRISKTUNE_BIN_DIR) + "/tonekit.so";
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using InsertItem = int32_t (*)(WindowHandle, int32_t, uint32_t, int32_t, const char*, int32_t);
    using GetText = const char* (*)(WindowHandle, int32_t, int32_t, int32_t);
    using AddColumn = int32_t (*)(WindowHandle, int32_t, int32_t, int32_t, int32_t, const char*, int32_t);
    using AddCombo = void (*)(WindowHandle, int32_t, const char*, const char*, int32_t, int32_t, int32_t);
    using Enable10 = void (*)(WindowHandle, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                              int32_t, int32_t, int32_t, int32_t, int32_t);
    auto insertItem = reinterpret_cast<InsertItem>(dlsym(library, "LVInsertItem"));
    auto getText = reinterpret_cast<GetText>(dlsym(library, "LVGetText"));
    auto addColumn = reinterpret_cast<AddColumn>(dlsym(library, "LVAddColumn"));
    auto addCombo = reinterpret_cast<AddCombo>(dlsym(library, "AddComboStrings"));
    auto enable10 = reinterpret_cast<Enable10>(dlsym(library, "EnableWindows10"));
    ASSERT_TRUE(insertItem && getText && addColumn && addCombo && enable10);

    const platform::ControlTemplate controls[] = {
        {1005, platform::ControlKind::ListView, platform::ListCheckBoxes, nullptr, 0, 0, 200, 100},
        {1010, platform::ControlKind::DropDownList, 0, nullptr, 0, 110, 85, 13},
        {1000, platform::ControlKind::PushButton, 0, "Add Files", 100, 110, 57, 19},
    };
    const platform::DialogTemplate dialogTemplate = {"Brisktune", 300, 200, platform::HasCaption, controls, 3};
    WindowHandle dialog = platform::createDialog(dialogTemplate, quiet, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);

    EXPECT_EQ(addColumn(dialog, 1005, 0, 7, 0, "Name", 100), 0);
    EXPECT_EQ(insertItem(dialog, 1005, static_cast<uint32_t>(-1), 0, "Grüße.m4a", 0), 0);
    EXPECT_EQ(platform::listRowCount(platform::controlOf(dialog, 1005)), 1);
    EXPECT_STREQ(getText(dialog, 1005, 0, 0), "Grüße.m4a");
    addCombo(dialog, 1010, "a,b", ",", 1, 100, 1);
    EXPECT_EQ(platform::comboItemCount(platform::controlOf(dialog, 1010)), 2);
    EXPECT_EQ(platform::comboSelection(platform::controlOf(dialog, 1010)), 1);
    enable10(dialog, 0, 1000, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(platform::isEnabled(platform::controlOf(dialog, 1000)));

    platform::destroyDialog(dialog);
    platform::processPendingEvents();
    dlclose(library);
}

}  // namespace
