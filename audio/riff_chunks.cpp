// The RIFF chunk walk used by the WAV reader.
#include "audio/riff_chunks.h"

#include <sys/types.h>

namespace {

uint32_t littleEndian32(const unsigned char* b)
{
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// Reads a chunk header at the current position; the stream then stands at the
// start of the chunk's contents.
bool readHeader(FILE* file, RiffChunk* chunk)
{
    const off_t at = ftello(file);
    if (at < 0)
        return false;
    unsigned char header[8];
    if (fread(header, 1, sizeof header, file) != sizeof header)
        return false;
    chunk->id = littleEndian32(header);
    chunk->size = littleEndian32(header + 4);
    chunk->dataOffset = static_cast<int64_t>(at) + 8;
    chunk->formType = 0;
    return true;
}

// Offset just after a chunk's contents and its pad byte.
int64_t paddedEnd(const RiffChunk& chunk)
{
    return chunk.dataOffset + int64_t(chunk.size) + int64_t(chunk.size & 1);
}

}  // namespace

uint32_t riffFourCC(const char* code)
{
    return littleEndian32(reinterpret_cast<const unsigned char*>(code));
}

bool riffLeave(FILE* file, const RiffChunk& chunk)
{
    return fseeko(file, static_cast<off_t>(paddedEnd(chunk)), SEEK_SET) == 0;
}

bool riffFindForm(FILE* file, uint32_t formType, RiffChunk* riff)
{
    static const uint32_t kRiff = riffFourCC("RIFF");
    for (;;) {
        RiffChunk chunk;
        if (!readHeader(file, &chunk))
            return false;
        if (chunk.id == kRiff && chunk.size >= 4) {
            unsigned char form[4];
            if (fread(form, 1, sizeof form, file) != sizeof form)
                return false;
            chunk.formType = littleEndian32(form);
            if (chunk.formType == formType) {
                *riff = chunk;
                return true;
            }
        }
        if (!riffLeave(file, chunk))
            return false;
    }
}

bool riffFindChunk(FILE* file, const RiffChunk& parent, uint32_t id, RiffChunk* chunk)
{
    const int64_t parentEnd = parent.dataOffset + int64_t(parent.size);
    for (;;) {
        const off_t at = ftello(file);
        // A chunk header must lie wholly inside the parent's contents.
        if (at < 0 || int64_t(at) + 8 > parentEnd)
            return false;
        RiffChunk found;
        if (!readHeader(file, &found))
            return false;
        if (found.id == id) {
            *chunk = found;
            return true;
        }
        if (!riffLeave(file, found))
            return false;
    }
}
