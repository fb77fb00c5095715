#!/usr/bin/env bash
# The main job of ./run.sh: converts the bundled sample with brisktune-cli into ./out
# and shows what was written.
set -euo pipefail
cd "$(dirname "$0")/.."
cli=build/bin/brisktune-cli
sample=samples/sample.m4a
if [[ ! -x $cli ]]; then
  echo "main-job.sh: $cli is missing; build first (scripts/build.sh)." >&2
  exit 1
fi
mkdir -p out
"$cli" -o out "$sample"
output=out/$(basename "${sample%.*}").mp3
echo "Wrote $output ($(stat -c %s "$output") bytes)"
