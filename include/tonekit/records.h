// Records shared by tonekit.so and the programs that load it. Both sides build from
// this one declaration, so field order, widths and packing are part of the binary
// interface: do not reorder.
#pragma once

#include <stdint.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

// The WAV format record: the first 18 bytes of a "fmt " chunk, little-endian,
// packed exactly as stored in the file.
#pragma pack(push, 1)
typedef struct WAVEFORMATEX {
    uint16_t wFormatTag;       // 1 = integer PCM
    uint16_t nChannels;        // 1 or 2
    uint32_t nSamplesPerSec;   // frames per second
    uint32_t nAvgBytesPerSec;  // not validated by the reader
    uint16_t nBlockAlign;      // bytes per frame
    uint16_t wBitsPerSample;   // 8 (unsigned) or 16 (signed)
    uint16_t cbSize;           // extra size; nothing uses it
} WAVEFORMATEX;
#pragma pack(pop)

// An open WAV file, made by OpenWAV and released by CloseWAV (which closes the
// stream and frees the buffer and the record). Callers may read every field; the
// converter reads dataSize and buffer. Times are 100-ns units (10,000,000 a second).
typedef struct WAVHandle {
    uint32_t dataOffset;   // file offset of the first byte of the "data" contents
    uint32_t dataSize;     // size of the "data" contents as its header declares
    uint32_t lastRead;     // bytes the latest ReadWAV took from the file (before clipping)
    FILE* file;            // open "rb+", positioned where the next block starts
    uint32_t fileSize;     // size of the whole file in bytes
    uint32_t position;     // read position in bytes of sample data, 0..dataSize
    int64_t time;          // read position in 100-ns units
    int64_t duration;      // length of the sample data in 100-ns units
    uint8_t* buffer;       // bufferSize bytes, owned by the handle; filled by ReadWAV
    uint32_t bufferSize;   // the block size given to OpenWAV
    uint32_t frameBytes;   // copy of format.nBlockAlign
    WAVEFORMATEX format;   // the format as read from the file
} WAVHandle;

// A piece of sample data in memory. An AudioBuffer filled by the engine holds a new
// heap block (malloc) that belongs to the caller, who frees it with free().
typedef struct AudioBuffer {
    uint8_t* data;
    uint32_t size;        // bytes
    uint32_t frameBytes;  // bytes per frame; written by ConvertAudioBufferAlign only
} AudioBuffer;

// Opaque handles of the window layer. They are pointers to platform objects that
// only platform/ looks inside; everything else passes them along.
typedef struct PlatformWindow* WindowHandle;       // a window or a control
typedef struct PlatformDrawContext* DrawContext;   // a painter on a widget or image
typedef struct PlatformFont* FontHandle;
typedef struct PlatformImageList* ImageListHandle;
typedef struct PlatformBitmap* BitmapHandle;       // owned by whoever received it
typedef struct PlatformModule* ModuleHandle;       // a program's embedded resources

// Rectangle in pixels; right and bottom lie just outside the area.
typedef struct TkRect {
    int32_t left, top, right, bottom;
} TkRect;

typedef struct TkPoint {
    int32_t x, y;
} TkPoint;

// Colour as a 32-bit value: red in the lowest byte, then green, then blue.
typedef uint32_t TkColour;
#define TK_RGB(r, g, b) ((TkColour)(((uint32_t)(uint8_t)(r)) | ((uint32_t)(uint8_t)(g) << 8) | ((uint32_t)(uint8_t)(b) << 16)))

// The record LVSearchString returns: one per library, overwritten by each search.
// matchCount counts every matching cell; only the first min(matchCount, 65536)
// entries of matches are filled, in the order found (row by row, column by column).
#define TK_LIST_SEARCH_CAPACITY 65536
typedef struct ListSearchMatch {
    uint32_t row;
    uint32_t column;
} ListSearchMatch;

typedef struct ListSearchResult {
    uint32_t found;       // 1 when at least one cell matched, else 0
    uint32_t matchCount;  // all matches, also beyond the capacity of matches
    ListSearchMatch matches[TK_LIST_SEARCH_CAPACITY];
} ListSearchResult;

#ifdef __cplusplus
}
#endif
