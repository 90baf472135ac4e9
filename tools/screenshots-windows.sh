#!/bin/sh
# Takes the pictures of the Windows program's main, list and about windows for the documentation:
# starts build-windows/src/win32/quorvane.exe (tools/test-windows.sh builds it) under wine on a
# virtual display with a window manager, in a wine prefix of its own, opens the windows with the
# pointer as a user would, and saves each window cropped to itself. The program runs from a
# temporary folder that holds a small register, so that the list window has folders to show.
#
#   tools/screenshots-windows.sh [output folder]     (default: docs)
#
# Needs wine, Xvfb, openbox, xdotool and ImageMagick's import; installs what is missing.
set -eu
cd "$(dirname "$0")/.."
out=$(mkdir -p "${1:-docs}" && cd "${1:-docs}" && pwd)
tools/install-missing.sh wine wine64 xvfb openbox xdotool imagemagick
program=build-windows/src/win32/quorvane.exe
[ -f "$program" ] || { echo "no $program: run tools/test-windows.sh first" >&2; exit 1; }

WINEPREFIX="$(pwd)/build-windows/screenshot-prefix"
WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
mkdir -p "$WINEPREFIX"
. tools/wine-display.sh

work=$(mktemp -d)
trap 'rm -rf "$work"; stop_wine_display' EXIT
mkdir "$work/Quorvane"
cp "$program" "$work/Quorvane/quorvane.exe"
printf '%s\r\n' 'C:\Users\Public\Documents\Private' 'C:\Users\Public\Pictures\Holiday 2025' 'D:\Accounts' \
    > "$work/Quorvane/l0g.ext"

# Every window search is bounded: a program that never shows a window fails the script.
find_window() { timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
# A left click at (x, y) pixels of a window's inner area.
click_at() {
    xdotool mousemove --window "$1" "$2" "$3"
    sleep 0.3
    xdotool click 1
}
# The pointer away from every window, so that no button shows its hover look.
park() { xdotool mousemove 1270 1010; sleep 0.5; }

park
"$wine64" "$work/Quorvane/quorvane.exe" </dev/null >/dev/null 2>&1 &
wine_display_program_pid=$!
main=$(find_window '^Velmoran v2\.0$')
sleep 2
import -window "$main" "$out/screenshot-windows-main.png"

# "About,..": its button lies at (15, 400), 101 x 26 pixels.
click_at "$main" 65 413
about=$(find_window '^About $')
park
sleep 1
import -window "$about" "$out/screenshot-windows-about.png"
# "&OK": at (256, 184), 89 x 25 pixels.
click_at "$about" 300 196
sleep 0.5

# "Show Folder": its button lies at (130, 240), 101 x 26 pixels; the list window is modal.
click_at "$main" 180 253
list=$(find_window '^Form1$')
park
sleep 1
import -window "$list" "$out/screenshot-windows-list.png"
echo "saved $out/screenshot-windows-main.png, $out/screenshot-windows-list.png, $out/screenshot-windows-about.png"
