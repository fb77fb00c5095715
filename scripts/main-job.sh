#!/usr/bin/env bash
# The main job of ./run.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "Brisktune is built in build/bin."
