// Output names of a conversion batch, shared by the window's conversion job and
// brisktune-cli.
//
// An MP3 is named after its source: the output folder, then the source's file name
// less its last 4 bytes (its extension: ".aac", ".m4a" or ".mp4" in any case), then
// ".mp3". Within one batch, a path that an earlier entry of the same batch already
// took gets " (2)", " (3)" ... before ".mp3", so two sources of the same name from
// different folders do not overwrite each other; a file from before the batch at
// that path is replaced.
#pragma once

#include <set>
#include <string>

// Largest path in bytes (a 1,024-byte buffer with its terminator).
constexpr size_t kMaxPathBytes = 1023;

// folder (ending in '/') + name less its last 4 bytes + ".mp3". "" when the result
// would be longer than kMaxPathBytes (such a path is left out, never cut).
std::string OutputPathFor(const std::string& folder, const std::string& name);

// The paths taken so far in one batch. A new, empty record starts each batch; it is
// owned by the batch (a local of the job or of the command line).
struct OutputNameKeeper {
    std::set<std::string> taken;
};

// Takes `path` for the next entry: the path itself when no earlier entry of the
// batch took it, otherwise the first of "<path less .mp3> (2).mp3", " (3)" ... not
// yet taken. The result is recorded as taken. "" (nothing recorded) when `path` is
// empty or the result would be longer than kMaxPathBytes.
std::string ClaimOutputPath(OutputNameKeeper& keeper, const std::string& path);
