#!/usr/bin/env bash
# Installs what Brisktune and its tests need, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests
scripts/build.sh -DBRISKTUNE_TESTS=ON
ctest --test-dir build --output-on-failure -j "$(nproc)"
scripts/sanitized-tests.sh
