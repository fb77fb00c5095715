#!/bin/sh
# Regenerates the program's artwork from nothing but drawing commands (ImageMagick 6
# and the DejaVu fonts). The pictures are committed; the build does not run this.
#
#   converter/resources/background.jpg  500 x 500  tiled dialog background
#   converter/resources/banner.png       591 x 72   main window banner
#   converter/resources/icon-32.png      32 x 32    program icon (setup shares it)
#   converter/resources/icon-16.png      16 x 16
#   setup/resources/banner.png           481 x 58   installer banner, 24-bit
#   setup/resources/browse.png           44 x 17    Browse button picture, 24-bit
set -eu
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-artwork: ImageMagick (convert) is needed: apt-get install imagemagick" >&2; exit 1; }

fonts=/usr/share/fonts/truetype/dejavu
bold=$fonts/DejaVuSans-Bold.ttf
book=$fonts/DejaVuSans.ttf
[ -f "$bold" ] || { echo "make-artwork: DejaVu Sans is needed: apt-get install fonts-dejavu-core" >&2; exit 1; }
conv=converter/resources
inst=setup/resources
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# No time stamps or other chunks that change per run: same commands, same bytes.
strip="-strip -define png:exclude-chunks=date,time"

# Background: near-white in the middle, pale grey-blue at the edges. The colour only
# depends on the distance from the centre, so tiles meet without seams.
convert -size 500x500 -define gradient:extent=diagonal \
  radial-gradient:'#fbfcfe'-'#c3d0e0' \
  -quality 92 -sampling-factor 1x1 $strip "$conv/background.jpg"

# The MP3 emblem: a white disc with a blue ring, a note and "MP3".
emblem() { # size outfile
  s=$1; c=$((s / 2)); r=$((s / 2 - 2))
  convert -size ${s}x${s} xc:none \
    -fill '#ffffff' -stroke '#9cc3ef' -strokewidth 2 -draw "circle $c,$c $c,2" \
    -fill none -stroke '#1d5fae' -strokewidth 2 -draw "circle $c,$c $c,$((c - r + 4))" \
    -stroke none -fill '#1d5fae' -font "$bold" -pointsize $((s * 24 / 100)) \
    -gravity center -annotate +0+$((s * 17 / 100)) 'MP3' \
    -draw "ellipse $((c - 3)),$((c - s * 8 / 100)) 3,2 0,360" \
    -draw "rectangle $((c - 1)),$((c - s * 30 / 100)) $((c - 0)),$((c - s * 8 / 100))" \
    -draw "polygon $((c - 1)),$((c - s * 30 / 100)) $((c + 5)),$((c - s * 25 / 100)) $((c + 5)),$((c - s * 20 / 100)) $((c)),$((c - s * 24 / 100))" \
    "$2"
}
emblem 60 "$tmp/emblem.png"

# Main banner: a deep blue gradient with a soft sheen across its upper half.
convert -size 72x591 gradient:'#0a3573'-'#3d8ee0' -rotate -90 "$tmp/blue.png"
convert -size 591x36 gradient:'rgba(255,255,255,0.22)'-'rgba(255,255,255,0.02)' "$tmp/sheen.png"
convert "$tmp/blue.png" "$tmp/sheen.png" -geometry +0+0 -composite \
  -fill '#ffffff' -font "$bold" -pointsize 34 -annotate +16+42 'Brisktune' \
  -fill '#dce9fa' -font "$book" -pointsize 11 -annotate +18+61 '© 2026 Brisktune developers' \
  -fill '#ffffff' -font "$book" -pointsize 12 -annotate +236+42 'AAC · M4A · MP4  →  MP3' \
  "$tmp/emblem.png" -geometry +521+6 -composite \
  -fill none -stroke '#082a5c' -draw 'line 0,71 590,71' \
  -type TrueColor $strip PNG24:"$conv/banner.png"

# Installer banner: the same blue, kept plain where the title " Brisktune V1.0" is
# drawn (from x = 70, y = 20, about 20 pixels high), the icon at the left, the emblem
# at the right.
convert -size 58x481 gradient:'#0b2f66'-'#2a6fbd' -rotate -90 "$tmp/sblue.png"
convert -size 481x29 gradient:'rgba(255,255,255,0.16)'-'rgba(255,255,255,0.0)' "$tmp/ssheen.png"

# Program icon: a rounded blue square with a white note over a sound wave.
icon() { # size outfile
  s=$1
  convert -size 64x64 xc:none \
    -fill '#1d5fae' -stroke '#0b2f66' -strokewidth 2 -draw 'roundrectangle 2,2 61,61 12,12' \
    -stroke none -fill '#4a93e6' -draw 'roundrectangle 5,5 58,30 9,9' \
    -fill '#ffffff' -draw 'ellipse 22,46 9,7 0,360' -draw 'ellipse 44,40 9,7 0,360' \
    -draw 'rectangle 28,14 32,46' -draw 'rectangle 50,8 54,40' \
    -draw 'polygon 28,14 54,8 54,17 28,23' \
    -resize ${s}x${s} $strip PNG32:"$2"
}
icon 32 "$conv/icon-32.png"
icon 16 "$conv/icon-16.png"

emblem 48 "$tmp/semblem.png"
convert -size 40x40 xc:none "$conv/icon-32.png" -geometry +4+4 -composite "$tmp/sicon.png"
convert "$tmp/sblue.png" "$tmp/ssheen.png" -geometry +0+0 -composite \
  "$tmp/sicon.png" -geometry +18+9 -composite \
  -fill '#cfe0f7' -font "$book" -pointsize 11 -annotate +290+35 'AAC to MP3 converter' \
  "$tmp/semblem.png" -geometry +429+5 -composite \
  -fill none -stroke '#06204a' -draw 'line 0,57 480,57' \
  -type TrueColor $strip PNG24:"$inst/banner.png"

# Browse picture: a button face with an open folder and three dots.
convert -size 44x17 gradient:'#fbfbfb'-'#d9dde3' \
  -fill '#e8b63c' -stroke '#a87a12' -strokewidth 1 \
  -draw 'polygon 4,4 9,4 10,5 18,5 18,14 4,14' \
  -fill '#f7d46a' -draw 'polygon 6,8 21,8 18,14 4,14' \
  -stroke none -fill '#2b3a4d' \
  -draw 'rectangle 26,11 27,12' -draw 'rectangle 31,11 32,12' -draw 'rectangle 36,11 37,12' \
  -type TrueColor $strip PNG24:"$inst/browse.png"

echo "make-artwork: written $conv/background.jpg banner.png icon-32.png icon-16.png, $inst/banner.png browse.png"
