#!/usr/bin/env bash
# Configures and builds Brisktune in Release into ./build (binaries in build/bin).
#   scripts/build.sh [extra cmake -D options...]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build build -j "$(nproc)"
