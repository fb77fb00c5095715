#include "converter/convert_entry.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <filesystem>
#include <system_error>

#include "platform/program_path.h"

namespace {

// Block size for loading the decoded samples.
constexpr int32_t kLoadBlockBytes = 65536;

constexpr const char* kEncoderModuleName = "lame_enc.so";

std::string nameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool exists(const std::string& path) {
    std::error_code code;
    return std::filesystem::exists(std::filesystem::symlink_status(path, code));
}

void removeFile(const std::string& path) {
    if (!path.empty()) remove(path.c_str());
}

ConvertResult failure(std::string reason) {
    ConvertResult result;
    result.outcome = ConvertOutcome::Failed;
    result.reason = std::move(reason);
    return result;
}

ConvertResult outcome(ConvertOutcome kind) {
    ConvertResult result;
    result.outcome = kind;
    return result;
}

// Opens the output for appending, which creates it when missing but never cuts an
// existing file, then closes it again and removes it when it was made here. "" when
// it can be written, else the reason.
std::string checkWritable(const std::string& path) {
    bool existed = exists(path);
    FILE* probe = fopen(path.c_str(), "ab");
    if (!probe) return "Cannot write " + path + ": " + strerror(errno);
    int closed = fclose(probe);
    int closeError = errno;
    if (!existed) removeFile(path);
    if (closed != 0) return "Cannot write " + path + ": " + strerror(closeError);
    return "";
}

// What the progress function answers now: false once a stop was asked for.
bool goesOn(EntryProgress progress) {
    return !progress || progress(0) != 0;
}

}  // namespace

ConvertResult ConvertEntry(const ConvertRequest& request) {
    const TonekitBinding* binding = request.binding;
    if (!binding || !binding->OpenWAV || !binding->ReadWAV || !binding->CloseWAV || !binding->RAM2MP3)
        return failure("tonekit.so is missing or corrupted");
    std::string source = request.sourcePath ? request.sourcePath : "";
    std::string output = request.outputPath ? request.outputPath : "";
    std::string wav = request.tempWavPath ? request.tempWavPath : "";
    if (output.empty() || output.size() > 1023) return failure("The output path for " + source + " is too long");
    if (wav.empty()) return failure("No temporary folder for decoding " + source);

    // A WAV from an earlier entry must never be encoded under this entry's name.
    removeFile(wav);

    if (source.empty() || !exists(source)) return failure("No such file");
    bool outputExisted = exists(output);
    std::string unwritable = checkWritable(output);
    if (!unwritable.empty()) return failure(unwritable);
    if (!DecoderPresent()) return failure(std::string("The decoder (faad) is missing from ") + programFolder);
    std::string hostFolder = platform::executableFolder();
    if (!exists(hostFolder + kEncoderModuleName))
        return failure(std::string(kEncoderModuleName) + " is missing from " + hostFolder);

    if (!DecodeToWav(source.c_str(), wav.c_str(), request.decoderObserver, request.observerContext)) {
        removeFile(wav);
        return failure(std::string("The decoder (faad) is missing from ") + programFolder);
    }
    if (!goesOn(request.progress)) {
        removeFile(wav);
        return outcome(ConvertOutcome::Stopped);
    }

    std::string undecodable =
        nameOf(source) + " could not be decoded: it is not an AAC, M4A or MP4 file, or it is damaged";
    WAVHandle* handle = binding->OpenWAV(wav.c_str(), 0, kLoadBlockBytes);
    if (!handle) {
        removeFile(wav);
        return failure(undecodable);
    }
    uint32_t dataSize = handle->dataSize;
    WAVEFORMATEX format = handle->format;
    uint8_t* samples = dataSize ? static_cast<uint8_t*>(malloc(dataSize)) : nullptr;
    if (dataSize && !samples) {
        binding->CloseWAV(handle);
        removeFile(wav);
        return failure("Not enough memory to load the decoded audio of " + nameOf(source) + " (" +
                       std::to_string(dataSize / (1024 * 1024) + 1) + " MB)");
    }
    uint32_t loaded = 0;
    if (samples) {
        for (int32_t count; (count = binding->ReadWAV(handle)) > 0;) {
            // The reader never hands out more than the declared size; stay inside the
            // buffer all the same.
            uint32_t take = static_cast<uint32_t>(count);
            if (take > dataSize - loaded) take = dataSize - loaded;
            memcpy(samples + loaded, handle->buffer, take);
            loaded += take;
            if (loaded == dataSize) break;
        }
    }
    binding->CloseWAV(handle);
    removeFile(wav);
    if (loaded == 0) {
        free(samples);
        return failure(undecodable);
    }

    AudioBuffer input;
    input.data = samples;
    input.size = loaded;  // what was loaded, not what the header claimed
    input.frameBytes = format.nBlockAlign;
    // The WAV's own rate, width and channels describe the samples.
    int32_t written = binding->RAM2MP3(&input, 1.0, &format, static_cast<uint32_t>(request.bitrate), 0, output.c_str(), request.progress);
    free(samples);
    if (!written) {
        // The encoder leaves nothing of a failed file; an older file it never reached
        // is not ours to remove.
        if (!outputExisted) removeFile(output);
        return failure("The MP3 encoder could not write " + output);
    }
    return outcome(goesOn(request.progress) ? ConvertOutcome::Converted : ConvertOutcome::Stopped);
}
