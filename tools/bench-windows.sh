#!/bin/sh
# The Windows start-up bench: builds it in build-windows/ (beside quorvane.exe) and runs it under
# wine on a virtual display with a window manager, in a wine prefix of its own. It prints the
# medians of quorvane.exe and of a bare Win32 window of the same size, from start to first paint.
# Other builds of the program copied beside quorvane.exe are taken in the same turns when named.
#
#   tools/bench-windows.sh [runs] [program.exe...]
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
. tools/wine-display.sh
cd "$build/src/win32"
runs=${1:-11}
[ $# -gt 0 ] && shift
"$wine64" startup_win32_bench.exe "$runs" "$@"
