// A walk over the chunks of a RIFF file through a stdio stream (internal to
// tonekit). A chunk is an id of four characters, a 32-bit little-endian size and
// that many bytes of contents, padded to an even length.
#pragma once

#include <cstdint>
#include <cstdio>

// A chunk that the walk has entered. For a RIFF chunk, formType holds the form
// type (the first four bytes of its contents); for other chunks it is 0.
struct RiffChunk {
    uint32_t id;          // four characters, the first in the lowest byte
    uint32_t size;        // size of the contents as the chunk header declares
    int64_t dataOffset;   // file offset of the first byte of the contents
    uint32_t formType;
};

// The four-character code of a four-character text ("WAVE", "fmt ", "data").
uint32_t riffFourCC(const char* code);

// From the current position of file, finds the next top-level "RIFF" chunk whose
// form type is formType, skipping other chunks, and enters it: on success the
// stream stands after the form type. False when the file ends first.
bool riffFindForm(FILE* file, uint32_t formType, RiffChunk* riff);

// From the current position, searches forward inside parent for the first chunk
// with the given id, skipping the others, and enters it: on success the stream
// stands at the start of its contents. False when parent (or the file) ends first.
bool riffFindChunk(FILE* file, const RiffChunk& parent, uint32_t id, RiffChunk* chunk);

// Leaves a chunk: the stream is put after its padded end. False if the seek fails.
bool riffLeave(FILE* file, const RiffChunk& chunk);
