// What the module and the LAME library inside it report about themselves.
#include <cstdio>
#include <cstring>

#include "lame_enc/stream_record.h"

namespace {

constexpr uint8_t kModuleMajor = 1;
constexpr uint8_t kModuleMinor = 0;

// The build date (__DATE__ is "Mmm dd yyyy").
void buildDate(BE_VERSION* v)
{
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const char* date = __DATE__;
    char month[4] = {date[0], date[1], date[2], 0};
    const char* found = std::strstr(months, month);
    v->byMonth = found ? static_cast<uint8_t>((found - months) / 3 + 1) : 0;
    int day = 0;
    int year = 0;
    if (std::sscanf(date + 4, "%d %d", &day, &year) == 2) {
        v->byDay = static_cast<uint8_t>(day);
        v->wYear = static_cast<uint16_t>(year);
    }
}

}  // namespace

void beVersion(BE_VERSION* version)
{
    if (!version)
        return;
    std::memset(version, 0, sizeof *version);
    version->byDLLMajorVersion = kModuleMajor;
    version->byDLLMinorVersion = kModuleMinor;
    lame_version_t lame = {};
    get_lame_version_numerical(&lame);
    version->byMajorVersion = static_cast<uint8_t>(lame.major);
    version->byMinorVersion = static_cast<uint8_t>(lame.minor);
    version->byAlphaLevel = static_cast<uint8_t>(lame.alpha);
    version->byBetaLevel = static_cast<uint8_t>(lame.beta);
    buildDate(version);
    const char* url = get_lame_url();
    if (url)
        std::snprintf(version->zHomepage, sizeof version->zHomepage, "%s", url);
}
