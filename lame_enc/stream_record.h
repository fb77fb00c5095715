// The heap record behind an HBE_STREAM (internal to lame_enc.so).
#pragma once

#include <lame/lame.h>

#include "lame_enc/blade_enc.h"

struct BEStream {
    uint32_t magic;            // kStreamMagic while the record is alive
    lame_global_flags* lame;   // owned; closed when the record is freed
    uint32_t samplesPerChunk;  // 16-bit values per beEncodeChunk, both channels
    uint32_t bufferSize;       // bytes of the host's MP3 buffer
    int channels;              // input channels, 1 or 2
    bool tagReserved;          // LAME reserved the Info/Xing frame at the start
    bool flushed;              // beDeinitStream has run
    bool closed;               // beCloseStream has run (the record waits for the tag)
};

constexpr uint32_t kStreamMagic = 0x4C414D45u;  // "LAME"

// The stream when the handle looks like a live one, else null.
BEStream* liveStream(HBE_STREAM handle);

// lame_close and free the record; false when lame_close reported an error.
bool destroyStream(BEStream* stream);

// Applies the configuration to fresh LAME flags and initialises them. Returns
// BE_ERR_SUCCESSFUL, or the code that names what was refused.
BE_ERR configureLame(lame_global_flags* lame, const BE_CONFIG& config, int* channels);
