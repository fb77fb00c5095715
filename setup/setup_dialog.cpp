#include "setup/setup_dialog.h"

#include <cstdlib>
#include <string>

#include "platform/controls.h"
#include "platform/event_pump.h"
#include "platform/file_dialogs.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/resources.h"
#include "setup/install.h"
#include "setup/setup_pump.h"

namespace setup {
namespace {

using platform::ControlKind;
using namespace platform;  // the ControlStyle and DialogStyle bits

const ControlTemplate kControls[] = {
    {kBannerId, ControlKind::Picture, Sunken, nullptr, 0, 0, 321, 36},
    {kPathBoxId, ControlKind::Edit, Border | TabStop | AutoHScroll, nullptr, 14, 58, 264, 13},
    {kBrowseId, ControlKind::PushButton, PictureButton | TabStop, "Browse", 282, 58, 27, 13},
    {kLicenceBoxId, ControlKind::Edit, Border | VScroll | TabStop | MultiLine | WantReturn, nullptr,
     14, 95, 295, 81},
    {kAgreementId, ControlKind::AutoCheckBox, Flat | TabStop,
     "I have Read, Understand and Agree to the License Agreement Above", 10, 200, 236, 9},
    {kInstallId, ControlKind::PushButton, Disabled | TabStop, "Install", 257, 196, 56, 17},
    {0, ControlKind::GreyFrame, 0, nullptr, 0, 186, 321, 1},
    {0, ControlKind::WhiteFrame, 0, nullptr, 0, 188, 321, 1},
    {0, ControlKind::StaticText, 0, "License Agreement", 14, 84, 76, 9},
    {0, ControlKind::StaticText, 0, "Install Path", 14, 47, 76, 9},
};

// Keys go to the boxes' filter, not to dialog navigation: Tab, Enter and Escape
// mean nothing here.
const DialogTemplate kDialog = {
    "Program Setup", 322, 218,
    HasCaption | HasSystemMenu | HasMinimiseBox | CentredOnScreen | NoDialogKeys,
    kControls, sizeof kControls / sizeof kControls[0],
};

// The home folder from HOME ("/" when it is unset or empty).
std::string homeFolderPath()
{
    const char* home = std::getenv("HOME");
    return (home && *home) ? home : "/";
}

void showError(const std::string& text)
{
    messageBox(nullptr, text.c_str(), "ERROR", MessageIcon::Error, MessageButtons::Ok);
}

void initialise(WindowHandle dialog, SetupState& state)
{
    state.dialog = dialog;
    const ResourceBytes icon = findResource(state.resources, "ICON", kIconResource);
    setWindowIconFromBytes(dialog, icon.data, icon.size);
    // A folder path here ends in '/'; the home folder stands where "C:\" did.
    setText(controlOf(dialog, kPathBoxId), pathBoxTextFor(homeFolderPath()).c_str());
    const ResourceBytes banner = findResource(state.resources, "BITMAP", kBannerResource);
    setControlPictureFromBytes(controlOf(dialog, kBannerId), banner.data, banner.size);
    const ResourceBytes browse = findResource(state.resources, "BITMAP", kBrowseResource);
    setControlPictureFromBytes(controlOf(dialog, kBrowseId), browse.data, browse.size);

    // The block carries no terminator: its size marks its end.
    const ResourceBytes licence = findResource(state.resources, "LICENSE", kLicenceResource);
    const std::string text(reinterpret_cast<const char*>(licence.data ? licence.data
                                                                      : reinterpret_cast<const unsigned char*>("")),
                           licence.size);
    setText(controlOf(dialog, kLicenceBoxId), text.c_str());

    // A bold 20-pixel "arial": the system's sans-serif face. The design asked for a
    // fixed pitch as well, which the named face always overrode; it is not asked here.
    FontSpec font;
    font.height = 20;
    font.width = 10;
    font.weight = 700;
    font.face = "arial";
    state.bannerFont = createFont(font);

    setFocus(controlOf(dialog, kLicenceBoxId));
}

void browse(WindowHandle dialog, SetupState& state)
{
    // The folder dialog runs its own event loop, in which Browse may be pressed again.
    if (state.browsing)
        return;
    state.browsing = true;
    std::string folder;
    if (chooseFolder(nullptr, kBrowseTitle, &folder, nullptr) && state.dialog)
        setText(controlOf(dialog, kPathBoxId), pathBoxTextFor(folder).c_str());
    if (state.dialog)
        setEnabled(controlOf(dialog, kBrowseId), true);
    state.browsing = false;
}

// Ends setup in order: the dialog goes, its Destroy posts the quit request.
void endSetup(WindowHandle dialog, int exitCode)
{
    destroyDialog(dialog);
    postQuit(exitCode);
}

void install(WindowHandle dialog, SetupState& state)
{
    setEnabled(controlOf(dialog, kInstallId), false);
    setEnabled(controlOf(dialog, kAgreementId), false);
    setEnabled(controlOf(dialog, kBrowseId), false);

    WindowHandle pathBox = controlOf(dialog, kPathBoxId);
    char chosen[kPathCapacity];
    if (textLength(pathBox) >= sizeof chosen) {
        // Never cut into another folder's path.
        std::string whole(textLength(pathBox) + 1, '\0');
        whole.resize(getText(pathBox, whole.data(), whole.size()));
        showError("Cannot write " + installFolderFor(whole));
        endSetup(dialog, 1);
        return;
    }
    getText(pathBox, chosen, sizeof chosen);

    const InstallResult result = installPayloads(state.resources, chosen);
    if (result.outcome == InstallOutcome::PayloadMissing) {
        showError("This setup program is damaged: it holds no " + result.path +
                  " to install. Please download setup again.");
        endSetup(dialog, 1);
        return;
    }
    if (result.outcome == InstallOutcome::CannotWrite) {
        showError("Cannot write " + result.path);
        endSetup(dialog, 1);
        return;
    }

    messageBox(nullptr, "SETUP is Complete!\n\nPress 'OK' ...", "SUCCESS", MessageIcon::Information,
               MessageButtons::Ok);
    if (!startInstalledProgram(result.path))
        showError("Cannot Open Program");
    endSetup(dialog, 0);
}

void drawTitle(SetupState& state, DialogEvent& event)
{
    DrawContext dc = event.context;
    FontHandle previous = selectFont(dc, state.bannerFont);
    setTextColour(dc, kBannerTitleColour);
    setBackgroundTransparent(dc, true);
    const TkRect place = {kBannerTitleX, kBannerTitleY, event.rect.right, event.rect.bottom};
    drawText(dc, kBannerTitle, -1, place, kTextSingleLine | kTextLeft);
    selectFont(dc, previous);
}

void answerColours(SetupState& state, DialogEvent& event)
{
    // Only the licence box has colours of its own; the path box keeps the defaults.
    if (event.controlId != kLicenceBoxId || !state.dialog)
        return;
    if (!state.licenceBrush)
        state.licenceBrush = createSolidBrush(kLicenceBackground);
    event.colours.hasBackgroundColour = true;
    event.colours.backgroundColour = kLicenceBackground;
    event.colours.hasTextColour = true;
    event.colours.textColour = kLicenceText;
    event.colours.brush = state.licenceBrush;
}

}  // namespace

const DialogTemplate& setupDialogTemplate()
{
    return kDialog;
}

std::string pathBoxTextFor(const std::string& chosenFolder)
{
    if (!chosenFolder.empty() && chosenFolder.back() == '/')
        return chosenFolder;
    return chosenFolder + '/';
}

intptr_t setupDialogProcedure(WindowHandle dialog, DialogEvent& event, void* userData)
{
    SetupState& state = *static_cast<SetupState*>(userData);
    switch (event.message) {
    case DialogMessage::Init:
        initialise(dialog, state);
        return 0;
    case DialogMessage::Command:
        if (event.controlId == kAgreementId)
            setEnabled(controlOf(dialog, kInstallId), isChecked(controlOf(dialog, kAgreementId)));
        else if (event.controlId == kBrowseId)
            browse(dialog, state);
        else if (event.controlId == kInstallId)
            install(dialog, state);
        return 0;
    case DialogMessage::DrawOver:
        if (event.controlId == kBannerId && state.bannerFont)
            drawTitle(state, event);
        return 0;
    case DialogMessage::ColourQuery:
        answerColours(state, event);
        return 0;
    case DialogMessage::Input:
        return dropsInput(event.controlId, event.input) ? 1 : 0;
    case DialogMessage::Close:
        destroyDialog(dialog);
        return 0;
    case DialogMessage::Destroy:
        state.dialog = nullptr;
        if (state.bannerFont)
            destroyFont(state.bannerFont);
        state.bannerFont = nullptr;
        // The brush stays until the window is gone (releaseSetupState): a repaint may
        // still use it.
        postQuit(0);
        return 0;
    default:
        return 0;
    }
}

void releaseSetupState(SetupState* state)
{
    if (state->bannerFont)
        destroyFont(state->bannerFont);
    state->bannerFont = nullptr;
    if (state->licenceBrush)
        destroyBrush(state->licenceBrush);
    state->licenceBrush = nullptr;
}

WindowHandle createSetupDialog(SetupState* state)
{
    return createDialog(kDialog, setupDialogProcedure, state, nullptr);
}

}  // namespace setup
