#include "cli/options.h"

#include <stdlib.h>

namespace {

bool parseNumber(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = strtol(text.c_str(), &end, 10);
    return end && *end == '\0';
}

}  // namespace

const char* UsageText() {
    return "Usage: brisktune-cli [-b 256|128|64|32] [-o DIR] [-r] [-j N] [-q] PATH...\n"
           "Converts AAC, M4A and MP4 audio files to MP3.\n"
           "  PATH    a file, or a folder whose .aac, .m4a and .mp4 files are converted\n"
           "  -b KBPS bitrate of the MP3 files: 256, 128 (the default), 64 or 32 kbit/s\n"
           "  -o DIR  write the MP3 files into DIR (default: beside each source file)\n"
           "  -r      take the files of subfolders too\n"
           "  -j N    convert N files at once (default: one per processor)\n"
           "  -q      print failures only\n"
           "  -h      show this help\n";
}

std::string ParseOptions(int argc, char** argv, CliOptions& options) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            options.paths.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "-h" || argument == "--help") {
            options.help = true;
            continue;
        }
        if (argument == "-r") {
            options.recursive = true;
            continue;
        }
        if (argument == "-q") {
            options.quiet = true;
            continue;
        }
        char letter = argument[1];
        if (letter != 'b' && letter != 'o' && letter != 'j')
            return "unknown option " + argument;
        // The value follows either attached (-b64) or as the next argument.
        std::string value;
        if (argument.size() > 2) {
            value = argument.substr(2);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            return std::string("-") + letter + " needs a value";
        }
        long number = 0;
        if (letter == 'b') {
            if (!parseNumber(value, number) || (number != 256 && number != 128 && number != 64 && number != 32))
                return "-b needs one of 256, 128, 64, 32, not " + value;
            options.bitrate = static_cast<int>(number);
        } else if (letter == 'j') {
            if (!parseNumber(value, number) || number < 1 || number > 256)
                return "-j needs a number of conversions from 1 to 256, not " + value;
            options.jobs = static_cast<int>(number);
        } else {
            if (value.empty()) return "-o needs a folder";
            while (value.size() > 1 && value.back() == '/') value.pop_back();
            options.outputFolder = value == "/" ? value : value + "/";
        }
    }
    if (!options.help && options.paths.empty()) return "no file or folder to convert";
    return "";
}
