// lame_enc.so: the BladeEnc-style encoder interface over libmp3lame.
//
// A host fills a BE_CONFIG (dwConfig = BE_CONFIG_LAME and the LHV1 layout), opens a
// stream with beInitStream, feeds interleaved 16-bit PCM with beEncodeChunk (at most
// the samples per chunk that beInitStream reported), flushes with beDeinitStream and
// releases the stream:
//
//   - without an Info/Xing tag (bWriteVBRHeader 0): beCloseStream frees the stream;
//     the handle is dead afterwards and must not be passed to beWriteInfoTag;
//   - with a tag (bWriteVBRHeader 1): beCloseStream leaves the stream alive, and
//     beWriteInfoTag(stream, fileName), called after the host has closed the file,
//     writes LAME's tag frame over the frame the encoder reserved at the file's start
//     and then frees the stream. A null fileName frees it without writing.
//
// Every function returns BE_ERR_SUCCESSFUL (0) or a non-zero BE_ERR_* code. Each
// stream's state lives in its own heap record (the handle points to it); the module
// keeps no state between streams, so several streams may be open at once.
// Sizes and counts are 32-bit; sample counts count 16-bit values, both channels.
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define BE_API extern "C" __attribute__((visibility("default")))
#else
#define BE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define BE_CONFIG_MP3 0
#define BE_CONFIG_LAME 256

typedef uint32_t BE_ERR;
#define BE_ERR_SUCCESSFUL 0x00000000u
#define BE_ERR_INVALID_FORMAT 0x00000001u
#define BE_ERR_INVALID_FORMAT_PARAMETERS 0x00000002u
#define BE_ERR_NO_MORE_HANDLES 0x00000003u
#define BE_ERR_INVALID_HANDLE 0x00000004u
#define BE_ERR_BUFFER_TOO_SMALL 0x00000005u

#define BE_MAX_HOMEPAGE 128

#define BE_MP3_MODE_STEREO 0
#define BE_MP3_MODE_JSTEREO 1
#define BE_MP3_MODE_DUALCHANNEL 2
#define BE_MP3_MODE_MONO 3

#define MPEG1 1
#define MPEG2 0

#define CURRENT_STRUCT_VERSION 1
#define CURRENT_STRUCT_SIZE 331

// Presets (nPreset).
#define LQP_NOPRESET (-1)
#define LQP_NORMAL_QUALITY 0
#define LQP_LOW_QUALITY 1
#define LQP_HIGH_QUALITY 2
#define LQP_VOICE_QUALITY 3
#define LQP_R3MIX 4
#define LQP_VERYHIGH_QUALITY 5
#define LQP_STANDARD 6
#define LQP_FAST_STANDARD 7
#define LQP_EXTREME 8
#define LQP_FAST_EXTREME 9
#define LQP_INSANE 10
#define LQP_ABR 11
#define LQP_CBR 12
#define LQP_MEDIUM 13
#define LQP_FAST_MEDIUM 14

// VBR methods (nVbrMethod).
#define VBR_METHOD_NONE (-1)
#define VBR_METHOD_DEFAULT 0
#define VBR_METHOD_OLD 1
#define VBR_METHOD_NEW 2
#define VBR_METHOD_MTRH 3
#define VBR_METHOD_ABR 4

// An open encoder stream; points to the stream's heap record.
typedef struct BEStream* HBE_STREAM;
typedef HBE_STREAM* PHBE_STREAM;

#pragma pack(push, 1)
// The encoder configuration, 331 bytes, packed. Clear it to zero before filling it.
typedef struct BE_CONFIG {
    uint32_t dwConfig;          // BE_CONFIG_LAME: the LHV1 layout follows
    uint32_t dwStructVersion;   // CURRENT_STRUCT_VERSION
    uint32_t dwStructSize;      // CURRENT_STRUCT_SIZE
    uint32_t dwSampleRate;      // input frames per second
    uint32_t dwReSampleRate;    // output rate; 0 = the encoder decides
    int32_t nMode;              // BE_MP3_MODE_*; MONO means mono input, else stereo input
    uint32_t dwBitrate;         // kbit/s: the constant bitrate, or the VBR minimum
    uint32_t dwMaxBitrate;      // kbit/s: the VBR maximum; 0 = none
    int32_t nPreset;            // LQP_*
    uint32_t dwMpegVersion;     // MPEG1 or MPEG2 (lower sample rates)
    uint32_t dwPsyModel;        // LAME has one psychoacoustic model: not used
    uint32_t dwEmphasis;        // 0 none, 1 50/15 ms, 3 CCITT J.17
    int32_t bPrivate;
    int32_t bCRC;
    int32_t bCopyright;
    int32_t bOriginal;
    int32_t bWriteVBRHeader;    // reserve and write the Info/Xing tag frame
    int32_t bEnableVBR;
    int32_t nVBRQuality;        // 0 (best) .. 9
    uint32_t dwVbrAbr_bps;      // ABR target in bit/s
    int32_t nVbrMethod;         // VBR_METHOD_*
    int32_t bNoRes;             // bit reservoir off
    int32_t bStrictIso;
    uint16_t nQuality;          // low byte = quality 0..9 when the high byte is its complement
    uint8_t btReserved[331 - 94];
} BE_CONFIG;

// What beVersion reports.
typedef struct BE_VERSION {
    uint8_t byDLLMajorVersion;
    uint8_t byDLLMinorVersion;
    uint8_t byMajorVersion;  // LAME's version
    uint8_t byMinorVersion;
    uint8_t byDay;           // build date of this module
    uint8_t byMonth;
    uint16_t wYear;
    char zHomepage[BE_MAX_HOMEPAGE + 1];
    uint8_t byAlphaLevel;
    uint8_t byBetaLevel;
    uint8_t byMMXEnabled;
    uint8_t btReserved[125];
} BE_VERSION;
#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(BE_CONFIG) == 331, "BE_CONFIG is 331 bytes");
static_assert(offsetof(BE_CONFIG, dwStructVersion) == 4, "LHV1 starts after dwConfig");
static_assert(offsetof(BE_CONFIG, dwSampleRate) == 12, "BE_CONFIG layout");
static_assert(offsetof(BE_CONFIG, nPreset) == 32, "BE_CONFIG layout");
static_assert(offsetof(BE_CONFIG, bOriginal) == 60, "BE_CONFIG layout");
static_assert(offsetof(BE_CONFIG, bWriteVBRHeader) == 64, "BE_CONFIG layout");
static_assert(offsetof(BE_CONFIG, bNoRes) == 84, "BE_CONFIG layout");
static_assert(offsetof(BE_CONFIG, bStrictIso) == 88, "BE_CONFIG layout");
static_assert(offsetof(BE_CONFIG, nQuality) == 92, "BE_CONFIG layout");
static_assert(offsetof(BE_CONFIG, btReserved) == 94, "BE_CONFIG layout");
#endif

// Opens a stream for the configuration. On success *samples = 16-bit values per
// chunk (LAME's frame size × channels, e.g. 1152 × 2 = 2304), *bufferSize = bytes the
// MP3 buffer of every later call must hold (samples × 5 / 4 + 7200, e.g. 10080), and
// *stream = the new stream. On failure the three results are 0 / null.
BE_API BE_ERR beInitStream(BE_CONFIG* config, uint32_t* samples, uint32_t* bufferSize,
                           PHBE_STREAM stream);
// Encodes nSamples interleaved 16-bit values (at most the samples per chunk, a
// whole number of frames) into output (bufferSize bytes); *outputBytes = bytes made.
BE_API BE_ERR beEncodeChunk(HBE_STREAM stream, uint32_t nSamples, const int16_t* samples,
                            uint8_t* output, uint32_t* outputBytes);
// Flushes the encoder into output (bufferSize bytes); *outputBytes = bytes made.
BE_API BE_ERR beDeinitStream(HBE_STREAM stream, uint8_t* output, uint32_t* outputBytes);
// Frees the stream, unless it reserved an Info/Xing tag (then beWriteInfoTag does).
BE_API BE_ERR beCloseStream(HBE_STREAM stream);
// Fills *version: this module's version, LAME's version and homepage.
BE_API void beVersion(BE_VERSION* version);
// The legacy stream-less tag writer. The tag needs its stream, which this entry
// is not given: it changes nothing and reports BE_ERR_INVALID_HANDLE. Use
// beWriteInfoTag.
BE_API BE_ERR beWriteVBRHeader(const char* fileName);
// Writes the stream's Info/Xing tag frame at the start of fileName (closed by the
// host, flushed by beDeinitStream) when one was reserved, then frees the stream.
BE_API BE_ERR beWriteInfoTag(HBE_STREAM stream, const char* fileName);

// The entry points as function types, for hosts that bind them by name.
typedef BE_ERR (*BEINITSTREAM)(BE_CONFIG*, uint32_t*, uint32_t*, PHBE_STREAM);
typedef BE_ERR (*BEENCODECHUNK)(HBE_STREAM, uint32_t, const int16_t*, uint8_t*, uint32_t*);
typedef BE_ERR (*BEDEINITSTREAM)(HBE_STREAM, uint8_t*, uint32_t*);
typedef BE_ERR (*BECLOSESTREAM)(HBE_STREAM);
typedef void (*BEVERSION)(BE_VERSION*);
typedef BE_ERR (*BEWRITEVBRHEADER)(const char*);
typedef BE_ERR (*BEWRITEINFOTAG)(HBE_STREAM, const char*);

#ifdef __cplusplus
}
#endif
