#!/bin/sh
# Runs a test program on an X display of its own, under the openbox window manager, which decides
# focus and activation as on a desktop; stops both afterwards. The program's exit status is ours.
#
#   with-window-manager.sh <program> [arguments...]
set -eu
work=$(mktemp -d)
xvfb=""
wm=""
stop() {
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    [ -z "$wm" ] || wait "$wm" 2>/dev/null || true
    [ -z "$xvfb" ] || wait "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display number itself and writes it once it accepts clients, so parallel runs
# never race for one. Keys typed by a test are held for a moment at most: no autorepeat then.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ardelay 5000 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
tries=0
until grep -q '[0-9]' "$work/display" 2>/dev/null; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ] || ! kill -0 "$xvfb" 2>/dev/null; then
        echo "Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    sleep 0.05
done
DISPLAY=":$(tr -d '\n' <"$work/display")"
export DISPLAY
unset WAYLAND_DISPLAY

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
# The window manager is ready once it names itself on the root window.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ] || ! kill -0 "$wm" 2>/dev/null; then
        echo "openbox did not start:" >&2
        cat "$work/openbox.log" >&2
        exit 1
    fi
    sleep 0.05
done

mkdir -m 700 "$work/runtime"
status=0
XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb "$@" || status=$?
exit "$status"
