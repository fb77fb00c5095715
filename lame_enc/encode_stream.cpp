// Opening, feeding, flushing and closing one encoder stream.
#include <new>

#include "lame_enc/stream_record.h"

BEStream* liveStream(HBE_STREAM handle)
{
    BEStream* stream = handle;
    if (!stream || stream->magic != kStreamMagic || !stream->lame)
        return nullptr;
    return stream;
}

bool destroyStream(BEStream* stream)
{
    const bool closed = lame_close(stream->lame) == 0;
    stream->magic = 0;
    stream->lame = nullptr;
    delete stream;
    return closed;
}

BE_ERR beInitStream(BE_CONFIG* config, uint32_t* samples, uint32_t* bufferSize,
                    PHBE_STREAM stream)
{
    if (!config || !samples || !bufferSize || !stream)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    *samples = 0;
    *bufferSize = 0;
    *stream = nullptr;

    lame_global_flags* lame = lame_init();
    if (!lame)
        return BE_ERR_NO_MORE_HANDLES;
    int channels = 0;
    if (BE_ERR e = configureLame(lame, *config, &channels)) {
        lame_close(lame);
        return e;
    }
    const int frameSize = lame_get_framesize(lame);
    if (frameSize <= 0) {
        lame_close(lame);
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    }

    BEStream* record = new (std::nothrow) BEStream{};
    if (!record) {
        lame_close(lame);
        return BE_ERR_NO_MORE_HANDLES;
    }
    record->magic = kStreamMagic;
    record->lame = lame;
    record->channels = channels;
    record->samplesPerChunk = static_cast<uint32_t>(frameSize) * static_cast<uint32_t>(channels);
    // LAME's worst case for n samples per channel is 1.25 n + 7200 bytes; counting
    // both channels leaves room to spare, and 7200 bytes hold the flush.
    record->bufferSize = record->samplesPerChunk * 5 / 4 + 7200;
    record->tagReserved = lame_get_bWriteVbrTag(lame) != 0;

    *samples = record->samplesPerChunk;
    *bufferSize = record->bufferSize;
    *stream = record;
    return BE_ERR_SUCCESSFUL;
}

BE_ERR beEncodeChunk(HBE_STREAM handle, uint32_t nSamples, const int16_t* samples,
                     uint8_t* output, uint32_t* outputBytes)
{
    if (outputBytes)
        *outputBytes = 0;
    BEStream* stream = liveStream(handle);
    if (!stream || stream->closed)
        return BE_ERR_INVALID_HANDLE;
    if (!output || !outputBytes || (nSamples && !samples) || stream->flushed ||
        nSamples % static_cast<uint32_t>(stream->channels) != 0)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    // The host's buffer is sized for one chunk; more could overrun it.
    if (nSamples > stream->samplesPerChunk)
        return BE_ERR_BUFFER_TOO_SMALL;

    // LAME takes non-const pointers but only reads the samples.
    short* pcm = const_cast<short*>(reinterpret_cast<const short*>(samples));
    const int perChannel = static_cast<int>(nSamples / static_cast<uint32_t>(stream->channels));
    const int size = static_cast<int>(stream->bufferSize);
    const int made = stream->channels == 2
                         ? lame_encode_buffer_interleaved(stream->lame, pcm, perChannel, output, size)
                         : lame_encode_buffer(stream->lame, pcm, pcm, perChannel, output, size);
    if (made < 0)
        return made == -1 ? BE_ERR_BUFFER_TOO_SMALL : BE_ERR_INVALID_FORMAT_PARAMETERS;
    *outputBytes = static_cast<uint32_t>(made);
    return BE_ERR_SUCCESSFUL;
}

BE_ERR beDeinitStream(HBE_STREAM handle, uint8_t* output, uint32_t* outputBytes)
{
    if (outputBytes)
        *outputBytes = 0;
    BEStream* stream = liveStream(handle);
    if (!stream || stream->closed)
        return BE_ERR_INVALID_HANDLE;
    if (!output || !outputBytes || stream->flushed)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    const int made = lame_encode_flush(stream->lame, output, static_cast<int>(stream->bufferSize));
    if (made < 0)
        return made == -1 ? BE_ERR_BUFFER_TOO_SMALL : BE_ERR_INVALID_FORMAT_PARAMETERS;
    stream->flushed = true;
    *outputBytes = static_cast<uint32_t>(made);
    return BE_ERR_SUCCESSFUL;
}

BE_ERR beCloseStream(HBE_STREAM handle)
{
    BEStream* stream = liveStream(handle);
    if (!stream || stream->closed)
        return BE_ERR_INVALID_HANDLE;
    if (stream->tagReserved) {
        // beWriteInfoTag still needs LAME's state for the tag; it frees the stream.
        stream->closed = true;
        return BE_ERR_SUCCESSFUL;
    }
    return destroyStream(stream) ? BE_ERR_SUCCESSFUL : BE_ERR_INVALID_HANDLE;
}
