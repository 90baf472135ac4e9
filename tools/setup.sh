#!/bin/sh
# Installs what is missing from tools/debian-packages.txt (as root, on Debian 12) and builds.
set -eu
cd "$(dirname "$0")/.."
packages=$(grep -v '^#' tools/debian-packages.txt | tr '\n' ' ')
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $missing
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel
