// The per-process private temporary folder: made at start with mkdtemp under the
// temp folder ($TMPDIR, else /tmp), holding the temporary WAV file "tmp.000" that the
// decoder writes for each entry, and removed with its contents at shutdown. Being
// private to the process, no other program or user can plant or read that file, and
// two conversions running at once never share it.
//
// Shared by brisktune (one folder for its run) and brisktune-cli (one per worker).
// The record is owned by the caller; nothing here is process-wide.
#pragma once

#include <string>

struct PrivateTemp {
    std::string folder;   // ends in '/'; "" until made
    std::string wavPath;  // folder + "tmp.000"
};

// Name of the temporary WAV file inside the folder.
constexpr const char* kTempWavName = "tmp.000";

// Makes the folder ("brisktune-XXXXXX"). Returns false, with a message naming the
// folder tried and the reason in *error when given, when it cannot be made.
bool CreatePrivateTemp(PrivateTemp& temp, std::string* error = nullptr);

// Removes the folder and everything in it, and clears the record. Safe to call on a
// record that was never made or is already removed.
void RemovePrivateTemp(PrivateTemp& temp);
