#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "audio/encoder_binding.h"
#include "audio/mp3_encoder.h"
#include "audio/sample_convert.h"
#include "platform/message_box.h"
#include "textkit/textkit.h"

namespace {

constexpr uint32_t kPieceBytes = 65536;

// The one run of an encoder stream: what the finishing steps release.
struct Run {
    const EncoderBinding* encoder;
    const char* fileName;
    FILE* file;
    bool regularFile;       // only a regular file is removed after a failure
    HBE_STREAM stream;
    bool tagReserved;
    uint8_t* mp3;           // the MP3 buffer, mp3Size bytes
    uint32_t mp3Size;
    StreamBufferState blocks;
    AudioBuffer resampled;
    Ram2Mp3Progress progress;
};

int32_t progressPercent(uint32_t consumed, uint32_t total, bool last)
{
    // An empty source has no share to compute: 0 before, 100 after its one piece.
    if (total == 0)
        return last ? 100 : 0;
    return static_cast<int32_t>(percent(static_cast<float>(consumed), static_cast<float>(total)));
}

bool writeBytes(Run& run, const uint8_t* bytes, uint32_t count)
{
    return count == 0 || std::fwrite(bytes, 1, count, run.file) == count;
}

// Encodes count bytes of samples and appends what the encoder made.
Ram2Mp3Outcome encodeBytes(Run& run, const uint8_t* bytes, uint32_t count)
{
    uint32_t made = 0;
    if (run.encoder->beEncodeChunk(run.stream, count / 2, reinterpret_cast<const int16_t*>(bytes),
                                   run.mp3, &made) != BE_ERR_SUCCESSFUL ||
        made > run.mp3Size)
        return Ram2Mp3Outcome::EncoderFailed;
    return writeBytes(run, run.mp3, made) ? Ram2Mp3Outcome::Encoded : Ram2Mp3Outcome::WriteFailed;
}

// The stream's own release: beCloseStream frees it, unless a tag was reserved;
// then beWriteInfoTag frees it (and writes the tag when given the file's name).
bool releaseStream(Run& run, const char* tagFile)
{
    bool ok = run.encoder->beCloseStream(run.stream) == BE_ERR_SUCCESSFUL;
    if (run.tagReserved)
        ok = run.encoder->beWriteInfoTag(run.stream, tagFile) == BE_ERR_SUCCESSFUL && ok;
    run.stream = nullptr;
    return ok;
}

void removeOutput(Run& run)
{
    if (run.regularFile)
        std::remove(run.fileName);
}

// A failure after the stream was opened: everything released, no file left.
Ram2Mp3Outcome abandon(Run& run, Ram2Mp3Outcome outcome)
{
    if (run.progress)
        run.progress(0);
    std::free(run.resampled.data);
    run.resampled.data = nullptr;
    StreamBuffer(&run.blocks, STREAM_BUFFER_FREE);
    std::fclose(run.file);
    run.file = nullptr;
    releaseStream(run, nullptr);
    std::free(run.mp3);
    run.mp3 = nullptr;
    removeOutput(run);
    return outcome;
}

// The end of an encoding, at its end or after a stop: flush, close, tag.
Ram2Mp3Outcome finish(Run& run, Ram2Mp3Outcome outcome)
{
    if (run.progress)
        run.progress(0);
    std::free(run.resampled.data);
    run.resampled.data = nullptr;
    StreamBuffer(&run.blocks, STREAM_BUFFER_FREE);

    uint32_t made = 0;
    if (run.encoder->beDeinitStream(run.stream, run.mp3, &made) != BE_ERR_SUCCESSFUL ||
        made > run.mp3Size)
        return abandon(run, Ram2Mp3Outcome::EncoderFailed);
    if (!writeBytes(run, run.mp3, made))
        return abandon(run, Ram2Mp3Outcome::WriteFailed);
    const bool closed = std::fclose(run.file) == 0;
    run.file = nullptr;
    if (!closed) {
        releaseStream(run, nullptr);
        std::free(run.mp3);
        run.mp3 = nullptr;
        removeOutput(run);
        return Ram2Mp3Outcome::WriteFailed;
    }
    const bool released = releaseStream(run, run.fileName);
    std::free(run.mp3);
    run.mp3 = nullptr;
    if (!released) {
        removeOutput(run);
        return Ram2Mp3Outcome::EncoderFailed;
    }
    return outcome;
}

}  // namespace

Ram2Mp3Outcome ram2mp3Detailed(const AudioBuffer* input, double speed,
                               const WAVEFORMATEX* sourceFormat, uint32_t bitrate,
                               int32_t writeVbrHeader, const char* fileName,
                               Ram2Mp3Progress progress)
{
    const EncoderBinding& encoder = encoderBinding();
    if (!encoder.library) {
        platform::messageBox(nullptr,
                             "This Function (RAM2MP3) requires lame_enc.so\nto be present in the "
                             "Working Directory",
                             "ERROR: lame_enc.so Missing", platform::MessageIcon::Error,
                             platform::MessageButtons::Ok);
        return Ram2Mp3Outcome::EncoderMissing;
    }
    if (!input || !sourceFormat || !fileName || (input->size && !input->data))
        return Ram2Mp3Outcome::CannotCreateOutput;

    Run run = {};
    run.encoder = &encoder;
    run.fileName = fileName;
    run.progress = progress;
    run.file = std::fopen(fileName, "wb+");
    if (!run.file)
        return Ram2Mp3Outcome::CannotCreateOutput;
    struct stat info = {};
    run.regularFile = ::fstat(::fileno(run.file), &info) == 0 && S_ISREG(info.st_mode);

    WAVEFORMATEX target = {};
    target.wFormatTag = 1;
    target.nChannels = 2;
    target.nSamplesPerSec = 44100;
    target.nAvgBytesPerSec = 176400;
    target.nBlockAlign = 4;
    target.wBitsPerSample = 16;

    BE_CONFIG config;
    std::memset(&config, 0, sizeof config);
    config.dwConfig = BE_CONFIG_LAME;
    config.dwStructVersion = 1;
    config.dwStructSize = sizeof(BE_CONFIG);
    config.dwSampleRate = 44100;
    config.dwReSampleRate = 0;
    config.nMode = BE_MP3_MODE_STEREO;
    config.dwBitrate = bitrate;
    config.dwMaxBitrate = 0;
    config.nPreset = LQP_CBR;
    config.dwMpegVersion = MPEG1;
    config.bOriginal = 1;
    config.bWriteVBRHeader = writeVbrHeader;
    config.bEnableVBR = 0;
    config.bNoRes = 1;

    uint32_t samplesPerChunk = 0;
    uint32_t mp3Size = 0;
    HBE_STREAM stream = nullptr;
    const BE_ERR opened = encoder.beInitStream(&config, &samplesPerChunk, &mp3Size, &stream);
    if (opened != BE_ERR_SUCCESSFUL || samplesPerChunk == 0 || samplesPerChunk > 0x7FFFFFFFu) {
        std::fclose(run.file);
        if (opened == BE_ERR_SUCCESSFUL) {
            run.stream = stream;
            run.tagReserved = writeVbrHeader != 0;
            releaseStream(run, nullptr);
        }
        removeOutput(run);
        return Ram2Mp3Outcome::EncoderFailed;
    }
    run.stream = stream;
    run.tagReserved = writeVbrHeader != 0;
    run.mp3Size = mp3Size;
    const uint32_t blockSize = samplesPerChunk * 2;

    run.mp3 = static_cast<uint8_t*>(std::malloc(mp3Size ? mp3Size : 1));
    run.blocks.blockSize = blockSize;
    StreamBuffer(&run.blocks, STREAM_BUFFER_INIT);
    if (!run.mp3 || !run.blocks.block)
        return abandon(run, Ram2Mp3Outcome::OutOfMemory);

    AudioBuffer cursor = {input->data, input->size < kPieceBytes ? input->size : kPieceBytes, 0};
    uint32_t remaining = input->size;
    uint32_t consumed = 0;
    PitchBendState bend = {0.0, 0.0, 0.0, 0.0};
    const uint32_t sourceFrame =
        (static_cast<uint32_t>(sourceFormat->wBitsPerSample) >> 3) * sourceFormat->nChannels;

    std::memset(run.blocks.block, 0, blockSize);
    for (;;) {
        if (StreamBuffer(&run.blocks, STREAM_BUFFER_FEED)) {
            const Ram2Mp3Outcome encoded = encodeBytes(run, run.blocks.block, blockSize);
            if (encoded != Ram2Mp3Outcome::Encoded)
                return abandon(run, encoded);
            std::memset(run.blocks.block, 0, blockSize);
            continue;
        }

        if (progress && progress(progressPercent(consumed, input->size, false)) == 0)
            return finish(run, Ram2Mp3Outcome::Stopped);

        std::free(run.resampled.data);
        run.resampled = {nullptr, 0, 0};
        ResampleAudioBuffer(&cursor, &run.resampled, sourceFormat, &target, &bend, speed, speed);
        // An empty result is normal only for a piece of fewer than two frames.
        if (!run.resampled.data && sourceFrame && cursor.size / sourceFrame >= 2)
            return abandon(run, Ram2Mp3Outcome::OutOfMemory);

        cursor.data += cursor.size;
        consumed += cursor.size;
        remaining -= cursor.size;

        if (remaining == 0) {
            const uint32_t tailSize = run.blocks.fill + run.resampled.size;
            uint8_t* tail = static_cast<uint8_t*>(std::malloc(tailSize ? tailSize : 1));
            if (!tail)
                return abandon(run, Ram2Mp3Outcome::OutOfMemory);
            std::memcpy(tail, run.blocks.block, run.blocks.fill);
            if (run.resampled.size)
                std::memcpy(tail + run.blocks.fill, run.resampled.data, run.resampled.size);
            if (progress)
                progress(progressPercent(consumed, input->size, true));
            for (uint32_t at = 0; at < tailSize; at += blockSize) {
                const uint32_t count = tailSize - at < blockSize ? tailSize - at : blockSize;
                const Ram2Mp3Outcome encoded = encodeBytes(run, tail + at, count);
                if (encoded != Ram2Mp3Outcome::Encoded) {
                    std::free(tail);
                    return abandon(run, encoded);
                }
            }
            std::free(tail);
            return finish(run, Ram2Mp3Outcome::Encoded);
        }

        if (remaining < kPieceBytes)
            cursor.size = remaining;
        run.blocks.source = run.resampled.data;
        run.blocks.sourceLeft = run.resampled.size;
    }
}

int32_t RAM2MP3(const AudioBuffer* input, double speed, const WAVEFORMATEX* sourceFormat,
                uint32_t bitrate, int32_t writeVbrHeader, const char* fileName,
                Ram2Mp3Progress progress)
{
    const Ram2Mp3Outcome outcome =
        ram2mp3Detailed(input, speed, sourceFormat, bitrate, writeVbrHeader, fileName, progress);
    return outcome == Ram2Mp3Outcome::Encoded || outcome == Ram2Mp3Outcome::Stopped ? 1 : 0;
}
