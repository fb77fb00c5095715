#!/usr/bin/env bash
# Benchmarks of the brisktune window (offscreen): converting a 10-minute file through
# the window against brisktune-cli, adding a folder of 10,000 files and removing them,
# and the processor time of the idle window. Appends a section to bench/RESULTS.md.
# Needs ffmpeg (a benchmark-only dependency) to make the input.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBRISKTUNE_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target brisktune brisktune-cli brisktune_window_bench lame_enc
bin=$build/bin
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d "${TMPDIR:-/tmp}/brisktune-wbench-XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "Making a 10-minute input ..."
ffmpeg -hide_banner -loglevel error -y \
  -f lavfi -i "sine=frequency=330:sample_rate=44100:duration=600" \
  -f lavfi -i "sine=frequency=523:sample_rate=44100:duration=600" \
  -f lavfi -i "anoisesrc=color=pink:amplitude=0.05:sample_rate=44100:duration=600" \
  -filter_complex "[0][1][2]amix=inputs=3,aformat=channel_layouts=stereo" -c:a aac -b:a 128k "$work/long.m4a"

best() { sort -n | head -1; }
window_convert() { "$bin/brisktune_window_bench" convert "$work/long.m4a" 2>/dev/null | awk '/^convert/ {print $2}'; }
cli_convert() {
  mkdir -p "$work/cli"
  local s e; s=$(date +%s.%N); "$bin/brisktune-cli" -o "$work/cli" "$work/long.m4a" >/dev/null 2>&1; e=$(date +%s.%N)
  echo "$e - $s" | bc -l
}
echo "Converting (window and brisktune-cli, alternately, three times each) ..."
w=(); c=()
for i in 1 2 3; do w+=("$(window_convert)"); c+=("$(cli_convert)"); done
window=$(printf '%s\n' "${w[@]}" | best); cli=$(printf '%s\n' "${c[@]}" | best)
ratio=$(echo "$window / $cli" | bc -l)

echo "Adding and removing 10,000 files ..."
folder=$("$bin/brisktune_window_bench" folder 10000 2>/dev/null)
add=$(awk '/^add/ {print $3}' <<<"$folder"); remove=$(awk '/^remove/ {print $3}' <<<"$folder")

echo "Measuring the idle window for 20 s ..."
mkdir -p "$work/home/Desktop"
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config "$bin/brisktune" 2>/dev/null &
pid=$!
sleep 3
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
t0=$(ticks); sleep 20; t1=$(ticks)
kill -TERM "$pid"; wait "$pid" || true
hz=$(getconf CLK_TCK)
idle=$(echo "($t1 - $t0) / $hz / 20 * 100" | bc -l)

verdict() { if [ "$(echo "$1" | bc -l)" = 1 ]; then echo met; else echo "**missed**"; fi; }
{
  echo
  echo "## The window (bench/window-benchmarks.sh)"
  echo
  echo "Made on $(date +%F), offscreen (QT_QPA_PLATFORM=offscreen). Load average $(cut -d' ' -f1 /proc/loadavg) at the end; the machine is shared. Fastest of three runs for the conversions."
  echo
  echo "| Measure | Result | Target | |"
  echo "|---|---|---|---|"
  printf '| Convert of one 10-minute file through the window | %.2f s | | |\n' "$window"
  printf '| brisktune-cli, the same file | %.2f s | | |\n' "$cli"
  printf '| window ÷ brisktune-cli | %.3f | ≤ 1.05 | %s |\n' "$ratio" "$(verdict "$ratio <= 1.05")"
  printf '| Add Folder of 10,000 files (no subfolders) | %.2f s | ≤ 5 s | %s |\n' "$add" "$(verdict "$add <= 5")"
  printf '| Remove of all 10,000 rows | %.3f s | ≤ 2 s | %s |\n' "$remove" "$(verdict "$remove <= 2")"
  printf '| processor time of the idle window | %.3f %% of a core | < 0.5 %% | %s |\n' "$idle" "$(verdict "$idle < 0.5")"
} | tee -a bench/RESULTS.md
