#!/bin/sh
# Draws the program's artwork into resources/art with ImageMagick: the window icon (48 and 32
# pixels, 256 colours; also as quorvane.ico for Windows), the banner of the main window and the
# two portraits of the about window.
# The output is committed; run this again only to change the pictures. Metadata and time stamps are
# stripped so that the same ImageMagick gives the same bytes.
set -eu
cd "$(dirname "$0")/.."
out=resources/art
mkdir -p "$out"
bold=/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf
sans=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
for f in "$bold" "$sans"; do
    [ -f "$f" ] || { echo "missing font $f (fonts-comic-neue, fonts-liberation)" >&2; exit 1; }
done
png="-strip -define png:exclude-chunks=date,time"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Window icon: a folder in the program's greens with a padlock on its front.
convert -size 48x48 xc:none \
    -fill '#55796b' -stroke '#2f4a3f' -strokewidth 1 \
    -draw 'roundrectangle 3,9 22,17 2,2' \
    -fill '#8fafa4' -draw 'roundrectangle 3,13 44,41 3,3' \
    -fill '#b9d3c9' -stroke none -draw 'rectangle 5,16 42,19' \
    -fill none -stroke '#3a3a3a' -strokewidth 3 -draw 'arc 24,19 38,33 180,360' \
    -fill '#e8b030' -stroke '#7a5410' -strokewidth 1 -draw 'roundrectangle 21,26 41,44 2,2' \
    -fill '#3a2a08' -stroke none -draw 'circle 31,33 31,31' -draw 'rectangle 30,34 32,39' \
    "$tmp/icon48.png"
convert "$tmp/icon48.png" -colors 256 $png "PNG8:$out/quorvane-48.png"
convert "$tmp/icon48.png" -filter Lanczos -resize 32x32 -colors 256 $png "PNG8:$out/quorvane-32.png"
# The Windows program's icon: the same two pictures (the .exe's resources, the installer, shortcuts).
convert "$out/quorvane-48.png" "$out/quorvane-32.png" "$out/quorvane.ico"

# Banner: title lettering with a drop shadow on a brownish gradient.
convert -size 300x86 gradient:'#8a5a2e'-'#3e2510' \
    -fill '#00000080' -font "$bold" -pointsize 34 -annotate +14+45 'Quorvane' \
    -fill '#f3d9a4' -annotate +12+43 'Quorvane' \
    -fill '#e0b878' -font "$sans" -pointsize 13 -annotate +14+66 'Hide / Protect Folder' \
    -fill none -stroke '#c89858' -draw 'line 12,72 200,72' \
    -strip -quality 92 "$out/banner.jpg"

# Drawn portrait: black ink lines on white, a head and shoulders in three-quarter view.
convert -size 105x149 xc:white -fill none -stroke black -strokewidth 2 \
    -draw 'ellipse 52,58 25,32 0,360' \
    -draw 'path "M 27,50 C 30,18 74,16 78,48"' \
    -draw 'path "M 30,42 C 40,30 62,28 76,40"' \
    -strokewidth 1 \
    -draw 'ellipse 42,56 5,2 0,360' -draw 'ellipse 63,56 5,2 0,360' \
    -draw 'path "M 36,50 L 48,49"' -draw 'path "M 57,49 L 70,50"' \
    -draw 'path "M 52,58 L 49,72 L 55,73"' \
    -draw 'path "M 43,80 C 48,84 57,84 62,80"' \
    -strokewidth 2 \
    -draw 'path "M 42,88 L 40,104"' -draw 'path "M 63,88 L 65,104"' \
    -draw 'path "M 40,104 C 22,108 8,120 4,148"' -draw 'path "M 65,104 C 83,108 97,120 101,148"' \
    -strokewidth 1 -draw 'path "M 44,106 L 52,124 L 61,106"' \
    -draw 'line 20,130 26,148' -draw 'line 85,130 79,148' \
    -colorspace Gray -strip -quality 90 "$out/portrait-drawing.jpg"

# Photograph-like portrait: soft light, a shaded head and shoulders, film grain.
convert -size 89x108 gradient:'#9bb0c0'-'#4a5a68' \
    \( -size 89x108 xc:none -fill '#2c3e50' -draw 'ellipse 44,112 40,30 0,360' \
       -fill '#c99d82' -draw 'rectangle 37,66 52,86' \
       -fill '#d8ae90' -draw 'ellipse 44,46 20,26 0,360' \
       -fill '#3b2a20' -draw 'ellipse 44,30 22,14 180,360' -draw 'ellipse 25,40 4,12 0,360' \
       -draw 'ellipse 63,40 4,12 0,360' \
       -fill '#2a2020' -draw 'ellipse 36,46 3,2 0,360' -draw 'ellipse 53,46 3,2 0,360' \
       -fill '#a0705a' -draw 'ellipse 44,62 6,2 0,360' \
       -blur 0x1.2 \) -composite \
    -seed 7 -attenuate 0.35 +noise Gaussian -blur 0x0.4 \
    -strip -quality 88 "$out/portrait-photo.jpg"

identify "$out"/*
