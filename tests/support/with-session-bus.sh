#!/bin/sh
# Runs a test on a private session bus (dbus-run-session) with a home, data and runtime folder of
# its own under one temporary folder: gvfs's metadata daemon, which the bus starts on demand, keeps
# its store there and ends with the bus. The bus and its daemons write into a log beside them, so
# that nothing they leave running holds the test runner's output open; the folder is removed
# afterwards.
set -eu
root=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-bus.XXXXXX")

# The daemons leave when the bus goes, the metadata daemon after writing its store: the folder is
# removed once no process started with it in its environment is left (at most a few seconds).
cleanup() {
    tries=0
    while [ "$tries" -lt 50 ] && grep -qs -F "$root" /proc/[0-9]*/environ; do
        sleep 0.1
        tries=$((tries + 1))
    done
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
mkdir -m 700 "$root/home" "$root/runtime"
HOME="$root/home"
XDG_RUNTIME_DIR="$root/runtime"
XDG_DATA_HOME="$root/home/.local/share"
XDG_CACHE_HOME="$root/home/.cache"
XDG_CONFIG_HOME="$root/home/.config"
export HOME XDG_RUNTIME_DIR XDG_DATA_HOME XDG_CACHE_HOME XDG_CONFIG_HOME
unset DISPLAY WAYLAND_DISPLAY

# The test's own output goes through a file descriptor the daemons do not inherit.
exec 3>&1 4>&2
status=0
dbus-run-session -- sh -c 'exec "$@" >&3 2>&4 3>&- 4>&-' test "$@" >"$root/bus.log" 2>&1 3>&3 4>&4 || status=$?
exec 3>&- 4>&-
if [ "$status" -ne 0 ] && [ -s "$root/bus.log" ]; then
    echo "--- session bus log ---" >&2
    cat "$root/bus.log" >&2
fi
exit "$status"
