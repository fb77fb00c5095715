// The inputs of brisktune-cli: the PATHs of the command line made into a list of
// source files.
#pragma once

#include <string>
#include <vector>

struct InputFile {
    std::string path;     // as given, or folder + '/' + name for a folder's files
    std::string failure;  // "" when the file can be converted; else why not
};

// True when the name ends in .aac, .m4a or .mp4, in any case.
bool HasAudioExtension(const std::string& name);

// Expands `paths` in order: a file stands for itself; a folder for its files with an
// audio extension, in name order (byte order of the full paths), and with `recursive`
// those of its subfolders as well (symbolic links to folders are not entered, so a
// walk cannot loop). A path that does not exist is kept with the failure
// "No such file"; a named file without an audio extension with
// "not an .aac, .m4a or .mp4 file". A path equal to one already listed (byte for
// byte) is left out.
std::vector<InputFile> CollectInputFiles(const std::vector<std::string>& paths, bool recursive);
