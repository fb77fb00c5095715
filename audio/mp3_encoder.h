// The MP3 encoder driver of tonekit.so: RAM2MP3 and the block cutter StreamBuffer.
//
// The encoder is the module lame_enc.so, bound from the host program's folder when
// tonekit.so is loaded (audio/encoder_binding.h). One RAM2MP3 call runs the whole
// life of an encoder stream; nothing survives it but the output file. RAM2MP3 uses
// the library-wide peak record, so one call runs at a time (single thread).
#pragma once

#include <stdint.h>

#include "tonekit/export.h"
#include "tonekit/records.h"

#ifdef __cplusplus
extern "C" {
#endif

// The record StreamBuffer works on. The caller owns it, zeroes it, sets blockSize
// before the init command and installs each source (source, sourceLeft) itself.
// The block is allocated by init (blockSize bytes) and released by free; init over
// a live block would lose it, so run free first. The source is only read and stays
// the caller's.
typedef struct StreamBufferState {
    uint8_t* source;        // the data being cut into blocks; null when none
    uint32_t sourceLeft;    // bytes of the source not yet taken into a block
    uint8_t* block;         // blockSize bytes, from the init command
    uint32_t blockSize;     // bytes of a full block
    uint32_t sourceOffset;  // bytes of the source taken so far
    uint32_t fill;          // bytes now in the block
} StreamBufferState;

enum {
    STREAM_BUFFER_INIT = 0,
    STREAM_BUFFER_FEED = 1,
    STREAM_BUFFER_FREE = 2,
    STREAM_BUFFER_RESET = 3
};

// Progress of RAM2MP3: a percentage 0..100; returning 0 asks it to stop.
typedef int32_t (*Ram2Mp3Progress)(int32_t percent);

#ifdef __cplusplus
}
#endif

// Runs one command on the state; 1 when a feed completed a block (it must be
// consumed before the next feed, which writes from the block's start), else 0.
// A feed that uses up the source copies it in, sets sourceOffset to 0 and keeps
// sourceLeft: the caller installs a new source before feeding again. A feed with no
// source or no block (before init, or a block size of 0) does nothing. Unknown
// commands do nothing.
TONEKIT_API int32_t StreamBuffer(StreamBufferState* state, uint32_t command);

// Encodes input (data, size: the whole source, only read) described by
// sourceFormat (bits, channels and rate are read) into the MP3 file fileName
// (created or overwritten), at 44100 Hz stereo, `bitrate` kbit/s constant bitrate,
// with an Info/Xing tag when writeVbrHeader is non-zero. `speed` changes the
// playback speed over the whole input (1 = unchanged). The source is taken in
// 65,536-byte pieces; progress (may be null) is called with 0 before the first
// piece, with the share of the source handed on so far before every further piece,
// with 100 after the last, and with 0 at the end; when it returns 0 the file is
// finished early (flushed, closed and tagged). The encoder calls end with
// beDeinitStream, the close of the file, beCloseStream and, only when a tag was
// asked for, beWriteInfoTag (without a tag the module frees the stream at
// beCloseStream).
//
// Result 1: an MP3 was written, to the end or up to a stop. Result 0: the encoder
// module is missing (a message box says so, once per call; no file is made). 0 also
// when the output could not be created or written, or the encoder refused the
// stream or failed; no file is left then (no message box either).
TONEKIT_API int32_t RAM2MP3(const AudioBuffer* input, double speed,
                            const WAVEFORMATEX* sourceFormat, uint32_t bitrate,
                            int32_t writeVbrHeader, const char* fileName,
                            Ram2Mp3Progress progress);

// How a RAM2MP3 run ended (internal: RAM2MP3 gives 1 for Encoded and Stopped, 0 for
// the rest).
enum class Ram2Mp3Outcome {
    Encoded,             // written to the end
    Stopped,             // progress asked to stop; the file holds what was encoded
    EncoderMissing,      // lame_enc.so was not bound (the message box was shown)
    CannotCreateOutput,  // the file could not be created
    EncoderFailed,       // beInitStream refused, zero samples per chunk, or a call failed
    WriteFailed,         // writing or closing the file failed (disk full)
    OutOfMemory,         // a buffer could not be allocated
};

// RAM2MP3 with the reason. On every outcome but Encoded and Stopped no file is left.
Ram2Mp3Outcome ram2mp3Detailed(const AudioBuffer* input, double speed,
                               const WAVEFORMATEX* sourceFormat, uint32_t bitrate,
                               int32_t writeVbrHeader, const char* fileName,
                               Ram2Mp3Progress progress);
