// Running the conversions of brisktune-cli in worker processes.
//
// Each worker is a forked copy of brisktune-cli with its own private temporary
// folder (made and removed by the parent, so nothing is left even when a worker is
// ended by force). It converts one file at a time with ConvertEntry, as the parent
// hands it indexes over a pipe, and reports progress and the outcome back:
//   "P <index> <percent>", "C <index>" (converted), "F <index> <reason>" (failed).
// A stop signal (SIGINT, SIGTERM) to the parent ends every worker, removes the MP3s
// they had not finished and the temporary folders.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "cli/progress_display.h"
#include "converter/tonekit_binding.h"

struct CliJob {
    std::string source;
    std::string output;   // the MP3 to write; "" when the job fails before it runs
    std::string failure;  // set before the run for a file that cannot be converted
    uint64_t weight = 0;  // the source's size in bytes, its share of the progress
    bool existedBefore = false;  // a file lay at `output` before the run
    bool encoding = false;       // the encoder has reported progress on it
    bool finished = false;
    bool converted = false;
};

struct RunSummary {
    int converted = 0;
    int failed = 0;
    int stopSignal = 0;       // the stop signal that ended the run, 0 if none
    int removedUnfinished = 0;  // MP3s of unfinished files removed after a stop
    std::string setupError;   // the run could not start (no pipe, no fork, no temp folder)
};

// Converts every job without a failure at `bitrate` kbit/s with `workerCount`
// workers (at least 1, at most the number of such jobs), reporting to `display`.
// Jobs with a failure are reported as failed first, in order.
RunSummary RunJobs(const TonekitBinding& binding, std::vector<CliJob>& jobs, int bitrate, int workerCount,
                   ProgressDisplay& display);
