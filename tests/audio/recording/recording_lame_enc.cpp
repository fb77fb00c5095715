// A stand-in for lame_enc.so, built for the tests only: it encodes nothing, but
// records every call (one text line each) in the file named by
// BRISKTUNE_RECORDING_LOG and appends the samples it is given to the file named by
// BRISKTUNE_RECORDING_PCM. Each chunk "encodes" to the 4 bytes "CHNK", the flush to
// "FLUSH", and beWriteInfoTag writes "TAG!" at the file's start.
// BRISKTUNE_RECORDING_FAIL selects a failure: "init" (beInitStream refuses),
// "zero" (it reports zero samples per chunk), "chunk3" (the third beEncodeChunk
// fails). Built with RECORDING_WITHOUT_VBR_HEADER it lacks beWriteVBRHeader.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lame_enc/blade_enc.h"

struct BEStream {
    int chunks;
    bool tag;
};

namespace {

void logLine(const std::string& line)
{
    const char* path = std::getenv("BRISKTUNE_RECORDING_LOG");
    if (!path)
        return;
    if (FILE* f = std::fopen(path, "ab")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

bool failing(const char* what)
{
    const char* fail = std::getenv("BRISKTUNE_RECORDING_FAIL");
    return fail && std::strcmp(fail, what) == 0;
}

}  // namespace

BE_ERR beInitStream(BE_CONFIG* c, uint32_t* samples, uint32_t* bufferSize, PHBE_STREAM stream)
{
    bool reservedClear = true;
    for (uint8_t byte : c->btReserved)
        reservedClear = reservedClear && byte == 0;
    char line[512];
    std::snprintf(line, sizeof line,
                  "init config=%u version=%u size=%u rate=%u resample=%u mode=%d bitrate=%u "
                  "max=%u preset=%d mpeg=%u psy=%u emphasis=%u private=%d crc=%d copyright=%d "
                  "original=%d vbrheader=%d vbr=%d vbrq=%d abr=%u vbrmethod=%d nores=%d strict=%d "
                  "quality=%u reserved=%s",
                  c->dwConfig, c->dwStructVersion, c->dwStructSize, c->dwSampleRate,
                  c->dwReSampleRate, c->nMode, c->dwBitrate, c->dwMaxBitrate, c->nPreset,
                  c->dwMpegVersion, c->dwPsyModel, c->dwEmphasis, c->bPrivate, c->bCRC,
                  c->bCopyright, c->bOriginal, c->bWriteVBRHeader, c->bEnableVBR, c->nVBRQuality,
                  c->dwVbrAbr_bps, c->nVbrMethod, c->bNoRes, c->bStrictIso, c->nQuality,
                  reservedClear ? "clear" : "set");
    logLine(line);
    if (failing("init"))
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    *samples = failing("zero") ? 0 : 2304;
    *bufferSize = 10080;
    *stream = new BEStream{0, c->bWriteVBRHeader != 0};
    return BE_ERR_SUCCESSFUL;
}

BE_ERR beEncodeChunk(HBE_STREAM stream, uint32_t nSamples, const int16_t* samples, uint8_t* output,
                     uint32_t* outputBytes)
{
    ++stream->chunks;
    logLine("chunk " + std::to_string(nSamples));
    if (const char* path = std::getenv("BRISKTUNE_RECORDING_PCM")) {
        if (FILE* f = std::fopen(path, "ab")) {
            std::fwrite(samples, 2, nSamples, f);
            std::fclose(f);
        }
    }
    if (failing("chunk3") && stream->chunks == 3) {
        *outputBytes = 0;
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    }
    std::memcpy(output, "CHNK", 4);
    *outputBytes = 4;
    return BE_ERR_SUCCESSFUL;
}

BE_ERR beDeinitStream(HBE_STREAM, uint8_t* output, uint32_t* outputBytes)
{
    logLine("deinit");
    std::memcpy(output, "FLUSH", 5);
    *outputBytes = 5;
    return BE_ERR_SUCCESSFUL;
}

BE_ERR beCloseStream(HBE_STREAM stream)
{
    logLine("close");
    if (!stream->tag)
        delete stream;
    return BE_ERR_SUCCESSFUL;
}

void beVersion(BE_VERSION* version)
{
    std::memset(version, 0, sizeof *version);
}

#ifndef RECORDING_WITHOUT_VBR_HEADER
BE_ERR beWriteVBRHeader(const char*)
{
    logLine("vbrheader");
    return BE_ERR_INVALID_HANDLE;
}
#endif

BE_ERR beWriteInfoTag(HBE_STREAM stream, const char* fileName)
{
    logLine(std::string("infotag ") + (fileName ? fileName : "(none)"));
    if (fileName) {
        if (FILE* f = std::fopen(fileName, "r+b")) {
            std::fwrite("TAG!", 1, 4, f);
            std::fclose(f);
        }
    }
    delete stream;
    return BE_ERR_SUCCESSFUL;
}
