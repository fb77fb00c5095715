// OpenWAV, ReadWAV, SeekWAV, CloseWAV: PCM sample data out of a WAV file.
#include "audio/wav_reader.h"

#include "audio/riff_chunks.h"

#include <cstdlib>
#include <cstring>
#include <sys/types.h>

namespace {

constexpr double kUnitsPerSecond = 10000000.0;

bool formatAccepted(const WAVEFORMATEX& f)
{
    if (f.wFormatTag != 1)
        return false;
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16)
        return false;
    if (f.nChannels != 1 && f.nChannels != 2)
        return false;
    if (f.nSamplesPerSec < 2000 || f.nSamplesPerSec > 88200)
        return false;
    // The block align sizes every frame and divides every time computation: a
    // zero or inconsistent one is refused rather than trusted.
    return f.nBlockAlign == uint32_t(f.nChannels) * f.wBitsPerSample / 8;
}

// Finds the format and the data chunk; the stream is the chunk-parsing one.
bool readLayout(FILE* file, WAVEFORMATEX* format, RiffChunk* data)
{
    RiffChunk riff, fmt;
    if (!riffFindForm(file, riffFourCC("WAVE"), &riff))
        return false;
    if (!riffFindChunk(file, riff, riffFourCC("fmt "), &fmt))
        return false;
    // Always the 18 bytes of the record, even from a 16-byte chunk (the extra-size
    // field then holds the next two bytes; nothing uses it).
    if (fread(format, 1, sizeof *format, file) != sizeof *format)
        return false;
    if (!formatAccepted(*format))
        return false;
    // "data" is searched forward from the end of "fmt ", so one before it is missed.
    if (!riffLeave(file, fmt))
        return false;
    return riffFindChunk(file, riff, riffFourCC("data"), data);
}

}  // namespace

TONEKIT_API WAVHandle* OpenWAV(const char* path, int64_t start, int32_t blockSize)
{
    if (!path || blockSize <= 0)
        return nullptr;
    if (FileSize(path) <= 44)
        return nullptr;

    FILE* parse = fopen(path, "rb");
    if (!parse)
        return nullptr;
    WAVEFORMATEX format;
    RiffChunk data;
    const bool found = readLayout(parse, &format, &data);
    fclose(parse);
    if (!found || data.dataOffset > int64_t(UINT32_MAX))
        return nullptr;

    auto* handle = static_cast<WAVHandle*>(calloc(1, sizeof(WAVHandle)));
    if (!handle)
        return nullptr;
    handle->format = format;
    handle->dataOffset = static_cast<uint32_t>(data.dataOffset);
    handle->dataSize = data.size;

    // Read and update, as the file size is taken: a read-only file is refused.
    handle->file = fopen(path, "rb+");
    handle->buffer = static_cast<uint8_t*>(malloc(static_cast<size_t>(blockSize)));
    if (!handle->file || !handle->buffer ||
        fseeko(handle->file, static_cast<off_t>(handle->dataOffset), SEEK_SET) != 0) {
        CloseWAV(handle);
        return nullptr;
    }
    handle->position = 0;
    handle->time = 0;
    handle->lastRead = 0;
    handle->bufferSize = static_cast<uint32_t>(blockSize);
    handle->frameBytes = format.nBlockAlign;

    const uint32_t frames = handle->dataSize / format.nBlockAlign;
    handle->duration = static_cast<int64_t>((1.0 / format.nSamplesPerSec) * kUnitsPerSecond * frames);
    handle->fileSize = FileSize(path);
    SeekWAV(handle, start);
    return handle;
}

TONEKIT_API int32_t ReadWAV(WAVHandle* handle)
{
    if (!handle)
        return 0;
    memset(handle->buffer, 0, handle->bufferSize);
    // Not limited to the data chunk: near its end the read may take the bytes of
    // whatever follows; they are left out of the count below.
    const size_t got = fread(handle->buffer, 1, handle->bufferSize, handle->file);
    handle->lastRead = static_cast<uint32_t>(got);
    uint64_t count = got;
    const uint64_t position = uint64_t(handle->position) + got;
    if (position > handle->dataSize) {
        count -= position - handle->dataSize;
        handle->position = handle->dataSize;
    } else {
        handle->position = static_cast<uint32_t>(position);
    }
    const uint32_t frames = handle->position / handle->format.nBlockAlign;
    handle->time = static_cast<int64_t>(static_cast<double>(frames) / handle->format.nSamplesPerSec *
                                        kUnitsPerSecond);
    return static_cast<int32_t>(count);
}

TONEKIT_API int32_t SeekWAV(WAVHandle* handle, int64_t time)
{
    if (!handle)
        return 0;
    const WAVEFORMATEX& f = handle->format;
    // Bounded well inside int64 for any int64 time (rate and block align are
    // small), so the truncation below is defined.
    int64_t bytes = static_cast<int64_t>(static_cast<double>(time) / kUnitsPerSecond * f.nSamplesPerSec *
                                         f.nBlockAlign);
    bytes &= -static_cast<int64_t>(f.nBlockAlign);
    // The whole value is compared, not its low 32 bits, so a time far past the end
    // cannot wrap round into the data.
    if (bytes < 0 || bytes > int64_t(handle->dataSize))
        bytes = 0;
    // A failed seek leaves the stream where it was; the reader then reports the
    // start, as for any position it cannot reach.
    if (fseeko(handle->file, static_cast<off_t>(handle->dataOffset + bytes), SEEK_SET) != 0) {
        bytes = 0;
        fseeko(handle->file, static_cast<off_t>(handle->dataOffset), SEEK_SET);
    }
    handle->position = static_cast<uint32_t>(bytes);
    handle->time = time;
    return static_cast<int32_t>(bytes);
}

TONEKIT_API void CloseWAV(WAVHandle* handle)
{
    if (!handle)
        return;
    if (handle->file)
        fclose(handle->file);
    free(handle->buffer);
    free(handle);
}
