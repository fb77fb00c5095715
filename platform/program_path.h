// Where the running program lives.
#pragma once

#include <string>

namespace platform {

// Full path of the running program's file (readlink of /proc/self/exe), or "" when
// it cannot be read.
std::string executablePath();

// The folder of the running program's file with exactly one trailing '/', or ""
// when the path cannot be read.
std::string executableFolder();

}  // namespace platform
