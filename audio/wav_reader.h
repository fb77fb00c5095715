// The WAV file reader of tonekit.so: opens an uncompressed PCM WAV file, checks its
// format and hands out its sample data block by block.
//
// Accepted: RIFF "WAVE" with a "fmt " chunk before the "data" chunk; format tag 1,
// 8 or 16 bits per sample, 1 or 2 channels, 2000 to 88200 Hz, and a block align of
// channels x bits / 8. Times are signed 100-ns units (10,000,000 a second).
//
// Ownership: the WAVHandle (tonekit/records.h) returned by OpenWAV owns its open
// stream and its read buffer; CloseWAV releases the stream, the buffer and the
// record. The handle must not be used after CloseWAV. One handle, one thread.
#pragma once

#include "tonekit/export.h"
#include "tonekit/records.h"

#include <stdint.h>

// Opens path (a UTF-8 file path) and stands at time start. blockSize (at least 1)
// is the size in bytes of the read buffer, the largest block one ReadWAV delivers.
// Null when the file is missing, 44 bytes or shorter, larger than 32-bit sizes
// allow, not a RIFF "WAVE" file, without a "fmt " chunk or a "data" chunk after it,
// of a format not accepted, not openable for reading and updating, or when memory
// runs out. A refusal leaves nothing open or allocated.
TONEKIT_API WAVHandle* OpenWAV(const char* path, int64_t start, int32_t blockSize);

// Reads the next block into handle->buffer (which is zeroed first and filled from
// its start) and returns how many of its bytes are sample data; bytes after that
// count hold whatever followed the data chunk in the file (or zeros where the file
// ended). 0 at the end of the data and for a null handle.
TONEKIT_API int32_t ReadWAV(WAVHandle* handle);

// Moves the reader to time (rounded down to a whole frame) and returns the new
// position in bytes of sample data. A time before the start or past the end of the
// data puts the reader at the start (position 0); handle->time then holds the
// requested time. 0 for a null handle.
TONEKIT_API int32_t SeekWAV(WAVHandle* handle, int64_t time);

// Closes the stream and frees the buffer and the record; a null handle is ignored.
TONEKIT_API void CloseWAV(WAVHandle* handle);

// Size of the file in bytes; 0 when it cannot be opened for reading and updating
// (missing, read-only, a folder) or is 4 GiB or larger.
TONEKIT_API uint32_t FileSize(const char* path);
