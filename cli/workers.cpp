#include "cli/workers.h"

#include <stdio.h>
#include <stdlib.h>

#include "converter/convert_entry.h"
#include "converter/private_temp.h"
#include "platform/worker_process.h"

namespace {

struct WorkerContext {
    const TonekitBinding* binding = nullptr;
    const std::vector<CliJob>* jobs = nullptr;
    int bitrate = 128;
    std::string wavPath;
};

// The running worker's own reporting state: the encoder's progress function takes
// only the percentage, so it finds the channel here. Set and used only inside a
// worker process, which converts one file at a time.
struct WorkerReport {
    platform::WorkerChannel* channel = nullptr;
    int index = -1;
    int lastPercent = -1;
};
WorkerReport workerReport;

int32_t reportProgress(int32_t percent) {
    if (percent != workerReport.lastPercent) {
        workerReport.lastPercent = percent;
        platform::writeToParent(workerReport.channel,
                                "P " + std::to_string(workerReport.index) + " " + std::to_string(percent));
    }
    return 1;
}

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

int workerMain(void* contextAddress, platform::WorkerChannel* channel) {
    auto* context = static_cast<WorkerContext*>(contextAddress);
    workerReport.channel = channel;
    std::string line;
    while (platform::readFromParent(channel, line)) {
        char* end = nullptr;
        long index = strtol(line.c_str(), &end, 10);
        if (!end || *end != '\0' || index < 0 || static_cast<size_t>(index) >= context->jobs->size()) return 3;
        const CliJob& job = (*context->jobs)[static_cast<size_t>(index)];
        workerReport.index = static_cast<int>(index);
        workerReport.lastPercent = -1;
        ConvertRequest request;
        request.binding = context->binding;
        request.sourcePath = job.source.c_str();
        request.outputPath = job.output.c_str();
        request.bitrate = context->bitrate;
        request.tempWavPath = context->wavPath.c_str();
        request.progress = reportProgress;
        ConvertResult result = ConvertEntry(request);
        std::string report = result.outcome == ConvertOutcome::Converted
                                 ? "C " + std::to_string(index)
                                 : "F " + std::to_string(index) + " " +
                                       oneLine(result.reason.empty() ? "stopped" : result.reason);
        if (!platform::writeToParent(channel, report)) return 4;
    }
    return 0;
}

struct Slot {
    platform::Worker* worker = nullptr;
    PrivateTemp temp;
    int job = -1;  // the job it converts, -1 when idle
};

}  // namespace

RunSummary RunJobs(const TonekitBinding& binding, std::vector<CliJob>& jobs, int bitrate, int workerCount,
                   ProgressDisplay& display) {
    RunSummary summary;
    std::vector<int> pending;
    for (size_t i = 0; i < jobs.size(); ++i) {
        CliJob& job = jobs[i];
        if (!job.failure.empty()) {
            job.finished = true;
            ++summary.failed;
            ReportFinished(display, -1, job.weight, job.source, job.output, job.failure);
        } else {
            pending.push_back(static_cast<int>(i));
        }
    }
    if (pending.empty()) return summary;
    if (workerCount < 1) workerCount = 1;
    if (static_cast<size_t>(workerCount) > pending.size()) workerCount = static_cast<int>(pending.size());

    platform::StopSignals* signals = platform::catchStopSignals();
    if (!signals) {
        summary.setupError = "Cannot take over the stop signals";
        return summary;
    }
    std::vector<Slot> slots(static_cast<size_t>(workerCount));
    size_t next = 0;
    auto handOut = [&](Slot& slot) {
        if (next >= pending.size()) {
            platform::finishWorker(slot.worker);
            slot.worker = nullptr;
            slot.job = -1;
            return;
        }
        slot.job = pending[next++];
        if (!platform::sendToWorker(slot.worker, std::to_string(slot.job))) {
            // The worker is gone; its job is taken up below as an unexpected end.
        }
    };
    for (Slot& slot : slots) {
        std::string error;
        WorkerContext context;
        if (!CreatePrivateTemp(slot.temp, &error)) {
            summary.setupError = error;
            break;
        }
        context.binding = &binding;
        context.jobs = &jobs;
        context.bitrate = bitrate;
        context.wavPath = slot.temp.wavPath;
        // The child gets its own copy of the context at the fork.
        slot.worker = platform::startWorker(workerMain, &context, &error);
        if (!slot.worker) {
            summary.setupError = error;
            break;
        }
    }
    if (summary.setupError.empty()) {
        for (Slot& slot : slots) handOut(slot);
    } else {
        pending.clear();
    }

    auto finishJob = [&](Slot& slot, bool converted, const std::string& reason) {
        CliJob& job = jobs[static_cast<size_t>(slot.job)];
        job.finished = true;
        job.converted = converted;
        if (converted) ++summary.converted;
        else ++summary.failed;
        ReportFinished(display, static_cast<int>(&slot - slots.data()), job.weight, job.source, job.output,
                       reason);
    };

    for (;;) {
        std::vector<platform::Worker*> live;
        for (Slot& slot : slots)
            if (slot.worker) live.push_back(slot.worker);
        if (live.empty()) break;
        int signal = platform::waitForWorkers(live, signals, 100);
        if (signal) {
            summary.stopSignal = signal;
            break;
        }
        for (Slot& slot : slots) {
            if (!slot.worker) continue;
            std::vector<std::string> lines;
            bool open = platform::takeWorkerLines(slot.worker, lines);
            for (const std::string& line : lines) {
                if (line.size() < 3 || slot.job < 0) continue;
                char kind = line[0];
                char* end = nullptr;
                long index = strtol(line.c_str() + 2, &end, 10);
                if (index != slot.job) continue;
                if (kind == 'P') {
                    jobs[static_cast<size_t>(index)].encoding = true;
                    ReportRunning(display, static_cast<int>(&slot - slots.data()),
                                  jobs[static_cast<size_t>(index)].weight, atoi(end));
                } else if (kind == 'C' || kind == 'F') {
                    finishJob(slot, kind == 'C', kind == 'C' ? "" : std::string(*end == ' ' ? end + 1 : end));
                    handOut(slot);
                    if (!slot.worker) break;
                }
            }
            if (slot.worker && !open) {
                // The worker ended without reporting its file: nothing of that file may stay.
                if (slot.job >= 0) {
                    CliJob& job = jobs[static_cast<size_t>(slot.job)];
                    if (!job.existedBefore || job.encoding) remove(job.output.c_str());
                    finishJob(slot, false, "the worker process ended unexpectedly");
                }
                platform::finishWorker(slot.worker);
                slot.worker = nullptr;
                slot.job = -1;
            }
        }
        DrawProgress(display);
    }

    if (summary.stopSignal || !summary.setupError.empty()) {
        for (Slot& slot : slots) {
            if (!slot.worker) continue;
            platform::stopWorker(slot.worker);
            slot.worker = nullptr;
            if (slot.job < 0) continue;
            CliJob& job = jobs[static_cast<size_t>(slot.job)];
            // An MP3 this run began is removed; a file from before the run is left
            // alone unless the encoder had started replacing it.
            if ((!job.existedBefore || job.encoding) && remove(job.output.c_str()) == 0)
                ++summary.removedUnfinished;
            slot.job = -1;
        }
    }
    for (Slot& slot : slots) RemovePrivateTemp(slot.temp);
    platform::releaseStopSignals(signals);
    ClearProgress(display);
    return summary;
}
