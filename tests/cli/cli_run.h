// Running brisktune-cli as a child process in the tests.
#pragma once

#include <string>
#include <vector>

struct CliRun {
    int exitCode = -1;   // exit status, or 128 + signal
    std::string out;     // standard output
    std::string err;     // standard error
};

// Runs `program` (default: brisktune-cli in the program folder) with `arguments`,
// with TMPDIR set to `tmpdir` when it is not empty. When interruptAfterMs is given,
// sends SIGINT that long after the start (or as soon as standard output shows a
// "converted:" line when waitForFirst is set).
CliRun RunCli(const std::vector<std::string>& arguments, const std::string& tmpdir = "",
              const std::string& program = "", int interruptAfterMs = -1, bool waitForFirst = false);

// True when the file starts like an MP3 (an ID3 tag or an MPEG audio frame sync).
bool LooksLikeMp3(const std::string& path);
