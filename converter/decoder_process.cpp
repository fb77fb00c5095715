#include "converter/decoder_process.h"

#include <string.h>

#include "platform/process.h"
#include "platform/program_path.h"

char modulePath[kPathBufferSize];
char programFolder[kPathBufferSize];

namespace {

// The decoder's output lands here; it is never interpreted, every read overwrites it.
char decoderOutput[kDecoderOutputSize];

// Copies `text` into a 1,024-byte field when it fits with its terminator; a text
// that does not fit leaves the field empty rather than holding a cut path.
void storePath(char (&field)[kPathBufferSize], const std::string& text)
{
    if (text.size() >= kPathBufferSize) {
        field[0] = '\0';
        return;
    }
    memcpy(field, text.c_str(), text.size() + 1);
}

bool fitsPathBuffer(const char* text)
{
    return text && strnlen(text, kPathBufferSize) < kPathBufferSize;
}

struct ObserverBinding {
    DecoderObserver observer;
    void* context;
};

bool forwardToObserver(void* context, platform::ProcessPhase phase, const char* data, size_t size)
{
    const auto* binding = static_cast<const ObserverBinding*>(context);
    const int state = phase == platform::ProcessPhase::Started ? 0 : 1;
    return binding->observer(state, data, static_cast<uint32_t>(size), binding->context) != 0;
}

}  // namespace

void FindProgramFolder()
{
    const std::string path = platform::executablePath();
    storePath(modulePath, path);
    // The folder is taken from the stored path, so a path that did not fit gives no
    // folder either. Case is kept: file names here are case-sensitive.
    const char* slash = strrchr(modulePath, '/');
    storePath(programFolder, slash ? std::string(modulePath, static_cast<size_t>(slash - modulePath) + 1)
                                   : std::string());
}

std::string DecoderPath()
{
    if (programFolder[0] == '\0')
        return {};
    std::string path = std::string(programFolder) + "faad";
    if (path.size() >= kPathBufferSize)
        return {};
    return path;
}

bool DecoderPresent()
{
    const std::string path = DecoderPath();
    return !path.empty() && platform::isRunnableFile(path.c_str());
}

bool DecodeToWav(const char* sourcePath, const char* outputPath, DecoderObserver observer,
                 void* context)
{
    const std::string decoder = DecoderPath();
    if (decoder.empty() || !fitsPathBuffer(sourcePath) || !fitsPathBuffer(outputPath) ||
        *sourcePath == '\0' || *outputPath == '\0')
        return false;
    return RunPiped({decoder, "-d", "-o", outputPath, sourcePath}, observer, context);
}

bool RunPiped(const std::vector<std::string>& arguments, DecoderObserver observer, void* context)
{
    ObserverBinding binding{observer, context};
    const platform::ProcessResult result =
        platform::runProcess(arguments, decoderOutput, sizeof decoderOutput,
                             observer ? forwardToObserver : nullptr, &binding);
    if (observer) {
        if (!result.started) {
            // Nothing ran, but the observer sees the same course as for a child
            // that ended at once: its first read failed.
            observer(0, decoderOutput, 0, context);
            observer(1, decoderOutput, 0, context);
        }
        observer(2, decoderOutput, 0, context);
    }
    return result.started;
}
