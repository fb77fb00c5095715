#!/usr/bin/env bash
# Installs what Brisktune needs, builds it in Release and runs the main job.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh -DBRISKTUNE_TESTS=OFF
exec scripts/main-job.sh
