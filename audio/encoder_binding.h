// The library-wide binding of the encoder module lame_enc.so (internal to tonekit).
//
// Made once when tonekit.so is loaded into a process (a load-time constructor) and
// undone when it is unloaded; read-only in between. There is no later retry:
// lame_enc.so must lie in the host program's folder when the host loads tonekit.
#pragma once

#include "lame_enc/blade_enc.h"

namespace platform {
struct SharedLibrary;
}

struct EncoderBinding {
    char hostFolder[1024];             // the host program's folder, ending in '/'
    platform::SharedLibrary* library;  // lame_enc.so; null when it is missing
    bool bound;                        // the module was loaded with all six entry points
    BEINITSTREAM beInitStream;
    BEENCODECHUNK beEncodeChunk;
    BEDEINITSTREAM beDeinitStream;
    BECLOSESTREAM beCloseStream;
    BEWRITEVBRHEADER beWriteVBRHeader;  // bound, never called
    BEWRITEINFOTAG beWriteInfoTag;
};

// The binding; `library` is null and `bound` false when lame_enc.so was missing or
// lacked one of the six entry points.
const EncoderBinding& encoderBinding();
