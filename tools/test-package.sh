#!/bin/sh
# Packs the program built by tools/setup.sh into a .deb, checks what it installs, installs it and
# starts it as a freshly made normal user on the offscreen platform: the program must come up and
# keep its register in that user's data folder. Run as root, after tools/setup.sh; removes the
# package and the user again.
set -eu
cd "$(dirname "$0")/.."

tools/install-missing.sh dpkg-dev desktop-file-utils passwd

rm -f build/quorvane_*.deb
(cd build && cpack -G DEB >cpack.log 2>&1) || { cat build/cpack.log >&2; exit 1; }
deb=$(ls build/quorvane_*.deb)
echo "package: $deb"
dpkg-deb --field "$deb" Depends

stage=$(mktemp -d)
user=quorvane-check-$$
cleanup() {
    rm -rf "$stage"
    userdel -r "$user" >/dev/null 2>&1 || true
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq quorvane >/dev/null 2>&1 || true
}
trap cleanup EXIT

dpkg-deb -x "$deb" "$stage"
for f in usr/bin/quorvane usr/share/applications/quorvane.desktop \
         usr/share/icons/hicolor/48x48/apps/quorvane.png usr/share/icons/hicolor/32x32/apps/quorvane.png; do
    [ -f "$stage/$f" ] || { echo "the package lacks /$f" >&2; exit 1; }
done
desktop-file-validate "$stage/usr/share/applications/quorvane.desktop"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null

useradd --create-home --shell /bin/sh "$user"
home=$(getent passwd "$user" | cut -d: -f6)
install -d -m 700 -o "$user" "$home/.run"
# The program runs until it is closed: still running after a few seconds means it came up.
status=0
runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR="$home/.run" QT_LOGGING_RULES="quorvane.register.debug=true" \
    timeout 5 quorvane >"$stage/out.txt" 2>&1 || status=$?
cat "$stage/out.txt"
[ "$status" -eq 124 ] || { echo "quorvane ended early with status $status" >&2; exit 1; }
grep -qF "\"$home/.local/share/quorvane/l0g.ext\"" "$stage/out.txt" ||
    { echo "the register does not lie in $home/.local/share/quorvane" >&2; exit 1; }
echo "installed program runs for a normal user with its register in $home/.local/share/quorvane"
