#!/bin/sh
# The Windows start-up bench: builds it in build-windows/ (beside quorvane.exe) and runs it under
# wine on a virtual display with a window manager, in a wine prefix of its own. It prints the
# medians of quorvane.exe and of a bare Win32 window of the same size, from start to first paint.
#
#   tools/bench-windows.sh [runs]
set -eu
cd "$(dirname "$0")/.."
tools/install-missing.sh cmake ninja-build g++-mingw-w64-x86-64-posix libgtest-dev nlohmann-json3-dev wine wine64 \
    xvfb openbox
build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_BENCH=ON
cmake --build "$build" --parallel 2 --target startup_win32_bench

WINEPREFIX="$(pwd)/$build/bench-prefix"
WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
mkdir -p "$WINEPREFIX"
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
openbox_pid=
stop() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -f "$displayfile"
}
trap stop EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
DISPLAY=:$(head -n 1 "$displayfile")
export DISPLAY
openbox >/dev/null 2>&1 &
openbox_pid=$!
wine64=/usr/lib/wine/wine64
[ -x "$wine64" ] || wine64=wine
"$wine64" cmd /c exit </dev/null >/dev/null 2>&1 || true
cd "$build/src/win32"
"$wine64" startup_win32_bench.exe "${1:-11}"
