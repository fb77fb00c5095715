#!/usr/bin/env bash
# Builds the engine's tests a second time with AddressSanitizer and
# UndefinedBehaviorSanitizer (in ./build-sanitize) and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(test_textkit test_audio)
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRISKTUNE_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$(nproc)" --target "${targets[@]}"
# Test labels are the area names (test discovery keeps only one label per test).
ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)" -L '^(textkit|audio)$'
