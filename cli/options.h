// The command line of brisktune-cli:
//   brisktune-cli [-b 256|128|64|32] [-o DIR] [-r] [-j N] [-q] PATH...
#pragma once

#include <string>
#include <vector>

struct CliOptions {
    int bitrate = 128;          // kbit/s
    std::string outputFolder;   // "" = each MP3 beside its source; else ends in '/'
    bool recursive = false;     // folders: their subfolders too
    int jobs = 0;               // conversions at once; 0 = one per processor
    bool quiet = false;         // print failures only
    bool help = false;          // -h / --help: print the usage and end
    std::vector<std::string> paths;  // files and folders, as given
};

// Reads argv[1..argc). Returns "" when the line is good, else what is wrong with it
// (for example "-b needs one of 256, 128, 64, 32, not 100").
std::string ParseOptions(int argc, char** argv, CliOptions& options);

// The usage text, ending in a newline.
const char* UsageText();
