// Converting one entry: the one operation that the window's conversion job and
// brisktune-cli share. It decodes the source with faad into the temporary WAV file,
// loads the samples whole, and has RAM2MP3 (through the binding) write the MP3.
//
// Everything runs on the caller's thread; the call returns when the entry is done.
// Nothing here is process-wide: the binding, the paths and the callbacks come from
// the caller, who owns them for the duration of the call.
#pragma once

#include <stdint.h>

#include <string>

#include "audio/mp3_encoder.h"
#include "converter/decoder_process.h"
#include "converter/tonekit_binding.h"

// RAM2MP3's progress function: given the whole-number percentage (0 to 100) of the
// entry's samples the encoder has taken, returns 1 to go on, 0 to stop.
using EntryProgress = Ram2Mp3Progress;

enum class ConvertOutcome {
    Converted,  // the MP3 was written to the end
    Stopped,    // the progress function answered 0: the MP3 written so far is flushed
                // and kept (none when the stop came before encoding)
    Failed,     // nothing was converted and no MP3 of this entry is left; see reason
};

struct ConvertResult {
    ConvertOutcome outcome = ConvertOutcome::Failed;
    std::string reason;  // for Failed: what went wrong, in words for the user
};

struct ConvertRequest {
    const TonekitBinding* binding = nullptr;  // loaded; OpenWAV, ReadWAV, CloseWAV and
                                              // RAM2MP3 are used
    const char* sourcePath = nullptr;   // the AAC, M4A or MP4 file
    const char* outputPath = nullptr;   // the MP3 to write (replaced when it exists)
    int32_t bitrate = 128;              // kbit/s: 256, 128, 64 or 32
    const char* tempWavPath = nullptr;  // "tmp.000" in the private temporary folder
    // Called by the encoder before every 64 KiB piece, and once more by this function
    // before the encoding starts and after it ends to learn whether a stop was asked
    // for: once it has answered 0 it must keep answering 0 for the rest of the entry.
    // May be null (never stops).
    EntryProgress progress = nullptr;
    // Called while the decoder runs (see DecoderObserver); may be null.
    DecoderObserver decoderObserver = nullptr;
    void* observerContext = nullptr;
};

// Converts one entry. The decoder is the one in programFolder (decoder_process.h);
// the encoder module is lame_enc.so next to the running program, where tonekit.so
// loads it from. In order:
//   - the temporary WAV file is removed (a stale one is never encoded);
//   - a missing source fails with "No such file";
//   - an output that cannot be created or written fails with
//     "Cannot write <output path>: <reason>" before anything is decoded (a file made
//     for that check is removed again; an existing one is left untouched);
//   - a missing decoder fails with "The decoder (faad) is missing from <folder>", a
//     missing encoder module with "lame_enc.so is missing from <folder>";
//   - the decoder writes the temporary WAV; a stop asked for meanwhile (the observer
//     ending the decoder, then the progress function answering 0) gives Stopped;
//   - a WAV that is missing, refused by the reader or empty fails with
//     "<name> could not be decoded: it is not an AAC, M4A or MP4 file, or it is damaged";
//   - the samples are loaded whole (blocks of 65,536 bytes, at most the data size the
//     file declares); no memory for them fails with "Not enough memory ...";
//   - RAM2MP3 encodes the bytes actually loaded, described by the WAV's own format,
//     at speed 1.0, without a VBR header; its failure fails the entry;
//   - the sample memory is freed and the temporary WAV removed in every case.
ConvertResult ConvertEntry(const ConvertRequest& request);
