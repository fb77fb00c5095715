// FileSize: the size of a file, as the WAV reader and the converter take it.
#include "audio/wav_reader.h"

#include <cstdio>
#include <sys/types.h>

TONEKIT_API uint32_t FileSize(const char* path)
{
    if (!path)
        return 0;
    // Opened for reading and updating: a file that cannot be written counts as not
    // openable, as the reader itself will need it so.
    FILE* file = fopen(path, "rb+");
    if (!file)
        return 0;
    off_t size = -1;
    if (fseeko(file, 0, SEEK_END) == 0)
        size = ftello(file);
    fclose(file);
    // A size that 32 bits cannot hold is reported as 0 rather than wrapped.
    if (size < 0 || static_cast<uint64_t>(size) > UINT32_MAX)
        return 0;
    return static_cast<uint32_t>(size);
}
