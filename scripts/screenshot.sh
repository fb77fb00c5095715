#!/usr/bin/env bash
# Makes docs/brisktune.png: the real main window, offscreen, holding a few converted
# rows. Builds the picture tool in build/ when needed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBRISKTUNE_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target brisktune_screenshot
mkdir -p docs
QT_QPA_PLATFORM=offscreen "$build/bin/brisktune_screenshot" docs/brisktune.png
