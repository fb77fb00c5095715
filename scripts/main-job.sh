#!/usr/bin/env bash
# The main job of ./run.sh. With a display (DISPLAY or WAYLAND_DISPLAY set) it opens
# the Brisktune window; without one it converts the bundled sample with brisktune-cli
# into ./out and shows what was written.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]] && [[ ${QT_QPA_PLATFORM:-} != offscreen ]]; then
  program=build/bin/brisktune
  if [[ ! -x $program ]]; then
    echo "main-job.sh: $program is missing; build first (scripts/build.sh)." >&2
    exit 1
  fi
  echo "Opening the Brisktune window ($program)."
  exec "$program"
fi
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
