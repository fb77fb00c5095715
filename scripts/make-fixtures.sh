#!/usr/bin/env bash
# Makes the decoder test fixtures under tests/data/ and the bundled sample
# samples/sample.m4a with ffmpeg. The results are committed; the tests never run
# this script and do not need ffmpeg. Run it again only to change the fixtures, and
# update tests/data/README.md with what faad reports for them then.
#   scripts/make-fixtures.sh
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
data=$root/tests/data
samples=$root/samples
mkdir -p "$data" "$samples"
command -v ffmpeg >/dev/null || { echo "make-fixtures.sh needs ffmpeg (apt-get install ffmpeg)" >&2; exit 1; }

# Bit-exact output: no encoder or muxer version tags, no creation times.
ff=(ffmpeg -hide_banner -loglevel error -y -bitexact -fflags +bitexact)
aac=(-c:a aac -flags:a +bitexact -map_metadata -1)

# sine tone <frequency Hz> <rate Hz> <seconds>: a pure tone at half scale.
tone() { echo "sine=frequency=$1:sample_rate=$2:duration=$3"; }

# 44.1 kHz stereo, 440 Hz, 2.5 s.
"${ff[@]}" -f lavfi -i "$(tone 440 44100 2.5)" -ac 2 "${aac[@]}" -b:a 64k \
  "$data/tone-44100-stereo.m4a"

# 48 kHz stereo, 523.25 Hz, 2.5 s.
"${ff[@]}" -f lavfi -i "$(tone 523.25 48000 2.5)" -ac 2 "${aac[@]}" -b:a 64k \
  "$data/tone-48000-stereo.m4a"

# 22.05 kHz mono, raw ADTS stream, 659.25 Hz, 2.5 s.
"${ff[@]}" -f lavfi -i "$(tone 659.25 22050 2.5)" -ac 1 "${aac[@]}" -b:a 32k \
  -f adts "$data/tone-22050-mono.aac"

# 5.1 (six channels), 48 kHz, 880 Hz on every channel, 2 s.
"${ff[@]}" -f lavfi -i "$(tone 880 48000 2)" -af "pan=5.1|c0=c0|c1=c0|c2=c0|c3=c0|c4=c0|c5=c0" \
  "${aac[@]}" -b:a 96k "$data/tone-48000-5.1.m4a"

# .mp4 files with a tiny video track (32x32, 2 frames a second, MPEG-4 part 2) and a
# 44.1 kHz stereo 1000 Hz AAC track of 2 s. faad reads the frames of an MP4 one after
# the other from the start of the media data, so it decodes the whole track only when
# the audio lies there in one run: tone-44100-video.mp4 has the two video frames
# after all of the audio (the video starts at 2.1 s); interleaved-video.mp4 is what
# ffmpeg writes by default, audio and video interleaved, and faad stops in its first
# frames.
"${ff[@]}" -f lavfi -i "color=c=blue:size=32x32:rate=2:duration=1" -c:v mpeg4 -q:v 10 \
  -flags:v +bitexact "$data/.video.mp4"
"${ff[@]}" -f lavfi -i "$(tone 1000 44100 2)" -ac 2 "${aac[@]}" -b:a 48k "$data/.audio.m4a"
"${ff[@]}" -i "$data/.audio.m4a" -itsoffset 2.1 -i "$data/.video.mp4" -map 0:a -map 1:v \
  -c copy -map_metadata -1 "$data/tone-44100-video.mp4"
"${ff[@]}" -f lavfi -i "color=c=blue:size=32x32:rate=2:duration=2" \
  -f lavfi -i "$(tone 1000 44100 2)" -ac 2 -c:v mpeg4 -q:v 10 -flags:v +bitexact \
  "${aac[@]}" -b:a 48k "$data/interleaved-video.mp4"
rm -f "$data/.video.mp4" "$data/.audio.m4a"

# 8 KiB of pseudo-random bytes under an .m4a name: the output of a fixed-key AES-CTR
# stream over zeros, the same on every machine.
head -c 8192 /dev/zero | openssl enc -aes-128-ctr -nosalt -K 000102030405060708090a0b0c0d0e0f \
  -iv 00000000000000000000000000000000 > "$data/random-bytes.m4a"

# A valid 44.1 kHz stereo .m4a cut off after its first half. ffmpeg writes the
# index (moov) at the end, so the cut leaves the sample table missing.
"${ff[@]}" -f lavfi -i "$(tone 440 44100 2.5)" -ac 2 "${aac[@]}" -b:a 64k \
  "$data/.whole.m4a"
size=$(stat -c %s "$data/.whole.m4a")
head -c $((size / 2)) "$data/.whole.m4a" > "$data/cut-off.m4a"
rm -f "$data/.whole.m4a"

# The bundled sample: about 10 s of 44.1 kHz stereo, a gentle arpeggio
# (twelve notes of 0.85 s each with soft onsets and decays), index at the front.
notes=(261.63 329.63 392.00 523.25 392.00 329.63 261.63 329.63 392.00 523.25 659.25 523.25)
inputs=()
for f in "${notes[@]}"; do
  inputs+=(-f lavfi -i "sine=frequency=$f:sample_rate=44100:duration=0.85")
done
n=${#notes[@]}
filter=""
for ((i = 0; i < n; i++)); do
  filter+="[$i:a]volume=0.5,afade=t=in:d=0.05,afade=t=out:st=0.5:d=0.35[n$i];"
done
for ((i = 0; i < n; i++)); do filter+="[n$i]"; done
filter+="concat=n=$n:v=0:a=1,aecho=0.8:0.5:120:0.3[out]"
"${ff[@]}" "${inputs[@]}" -filter_complex "$filter" -map "[out]" -ac 2 "${aac[@]}" -b:a 96k \
  -movflags +faststart "$samples/sample.m4a"

ls -l "$data" "$samples"
