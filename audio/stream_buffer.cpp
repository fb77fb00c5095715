#include <cstdlib>
#include <cstring>

#include "audio/mp3_encoder.h"

int32_t StreamBuffer(StreamBufferState* state, uint32_t command)
{
    if (!state)
        return 0;
    switch (command) {
    case STREAM_BUFFER_INIT:
        state->sourceOffset = 0;
        state->fill = 0;
        state->block = static_cast<uint8_t*>(std::calloc(state->blockSize ? state->blockSize : 1, 1));
        state->sourceLeft = 0;
        state->source = nullptr;
        return 0;
    case STREAM_BUFFER_FEED: {
        // A block of 0 bytes could never be filled: the feed would report full
        // blocks forever.
        if (!state->source || !state->block || state->blockSize == 0 ||
            state->fill > state->blockSize)
            return 0;
        if (static_cast<uint64_t>(state->fill) + state->sourceLeft < state->blockSize) {
            std::memcpy(state->block + state->fill, state->source + state->sourceOffset,
                        state->sourceLeft);
            state->fill += state->sourceLeft;
            state->sourceOffset = 0;
            return 0;
        }
        const uint32_t n = state->blockSize - state->fill;
        std::memcpy(state->block + state->fill, state->source + state->sourceOffset, n);
        state->sourceLeft -= n;
        state->sourceOffset += n;
        state->fill = 0;
        return 1;
    }
    case STREAM_BUFFER_FREE:
        std::free(state->block);
        state->block = nullptr;
        return 0;
    case STREAM_BUFFER_RESET:
        state->sourceOffset = 0;
        state->fill = 0;
        state->sourceLeft = 0;
        if (state->block)
            std::memset(state->block, 0, state->blockSize);
        state->source = nullptr;
        return 0;
    default:
        return 0;
    }
}
