#!/bin/sh
# Installs what is missing from tools/debian-packages.txt (as root, on Debian 12) and builds.
set -eu
cd "$(dirname "$0")/.."
tools/install-missing.sh $(grep -v '^#' tools/debian-packages.txt)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel
