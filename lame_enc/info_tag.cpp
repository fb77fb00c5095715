// The Info/Xing tag frame: written over the frame LAME reserved at the file's start.
#include <cstdio>

#include "lame_enc/stream_record.h"

namespace {

// Larger than any MPEG audio layer III frame (1,441 bytes at 320 kbit/s, 32 kHz).
constexpr size_t kTagCapacity = 2880;

BE_ERR writeTag(BEStream* stream, const char* fileName)
{
    if (!stream->flushed)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;  // the tag describes the finished stream
    unsigned char frame[kTagCapacity];
    const size_t size = lame_get_lametag_frame(stream->lame, frame, sizeof frame);
    if (size > sizeof frame)
        return BE_ERR_BUFFER_TOO_SMALL;
    if (size == 0)
        return BE_ERR_SUCCESSFUL;  // LAME turned the tag off: nothing was reserved
    FILE* file = std::fopen(fileName, "r+b");
    if (!file)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    const bool written = std::fseek(file, 0, SEEK_SET) == 0 &&
                         std::fwrite(frame, 1, size, file) == size;
    const bool closed = std::fclose(file) == 0;
    return written && closed ? BE_ERR_SUCCESSFUL : BE_ERR_INVALID_FORMAT_PARAMETERS;
}

}  // namespace

BE_ERR beWriteInfoTag(HBE_STREAM handle, const char* fileName)
{
    BEStream* stream = liveStream(handle);
    if (!stream)
        return BE_ERR_INVALID_HANDLE;
    BE_ERR result = BE_ERR_SUCCESSFUL;
    if (stream->tagReserved && fileName)
        result = writeTag(stream, fileName);
    if (!destroyStream(stream) && result == BE_ERR_SUCCESSFUL)
        result = BE_ERR_INVALID_HANDLE;
    return result;
}

BE_ERR beWriteVBRHeader(const char*)
{
    return BE_ERR_INVALID_HANDLE;
}
