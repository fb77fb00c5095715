#!/usr/bin/env bash
# Installs what Brisktune needs, builds it in Release and runs the main job.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh -DBRISKTUNE_TESTS=OFF
# The build includes the installer, build/bin/setup (see README, "Installing with setup").
exec scripts/main-job.sh
