// From a BE_CONFIG to LAME's settings: every field that a host sets reaches LAME,
// and a setting that LAME would quietly change (bitrate, mode, MPEG version) makes
// the configuration fail instead of giving a different MP3 than asked for.
#include "lame_enc/stream_record.h"

namespace {

bool isMpeg1Rate(uint32_t rate)
{
    return rate == 32000 || rate == 44100 || rate == 48000;
}

bool isMpeg2Rate(uint32_t rate)
{
    return rate == 16000 || rate == 22050 || rate == 24000;
}

// A constant bitrate that the MPEG version's frame header can carry.
bool isFrameBitrate(int version, uint32_t kbps)
{
    static const uint32_t mpeg1[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const uint32_t mpeg2[] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    const uint32_t* table = version == 1 ? mpeg1 : mpeg2;
    for (int i = 0; i < 14; ++i)
        if (table[i] == kbps)
            return true;
    return false;
}

// lame_set_* results: 0 when taken.
bool ok(int result)
{
    return result == 0;
}

BE_ERR applyVbr(lame_global_flags* lame, const BE_CONFIG& c)
{
    vbr_mode mode = vbr_default;
    switch (c.nVbrMethod) {
    case VBR_METHOD_NONE:
    case VBR_METHOD_DEFAULT: mode = vbr_default; break;
    case VBR_METHOD_OLD: mode = vbr_rh; break;
    case VBR_METHOD_NEW:
    case VBR_METHOD_MTRH: mode = vbr_mtrh; break;
    case VBR_METHOD_ABR: mode = vbr_abr; break;
    default: return BE_ERR_INVALID_FORMAT_PARAMETERS;
    }
    if (c.nVBRQuality < 0 || c.nVBRQuality > 9)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    if (!ok(lame_set_VBR(lame, mode)) || !ok(lame_set_VBR_q(lame, c.nVBRQuality)))
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    if (mode == vbr_abr &&
        !ok(lame_set_VBR_mean_bitrate_kbps(lame, static_cast<int>(c.dwVbrAbr_bps / 1000))))
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    if (c.dwBitrate && !ok(lame_set_VBR_min_bitrate_kbps(lame, static_cast<int>(c.dwBitrate))))
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    if (c.dwMaxBitrate &&
        !ok(lame_set_VBR_max_bitrate_kbps(lame, static_cast<int>(c.dwMaxBitrate))))
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    return BE_ERR_SUCCESSFUL;
}

// The preset's part of the settings; *named is set when a LAME preset decides the
// bitrate and VBR settings itself.
BE_ERR applyPreset(lame_global_flags* lame, int32_t preset, bool* named)
{
    *named = false;
    int lamePreset = 0;
    switch (preset) {
    case LQP_NOPRESET:
    case LQP_CBR:
    case LQP_ABR: return BE_ERR_SUCCESSFUL;
    case LQP_NORMAL_QUALITY: return ok(lame_set_quality(lame, 5)) ? 0 : BE_ERR_INVALID_FORMAT_PARAMETERS;
    case LQP_LOW_QUALITY: return ok(lame_set_quality(lame, 9)) ? 0 : BE_ERR_INVALID_FORMAT_PARAMETERS;
    case LQP_HIGH_QUALITY: return ok(lame_set_quality(lame, 2)) ? 0 : BE_ERR_INVALID_FORMAT_PARAMETERS;
    case LQP_VERYHIGH_QUALITY: return ok(lame_set_quality(lame, 0)) ? 0 : BE_ERR_INVALID_FORMAT_PARAMETERS;
    case LQP_R3MIX: lamePreset = R3MIX; break;
    case LQP_STANDARD: lamePreset = STANDARD; break;
    case LQP_FAST_STANDARD: lamePreset = STANDARD_FAST; break;
    case LQP_EXTREME: lamePreset = EXTREME; break;
    case LQP_FAST_EXTREME: lamePreset = EXTREME_FAST; break;
    case LQP_INSANE: lamePreset = INSANE; break;
    case LQP_MEDIUM: lamePreset = MEDIUM; break;
    case LQP_FAST_MEDIUM: lamePreset = MEDIUM_FAST; break;
    default: return BE_ERR_INVALID_FORMAT_PARAMETERS;  // voice and phone presets included
    }
    *named = true;
    return ok(lame_set_preset(lame, lamePreset)) ? BE_ERR_SUCCESSFUL
                                                 : BE_ERR_INVALID_FORMAT_PARAMETERS;
}

}  // namespace

BE_ERR configureLame(lame_global_flags* lame, const BE_CONFIG& c, int* channels)
{
    if (c.dwConfig != BE_CONFIG_LAME)
        return BE_ERR_INVALID_FORMAT;
    if (c.dwStructVersion < CURRENT_STRUCT_VERSION || c.dwStructSize < CURRENT_STRUCT_SIZE)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    if (c.dwSampleRate == 0 || (c.dwMpegVersion != MPEG1 && c.dwMpegVersion != MPEG2))
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    if (c.dwEmphasis > 3 || c.dwEmphasis == 2)  // 2 is reserved in the MPEG header
        return BE_ERR_INVALID_FORMAT_PARAMETERS;

    MPEG_mode mode = STEREO;
    switch (c.nMode) {
    case BE_MP3_MODE_STEREO: mode = STEREO; break;
    case BE_MP3_MODE_JSTEREO: mode = JOINT_STEREO; break;
    case BE_MP3_MODE_DUALCHANNEL: mode = DUAL_CHANNEL; break;
    case BE_MP3_MODE_MONO: mode = MONO; break;
    default: return BE_ERR_INVALID_FORMAT_PARAMETERS;
    }
    *channels = mode == MONO ? 1 : 2;

    // The output rate: the one asked for, else the input's own when it belongs to
    // the MPEG version asked for, else LAME's choice (checked below).
    uint32_t outRate = c.dwReSampleRate;
    if (outRate == 0 && c.dwMpegVersion == MPEG1 && isMpeg1Rate(c.dwSampleRate))
        outRate = c.dwSampleRate;
    if (outRate == 0 && c.dwMpegVersion == MPEG2 && isMpeg2Rate(c.dwSampleRate))
        outRate = c.dwSampleRate;

    if (!ok(lame_set_num_channels(lame, *channels)) ||
        !ok(lame_set_in_samplerate(lame, static_cast<int>(c.dwSampleRate))) ||
        !ok(lame_set_out_samplerate(lame, static_cast<int>(outRate))) ||
        !ok(lame_set_mode(lame, mode)))
        return BE_ERR_INVALID_FORMAT_PARAMETERS;

    bool namedPreset = false;
    if (BE_ERR e = applyPreset(lame, c.nPreset, &namedPreset))
        return e;
    const bool vbr = c.bEnableVBR != 0 || c.nPreset == LQP_ABR;
    if (c.nPreset == LQP_CBR && c.bEnableVBR)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    if (!namedPreset) {
        if (c.nPreset == LQP_ABR) {
            if (!ok(lame_set_VBR(lame, vbr_abr)) ||
                !ok(lame_set_VBR_mean_bitrate_kbps(lame, static_cast<int>(c.dwVbrAbr_bps / 1000))))
                return BE_ERR_INVALID_FORMAT_PARAMETERS;
        } else if (vbr) {
            if (BE_ERR e = applyVbr(lame, c))
                return e;
        } else if (c.dwBitrate == 0 || !ok(lame_set_VBR(lame, vbr_off)) ||
                   !ok(lame_set_brate(lame, static_cast<int>(c.dwBitrate)))) {
            return BE_ERR_INVALID_FORMAT_PARAMETERS;
        }
    }

    // nQuality counts only when its high byte is the complement of its low byte.
    const unsigned low = c.nQuality & 0xFFu;
    const unsigned high = (c.nQuality >> 8) & 0xFFu;
    if (high == (~low & 0xFFu)) {
        if (low > 9 || !ok(lame_set_quality(lame, static_cast<int>(low))))
            return BE_ERR_INVALID_FORMAT_PARAMETERS;
    }

    if (!ok(lame_set_emphasis(lame, static_cast<int>(c.dwEmphasis))) ||
        !ok(lame_set_extension(lame, c.bPrivate ? 1 : 0)) ||
        !ok(lame_set_error_protection(lame, c.bCRC ? 1 : 0)) ||
        !ok(lame_set_copyright(lame, c.bCopyright ? 1 : 0)) ||
        !ok(lame_set_original(lame, c.bOriginal ? 1 : 0)) ||
        !ok(lame_set_disable_reservoir(lame, c.bNoRes ? 1 : 0)) ||
        !ok(lame_set_strict_ISO(lame, c.bStrictIso ? 1 : 0)) ||
        // LAME writes the tag by default; here only when the host asks for it.
        !ok(lame_set_bWriteVbrTag(lame, c.bWriteVBRHeader ? 1 : 0)))
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    // The host owns the file: no ID3 tags of LAME's own in it.
    lame_set_write_id3tag_automatic(lame, 0);

    if (lame_init_params(lame) < 0)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;

    const int version = lame_get_version(lame);  // 0 MPEG-2, 1 MPEG-1, 2 MPEG-2.5
    if ((c.dwMpegVersion == MPEG1) != (version == 1))
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    if (lame_get_mode(lame) != mode)
        return BE_ERR_INVALID_FORMAT_PARAMETERS;
    if (!vbr && !namedPreset &&
        (!isFrameBitrate(version, c.dwBitrate) ||
         lame_get_brate(lame) != static_cast<int>(c.dwBitrate)))
        return BE_ERR_INVALID_FORMAT_PARAMETERS;  // not a bitrate of that MPEG version
    return BE_ERR_SUCCESSFUL;
}
