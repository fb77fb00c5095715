// Writing the four payloads into the install folder, and starting the installed
// program. No window is touched here: the dialog reports the outcome.
#pragma once

#include <string>

#include "tonekit/records.h"

namespace setup {

// Capacity of the path texts (the path box read, each target path), terminator
// included: a longer path is refused, never cut.
constexpr size_t kPathCapacity = 2048;

// The name of the folder made inside the chosen one, joined to it as it stands.
constexpr const char kInstallFolderName[] = "BRISKTUNE/";

struct Payload {
    int id;                // resource id of type "BINARY" in setup's resources
    const char* fileName;  // name written in the install folder
    unsigned mode;         // permission bits given to the written file
};

// In the order they are written.
extern const Payload kPayloads[4];

// The install folder for the path box text: the text followed directly by
// "BRISKTUNE/", with no separator added (a text without its trailing '/' gives
// "<text>BRISKTUNE/").
std::string installFolderFor(const std::string& chosenFolder);

enum class InstallOutcome {
    Installed,       // the folder exists and holds all four files, sizes checked
    PayloadMissing,  // setup itself lacks a payload (path = its file name); nothing written
    CannotWrite,     // path = the folder or file that could not be made, written,
                     // given its mode, or that came out with the wrong size
};

struct InstallResult {
    InstallOutcome outcome;
    std::string path;
};

// Makes the install folder under `chosenFolder` (an existing one is used as it is)
// and writes every payload of `resources` into it, in order, each in one write,
// replacing a file of that name and leaving other files alone. Stops at the first
// failure; files written before it stay.
InstallResult installPayloads(ModuleHandle resources, const std::string& chosenFolder);

// Starts `installFolder` + "brisktune" detached, with the install folder as its
// working folder and no arguments. False when it could not be started.
bool startInstalledProgram(const std::string& installFolder);

}  // namespace setup
