// StreamBuffer: cutting resampled pieces into blocks of the encoder's size.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/mp3_encoder.h"

namespace {

struct Blocks {
    explicit Blocks(uint32_t size)
    {
        std::memset(&state, 0, sizeof state);
        state.blockSize = size;
    }
    ~Blocks() { StreamBuffer(&state, STREAM_BUFFER_FREE); }
    StreamBufferState state;
};

TEST(StreamBuffer, BlockOfEightAcrossTwoSources)
{
    Blocks b(8);
    EXPECT_EQ(StreamBuffer(&b.state, STREAM_BUFFER_INIT), 0);
    ASSERT_NE(b.state.block, nullptr);
    uint8_t first[5] = {1, 2, 3, 4, 5};
    uint8_t second[5] = {6, 7, 8, 9, 10};

    b.state.source = first;
    b.state.sourceLeft = 5;
    EXPECT_EQ(StreamBuffer(&b.state, STREAM_BUFFER_FEED), 0);
    EXPECT_EQ(b.state.fill, 5u);
    EXPECT_EQ(b.state.sourceOffset, 0u);

    b.state.source = second;
    b.state.sourceLeft = 5;
    EXPECT_EQ(StreamBuffer(&b.state, STREAM_BUFFER_FEED), 1);
    EXPECT_EQ(b.state.sourceLeft, 2u);
    EXPECT_EQ(b.state.sourceOffset, 3u);
    EXPECT_EQ(b.state.fill, 0u);
    const uint8_t full[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(std::memcmp(b.state.block, full, 8), 0);

    EXPECT_EQ(StreamBuffer(&b.state, STREAM_BUFFER_FEED), 0);
    EXPECT_EQ(b.state.fill, 2u);
    EXPECT_EQ(b.state.block[0], 9);
    EXPECT_EQ(b.state.block[1], 10);
}

TEST(StreamBuffer, FeedWithoutSourceOrBeforeInitChangesNothing)
{
    Blocks b(8);
    uint8_t bytes[4] = {1, 2, 3, 4};
    b.state.source = bytes;
    b.state.sourceLeft = 4;
    StreamBufferState before = b.state;
    EXPECT_EQ(StreamBuffer(&b.state, STREAM_BUFFER_FEED), 0);  // no block yet
    EXPECT_EQ(std::memcmp(&before, &b.state, sizeof before), 0);

    StreamBuffer(&b.state, STREAM_BUFFER_INIT);
    EXPECT_EQ(b.state.source, nullptr);
    EXPECT_EQ(b.state.sourceLeft, 0u);
    before = b.state;
    EXPECT_EQ(StreamBuffer(&b.state, STREAM_BUFFER_FEED), 0);  // no source
    EXPECT_EQ(std::memcmp(&before, &b.state, sizeof before), 0);
}

TEST(StreamBuffer, OtherCommandsDoNothingAndResetClears)
{
    Blocks b(4);
    StreamBuffer(&b.state, STREAM_BUFFER_INIT);
    uint8_t bytes[3] = {9, 9, 9};
    b.state.source = bytes;
    b.state.sourceLeft = 3;
    StreamBuffer(&b.state, STREAM_BUFFER_FEED);
    const StreamBufferState before = b.state;
    for (uint32_t command : {4u, 7u, 0xFFFFFFFFu}) {
        EXPECT_EQ(StreamBuffer(&b.state, command), 0);
        EXPECT_EQ(std::memcmp(&before, &b.state, sizeof before), 0) << command;
    }
    EXPECT_EQ(StreamBuffer(&b.state, STREAM_BUFFER_RESET), 0);
    EXPECT_EQ(b.state.fill, 0u);
    EXPECT_EQ(b.state.source, nullptr);
    EXPECT_EQ(b.state.block[0], 0);
    EXPECT_EQ(StreamBuffer(&b.state, STREAM_BUFFER_FREE), 0);
    EXPECT_EQ(b.state.block, nullptr);
}

TEST(StreamBuffer, ZeroBlockSizeNeverReportsAFullBlock)
{
    Blocks b(0);
    StreamBuffer(&b.state, STREAM_BUFFER_INIT);
    uint8_t bytes[3] = {1, 2, 3};
    b.state.source = bytes;
    b.state.sourceLeft = 3;
    EXPECT_EQ(StreamBuffer(&b.state, STREAM_BUFFER_FEED), 0);
}

}  // namespace
