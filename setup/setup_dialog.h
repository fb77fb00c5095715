// The installer's one dialog, "Program Setup": banner, install path with Browse,
// licence text, agreement and Install.
#pragma once

#include <stdint.h>

#include <string>

#include "platform/dialog.h"
#include "platform/draw_context.h"
#include "tonekit/records.h"

namespace setup {

// Control ids of the dialog.
constexpr int kBannerId = 1017;
constexpr int kPathBoxId = 1009;
constexpr int kBrowseId = 1004;
constexpr int kLicenceBoxId = 1014;
constexpr int kAgreementId = 1008;
constexpr int kInstallId = 1003;

// Resource ids in setup's module.
constexpr int kLicenceResource = 111;    // type "LICENSE": the agreement, CRLF lines
constexpr int kBannerResource = 112;     // type "BITMAP": 481 x 58
constexpr int kBrowseResource = 104;     // type "BITMAP": 44 x 17
constexpr int kIconResource = 102;       // type "ICON": the small icon

// The title drawn over the banner, its place and colour.
constexpr const char kBannerTitle[] = " Brisktune V1.0";
constexpr int kBannerTitleX = 70;
constexpr int kBannerTitleY = 20;
constexpr TkColour kBannerTitleColour = TK_RGB(255, 144, 176);
// The licence box's colours.
constexpr TkColour kLicenceBackground = TK_RGB(112, 112, 112);
constexpr TkColour kLicenceText = TK_RGB(128, 255, 128);

constexpr const char kBrowseTitle[] = "Select a Folder to Install to";

// Everything the dialog keeps while it lives. Owned by the caller of
// createSetupDialog and must outlive the dialog; the font and brush are made and
// released by the dialog itself.
struct SetupState {
    ModuleHandle resources = nullptr;   // setup's embedded resources
    WindowHandle dialog = nullptr;      // null once the dialog is destroyed
    FontHandle bannerFont = nullptr;
    BrushHandle licenceBrush = nullptr; // made at the first colour query
    bool browsing = false;              // a folder dialog is open
};

// The template of dialog 101.
const platform::DialogTemplate& setupDialogTemplate();

// Builds the dialog (hidden) and initialises it from `state->resources`; null when
// no GUI runs. Show it with platform::showWindow. When the dialog ends (closed, or
// after Install) it posts the quit request with exit code 0.
WindowHandle createSetupDialog(SetupState* state);

// Releases what the dialog left in `state` (the licence box's brush), once the
// dialog's window is gone (events handled after its destruction).
void releaseSetupState(SetupState* state);

// The dialog procedure; `userData` is the SetupState.
intptr_t setupDialogProcedure(WindowHandle dialog, platform::DialogEvent& event, void* userData);

// The path box text with exactly one trailing '/' for a folder chosen in the folder
// dialog (given without one; the root "/" stays "/").
std::string pathBoxTextFor(const std::string& chosenFolder);

}  // namespace setup
