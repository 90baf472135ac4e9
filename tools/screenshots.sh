#!/usr/bin/env bash
# Takes the pictures of the main, list and about windows for the documentation: starts the program
# on a virtual X display, opens the windows with the pointer as a user would, and saves each window
# cropped to itself.
#
#   tools/screenshots.sh [build folder] [output folder]     (defaults: build, docs)
#
# Needs xvfb-run, xdotool and ImageMagick's import. The program runs from a temporary folder that
# holds a small register, so that the list window has folders to show.
set -euo pipefail

# Runs inside the virtual display: tools/screenshots.sh --inside <work folder> <output folder>.
shoot() {
    local work=$1 out=$2
    export QT_QPA_PLATFORM=xcb
    "$work/quorvane" &
    local pid=$!
    # Every window search is bounded: a program that never shows a window fails the script.
    find_window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
    # A left click at (x, y) pixels of a window's inner area.
    click_at() {
        xdotool mousemove --window "$1" "$2" "$3"
        sleep 0.3
        xdotool click 1
    }
    # Pointer away from every window, so that no button shows its hover look.
    park() { xdotool mousemove 1000 750; sleep 0.5; }

    local main
    main=$(find_window '^Velmoran v2\.0$')
    park
    import -window "$main" "$out/screenshot-main.png"

    # "About,..": its button lies at (15, 400), 101 x 26 pixels.
    click_at "$main" 65 413
    local about
    about=$(find_window '^About $')
    park
    import -window "$about" "$out/screenshot-about.png"
    # "&OK": at (256, 184), 89 x 25 pixels.
    click_at "$about" 300 196
    sleep 0.5

    # "Show Folder": its button lies at (130, 240), 101 x 26 pixels; the list window is modal.
    click_at "$main" 180 253
    local list
    list=$(find_window '^Form1$')
    park
    import -window "$list" "$out/screenshot-list.png"

    kill "$pid"
    wait "$pid" || true

    # The main window again at 150 %: the button faces and the gradient in the screen's own pixels.
    QT_SCALE_FACTOR=1.5 "$work/quorvane" &
    pid=$!
    main=$(find_window '^Velmoran v2\.0$')
    park
    import -window "$main" "$out/screenshot-main-150.png"
    kill "$pid"
    wait "$pid" || true
}

if [[ ${1:-} == --inside ]]; then
    shoot "$2" "$3"
    exit 0
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$(mkdir -p "${2:-$root/docs}" && cd "${2:-$root/docs}" && pwd)
program="$build/src/qt/quorvane"
[[ -x "$program" ]] || { echo "no program at $program: build it first" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
work="$tmp/Quorvane"  # the program's folder, which the main window shows
mkdir "$work"
cp "$program" "$work/quorvane"
printf '%s\r\n' "$HOME/Documents/Private" "$HOME/Pictures/Holiday 2025" "/srv/share/Accounts" > "$work/l0g.ext"


xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$root/tools/screenshots.sh" --inside "$work" "$out"
echo "saved $out/screenshot-main.png, $out/screenshot-list.png, $out/screenshot-about.png, $out/screenshot-main-150.png"
