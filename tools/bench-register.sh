#!/bin/sh
# The list window with long registers on both front ends, measured in one run on one virtual display
# with a window manager: bench/register_bench with the Qt program's windows (built in build/, on the
# display through xcb) and register_win32_bench with the Windows program's windows under wine (built
# in build-windows/, in a wine prefix of its own), each timed the same way inside its process.
# Registers of 10 000, 100 000 and 1 000 000 lines of 60-character paths; each prints the time from
# the press on "Show Folder" to the list window painted, the list window's "Show Folder" until its
# message (the register rewritten) and the program's peak memory.
#
#   tools/bench-register.sh [runs]
set -eu
cd "$(dirname "$0")/.."
runs=${1:-3}
tools/install-missing.sh cmake ninja-build g++-mingw-w64-x86-64-posix libgtest-dev nlohmann-json3-dev wine wine64 \
    xvfb openbox
[ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel 2 --target register_bench
build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_BENCH=ON
cmake --build "$build" --parallel 2 --target register_win32_bench

WINEPREFIX="$(pwd)/$build/bench-prefix"
WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
mkdir -p "$WINEPREFIX"
. tools/wine-display.sh

QT_QPA_PLATFORM=xcb build/bench/register_bench "$runs"
echo
cd "$build/src/win32"
"$wine64" register_win32_bench.exe "$runs"
