#!/bin/sh
# Takes the picture of the Windows program's main window for the documentation: starts
# build-windows/src/win32/quorvane.exe (tools/test-windows.sh builds it) under wine on a virtual
# display with a window manager, in a wine prefix of its own, and saves the window cropped to itself.
#
#   tools/screenshots-windows.sh [output folder]     (default: docs)
#
# Needs wine, Xvfb, openbox, xdotool and ImageMagick's import; installs what is missing.
set -eu
cd "$(dirname "$0")/.."
out=${1:-docs}
tools/install-missing.sh wine wine64 xvfb openbox xdotool imagemagick
program=build-windows/src/win32/quorvane.exe
[ -f "$program" ] || { echo "no $program: run tools/test-windows.sh first" >&2; exit 1; }

WINEPREFIX="$(pwd)/build-windows/screenshot-prefix"
WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
mkdir -p "$WINEPREFIX"
. tools/wine-display.sh

# The pointer away from every window, so that no button shows its hover look.
xdotool mousemove 1270 1010
"$wine64" "$program" </dev/null >/dev/null 2>&1 &
wine_display_program_pid=$!
main=$(timeout 60 xdotool search --sync --onlyvisible --name '^Velmoran v2\.0$' | head -n 1)
sleep 2
import -window "$main" "$out/screenshot-windows-main.png"
echo "$out/screenshot-windows-main.png"
