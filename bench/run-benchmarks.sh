#!/usr/bin/env bash
# Speed and memory of brisktune-cli against the usual command-line tools, written to
# bench/RESULTS.md. Needs ffmpeg, lame and GNU time (benchmark-only dependencies).
#   bench/run-benchmarks.sh [BUILD_FOLDER]      (default: build)
# Targets:
#   - one 10-minute file: at most 1.10 x the time of faad followed by lame with the
#     same encoder settings;
#   - six files with -j 2: at least 1.7 x faster than -j 1 on 2 cores;
#   - peak memory of a worker: at most the decoded PCM size plus 40 MB.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
bin=$build/bin
cli=$bin/brisktune-cli
for tool in ffmpeg lame /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "run-benchmarks.sh needs $tool (apt-get install ${tool##*/})" >&2; exit 1; }
done
[[ -x $cli && -x $bin/faad ]] || { echo "build brisktune-cli first: $cli" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/brisktune-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
ff=(ffmpeg -hide_banner -loglevel error -y)

# Music-like input: two tones and a little noise, 44.1 kHz stereo AAC at 128 kbit/s.
make_input() {  # <seconds> <file>
  "${ff[@]}" -f lavfi -i "sine=frequency=330:sample_rate=44100:duration=$1" \
    -f lavfi -i "sine=frequency=523:sample_rate=44100:duration=$1" \
    -f lavfi -i "anoisesrc=color=pink:amplitude=0.05:sample_rate=44100:duration=$1" \
    -filter_complex "[0][1][2]amix=inputs=3,aformat=channel_layouts=stereo" -c:a aac -b:a 128k "$2"
}
echo "Making inputs in $work ..."
make_input 600 "$work/long.m4a"
for i in 1 2 3 4 5 6; do make_input 120 "$work/six-$i.m4a"; done

# timed <label> <command...>: wall seconds and peak RSS (KiB) of the command and its
# waited-for descendants, into $seconds and $peak.
timed() {
  local label=$1; shift
  /usr/bin/time -f "%e %M" -o "$work/time.txt" "$@" >/dev/null 2>"$work/stderr.txt" ||
    { echo "$label failed:" >&2; cat "$work/stderr.txt" >&2; exit 1; }
  read -r seconds peak < "$work/time.txt"
  echo "$label: ${seconds} s, peak ${peak} KiB"
}
best_of() {  # <runs> <label> <command...>: the fastest of several runs
  local runs=$1 label=$2; shift 2
  local best="" bestpeak=0
  for ((r = 0; r < runs; ++r)); do
    timed "$label" "$@"
    if [[ -z $best ]] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
    ((peak > bestpeak)) && bestpeak=$peak
  done
  seconds=$best; peak=$bestpeak
}

mkdir -p "$work/out"
best_of 2 "brisktune-cli, 10 min" "$cli" -j 1 -b 128 -o "$work/out" "$work/long.m4a"
cli_long=$seconds; cli_peak=$peak

faad_lame() { "$bin/faad" -d -o "$work/ref.wav" "$1" && lame --quiet --cbr -b 128 -m s --nores "$work/ref.wav" "$work/ref.mp3"; }
export -f faad_lame; export bin work
best_of 2 "faad + lame, 10 min" bash -c 'faad_lame "$0"' "$work/long.m4a"
ref_long=$seconds
pcm_bytes=$(( $(stat -c %s "$work/ref.wav") - 44 ))
best_of 2 "ffmpeg libmp3lame, 10 min" "${ff[@]}" -i "$work/long.m4a" -c:a libmp3lame -b:a 128k "$work/ff.mp3"
ffmpeg_long=$seconds

six=("$work"/six-*.m4a)
best_of 2 "brisktune-cli -j 1, six files" "$cli" -j 1 -o "$work/out" "${six[@]}"
j1=$seconds
best_of 2 "brisktune-cli -j 2, six files" "$cli" -j 2 -o "$work/out" "${six[@]}"
j2=$seconds

# What the machine itself gives: two independent lame runs side by side against one
# after the other (1.0 means the second core brought nothing at that moment).
two_lames() { lame --quiet --cbr -b 128 -m s --nores "$work/ref.wav" "$work/c1.mp3" & lame --quiet --cbr -b 128 -m s --nores "$work/ref.wav" "$work/c2.mp3"; wait; }
one_lame() { lame --quiet --cbr -b 128 -m s --nores "$work/ref.wav" "$work/c1.mp3"; }
export -f two_lames one_lame
timed "lame alone" bash -c one_lame
lame_one=$seconds
timed "two lames side by side" bash -c two_lames
lame_two=$seconds
machine=$(awk "BEGIN{printf \"%.2f\", 2 * $lame_one / $lame_two}")

ratio_ref=$(awk "BEGIN{printf \"%.2f\", $cli_long / $ref_long}")
ratio_ff=$(awk "BEGIN{printf \"%.2f\", $cli_long / $ffmpeg_long}")
speedup=$(awk "BEGIN{printf \"%.2f\", $j1 / $j2}")
pcm_mb=$(awk "BEGIN{printf \"%.1f\", $pcm_bytes / 1048576}")
peak_mb=$(awk "BEGIN{printf \"%.1f\", $cli_peak / 1024}")
limit_mb=$(awk "BEGIN{printf \"%.1f\", $pcm_bytes / 1048576 + 40}")
verdict() { awk "BEGIN{exit !($1)}" && echo met || echo "**missed**"; }
cores=$(nproc)
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
ram=$(awk '/MemTotal/{printf "%.1f GiB", $2/1048576}' /proc/meminfo)
load=$(cut -d' ' -f1-3 /proc/loadavg)
shared=${BENCH_NOTE:-"Load average at the end of the run: $load."}

cat > "$root/bench/RESULTS.md" <<RESULTS
# Benchmark results

Made by \`bench/run-benchmarks.sh\` on $(date -u +%Y-%m-%d). Fastest of two runs each.

Machine: $cores processors ($cpu), $ram of memory. $shared

Inputs: one 10-minute and six 2-minute 44.1 kHz stereo AAC files (ffmpeg's AAC
encoder, 128 kbit/s; two tones and pink noise). All MP3s at 128 kbit/s CBR stereo.

| Measure | Result | Target | |
|---|---|---|---|
| brisktune-cli, one 10-minute file | ${cli_long} s | | |
| faad -d, then lame --cbr -b 128 -m s --nores | ${ref_long} s | | |
| ffmpeg -c:a libmp3lame -b:a 128k | ${ffmpeg_long} s | | |
| brisktune-cli ÷ (faad + lame) | ${ratio_ref} | ≤ 1.10 | $(verdict "$ratio_ref <= 1.10") |
| brisktune-cli ÷ ffmpeg | ${ratio_ff} | (for comparison) | |
| six files, -j 1 | ${j1} s | | |
| six files, -j 2 | ${j2} s | | |
| speed-up of -j 2 over -j 1 | ${speedup} × | ≥ 1.7 × on 2 cores | $(verdict "$speedup >= 1.7") |
| the machine's own speed-up: two lame runs side by side against one after the other | ${machine} × | (calibration) | |
| peak memory of a worker (max RSS, 10-minute file) | ${peak_mb} MB | ≤ PCM ${pcm_mb} MB + 40 = ${limit_mb} MB | $(verdict "$peak_mb <= $limit_mb") |

The peak memory is GNU time's maximum resident set size of brisktune-cli and the
processes it waited for (its worker and the worker's faad); the worker, which holds
the decoded samples whole, is the largest of them.
RESULTS
echo "Wrote bench/RESULTS.md"
cat "$root/bench/RESULTS.md"
