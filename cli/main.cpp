// brisktune-cli: converts AAC, M4A and MP4 files to MP3 from a terminal, with the
// same engine as the brisktune window (tonekit.so, faad, lame_enc.so from the
// program folder).
#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli/input_files.h"
#include "cli/options.h"
#include "cli/progress_display.h"
#include "cli/workers.h"
#include "converter/decoder_process.h"
#include "converter/output_names.h"
#include "converter/tonekit_binding.h"
#include "platform/worker_process.h"

namespace fs = std::filesystem;

namespace {

int usageError(const std::string& message) {
    fprintf(stderr, "brisktune-cli: %s\n%s", message.c_str(), UsageText());
    return 2;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "" when MP3 files can be written into `folder`, else what is wrong.
std::string checkOutputFolder(const std::string& folder) {
    std::error_code code;
    fs::file_status status = fs::status(fs::path(folder), code);
    if (!fs::exists(status)) return "The output folder " + folder + " does not exist";
    if (!fs::is_directory(status)) return "The output folder " + folder + " is not a folder";
    std::string probe = folder + ".brisktune-cli-write-test";
    FILE* file = fopen(probe.c_str(), "wx");
    if (!file) {
        if (errno == EEXIST) return "";
        return "Cannot write into the output folder " + folder + ": " + strerror(errno);
    }
    fclose(file);
    remove(probe.c_str());
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    CliOptions options;
    std::string problem = ParseOptions(argc, argv, options);
    if (!problem.empty()) return usageError(problem);
    if (options.help) {
        fputs(UsageText(), stdout);
        return 0;
    }
    if (!options.outputFolder.empty()) {
        std::string folderProblem = checkOutputFolder(options.outputFolder);
        if (!folderProblem.empty()) {
            fprintf(stderr, "brisktune-cli: %s; nothing was converted.\n", folderProblem.c_str());
            return 1;
        }
    }

    TonekitBinding binding;
    std::string loadError;
    if (!BindLibrary(binding, &loadError) || !BindingComplete(binding)) {
        std::string detail = !loadError.empty()             ? ": " + loadError
                             : binding.firstMissing ? std::string(": it lacks ") + binding.firstMissing
                                                    : std::string();
        fprintf(stderr, "brisktune-cli: tonekit.so Missing or Corrupted%s\n", detail.c_str());
        ReleaseLibrary(binding);
        return 1;
    }
    FindProgramFolder();

    // Output names are given out in input order before anything runs, so the same
    // inputs always give the same names.
    std::vector<InputFile> inputs = CollectInputFiles(options.paths, options.recursive);
    std::vector<CliJob> jobs;
    OutputNameKeeper keeper;
    uint64_t totalWeight = 0;
    for (const InputFile& input : inputs) {
        CliJob job;
        job.source = input.path;
        job.failure = input.failure;
        if (job.failure.empty()) {
            std::string folder = options.outputFolder.empty() ? folderOf(input.path) : options.outputFolder;
            job.output = ClaimOutputPath(keeper, OutputPathFor(folder, nameOf(input.path)));
            if (job.output.empty()) job.failure = "the output path would be longer than 1,023 bytes";
        }
        if (job.failure.empty()) {
            std::error_code code;
            job.existedBefore = fs::exists(fs::symlink_status(fs::path(job.output), code));
            uintmax_t size = fs::file_size(fs::path(job.source), code);
            job.weight = code ? 0 : static_cast<uint64_t>(size);
            totalWeight += job.weight;
        }
        jobs.push_back(job);
    }
    if (jobs.empty()) {
        if (!options.quiet) fprintf(stderr, "brisktune-cli: no .aac, .m4a or .mp4 files to convert\n");
        ReleaseLibrary(binding);
        return 0;
    }

    int workerCount = options.jobs > 0 ? options.jobs : platform::processorCount();
    ProgressDisplay display;
    StartProgress(display, platform::isTerminal(1), options.quiet, static_cast<int>(jobs.size()), totalWeight,
                  workerCount);
    RunSummary summary = RunJobs(binding, jobs, options.bitrate, workerCount, display);
    ReleaseLibrary(binding);

    if (summary.stopSignal) {
        fprintf(stderr, "brisktune-cli: stopped; %d unfinished MP3 file(s) removed\n", summary.removedUnfinished);
        return 128 + summary.stopSignal;
    }
    if (!summary.setupError.empty()) {
        fprintf(stderr, "brisktune-cli: %s\n", summary.setupError.c_str());
        return 1;
    }
    // Every file has had its line; on a terminal a summary replaces the status line.
    if (display.live) printf("%d converted, %d failed\n", summary.converted, summary.failed);
    return summary.failed ? 1 : 0;
}
