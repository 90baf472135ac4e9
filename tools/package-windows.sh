#!/bin/sh
# Builds the Windows packages from the Windows build (build-windows/, made first if missing):
# build-windows/quorvane-<version>-win64.zip, the portable program, and
# build-windows/quorvane-<version>-win64.exe, its installer (NSIS). Installs what is missing first
# (as root, on Debian 12).
set -eu
cd "$(dirname "$0")/.."
tools/install-missing.sh cmake ninja-build g++-mingw-w64-x86-64-posix libgtest-dev nlohmann-json3-dev nsis zip

build=build-windows
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_BENCH=OFF
fi
cmake --build "$build" --parallel 2
# Only the program goes into the packages (its one install rule): the tests are no part of them.
(cd "$build" && cpack -G "ZIP;NSIS" >cpack.log 2>&1) || { cat "$build/cpack.log" >&2; exit 1; }
ls -l "$build"/quorvane-*-win64.zip "$build"/quorvane-*-win64.exe
