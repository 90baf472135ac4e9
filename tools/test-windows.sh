#!/bin/sh
# Builds the Qt-free core, the native Windows program and their tests for 64-bit Windows (MinGW-w64,
# in build-windows/) and runs them under wine with ctest, on a virtual display of its own. Installs
# what is missing first (as root, on Debian 12).
set -eu
cd "$(dirname "$0")/.."
# wine64 alone runs 64-bit programs: no i386 architecture is needed.
# Xvfb and openbox: the virtual display and window manager of the tests that make windows; xdotool
# gives them real input; x11-utils (xwininfo, xprop) and python3: the test that reads the windows
# from the X side.
tools/install-missing.sh cmake ninja-build g++-mingw-w64-x86-64-posix libgtest-dev nlohmann-json3-dev libutfcpp-dev wine wine64 \
    xvfb openbox xdotool x11-utils python3

build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_BENCH=OFF
cmake --build "$build" --parallel 2
# The zip and the installer, which the installer's test installs.
tools/package-windows.sh

# A private prefix, no debug output. The wine server is started beforehand and
# stopped afterwards: ctest would otherwise wait for the one the first test leaves running.
WINEPREFIX="$(pwd)/$build/wineprefix"
WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$WINEPREFIX"

# A virtual display of our own with a window manager: tests that make windows use it; the others
# run without a display.
. tools/wine-display.sh

ctest --test-dir "$build" --output-on-failure --parallel 2

# DOS attributes are one representation on both sides: the Linux build's check against this one.
if [ -f build/CMakeCache.txt ]; then
    cmake --build build --parallel 2 --target wine_attributes_test
    QUORVANE_REQUIRE_WINE=1 ctest --test-dir build -R '^wine_attributes_test$' --output-on-failure
else
    echo "No Linux build in build/ (tools/setup.sh makes one): the wine attribute check is left out."
fi
