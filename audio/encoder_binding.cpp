#include "audio/encoder_binding.h"

#include <cstring>
#include <string>

#include "platform/program_path.h"
#include "platform/shared_library.h"
#include "textkit/textkit.h"

namespace {

// The one binding of the library, written only at load and unload.
EncoderBinding g_binding;

template <typename Entry>
bool bindEntry(platform::SharedLibrary* library, const char* name, Entry* entry)
{
    *entry = reinterpret_cast<Entry>(platform::findSymbol(library, name));
    return *entry != nullptr;
}

bool bindEncoder(EncoderBinding& b)
{
    // The folder keeps its case: file names are case-sensitive here.
    const std::string folder = platform::executableFolder();
    if (folder.empty() || folder.size() >= sizeof b.hostFolder)
        return false;
    std::memcpy(b.hostFolder, folder.c_str(), folder.size() + 1);

    b.library = platform::openLibrary(strcat5(b.hostFolder, "lame_enc.so", nullptr, nullptr, nullptr));
    if (!b.library)
        return false;
    bool all = bindEntry(b.library, "beInitStream", &b.beInitStream);
    all = bindEntry(b.library, "beEncodeChunk", &b.beEncodeChunk) && all;
    all = bindEntry(b.library, "beDeinitStream", &b.beDeinitStream) && all;
    all = bindEntry(b.library, "beCloseStream", &b.beCloseStream) && all;
    all = bindEntry(b.library, "beWriteVBRHeader", &b.beWriteVBRHeader) && all;
    all = bindEntry(b.library, "beWriteInfoTag", &b.beWriteInfoTag) && all;
    if (!all) {
        // A module without all six entry points counts as missing.
        platform::closeLibrary(b.library);
        b.library = nullptr;
        b.beInitStream = nullptr;
        b.beEncodeChunk = nullptr;
        b.beDeinitStream = nullptr;
        b.beCloseStream = nullptr;
        b.beWriteVBRHeader = nullptr;
        b.beWriteInfoTag = nullptr;
        return false;
    }
    return true;
}

__attribute__((constructor)) void bindEncoderAtLoad()
{
    g_binding.bound = bindEncoder(g_binding);
}

__attribute__((destructor)) void releaseEncoderAtUnload()
{
    if (g_binding.bound && g_binding.library)
        platform::closeLibrary(g_binding.library);
    g_binding.library = nullptr;
    g_binding.bound = false;
}

}  // namespace

const EncoderBinding& encoderBinding()
{
    return g_binding;
}
