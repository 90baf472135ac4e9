#!/bin/sh
# Packs the program built by tools/setup.sh into a .deb, checks what it installs, installs it and
# starts it as a freshly made normal user on the offscreen platform: the program must come up and
# keep its register in that user's data folder. Run as root, after tools/setup.sh; removes the
# package and the user again.
set -eu
cd "$(dirname "$0")/.."

tools/install-missing.sh dpkg-dev desktop-file-utils passwd attr

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
# Never the program that opens every folder: the desktop entry claims no folder type.
! grep -q '^MimeType=' "$stage/usr/share/applications/quorvane.desktop" ||
    { echo "quorvane.desktop declares a MimeType" >&2; exit 1; }

# The file managers' menus for folders.
dolphin=usr/share/kio/servicemenus/quorvane.desktop
nemo="usr/share/nemo/actions/quorvane-hide.nemo_action usr/share/nemo/actions/quorvane-show.nemo_action
      usr/share/nemo/actions/quorvane-lock.nemo_action usr/share/nemo/actions/quorvane-change-icon.nemo_action"
for f in $dolphin $nemo; do
    [ -f "$stage/$f" ] || { echo "the package lacks /$f" >&2; exit 1; }
done
# A KDE service menu is a desktop entry of type Service, whose MimeType and Actions the validator
# knows only for applications: those two remarks are the format itself, anything else is a fault.
desktop-file-validate "$stage/$dolphin" >"$stage/validate.txt" 2>&1 || true
if grep -v -e 'key "MimeType" is present in group "Desktop Entry", but the type is "Service"' \
        -e 'key "Actions" is present in group "Desktop Entry", but the type is "Service"' "$stage/validate.txt"; then
    echo "the Dolphin service menu is not valid" >&2
    exit 1
fi
for key in 'Type=Service' 'MimeType=inode/directory;' 'X-KDE-ServiceTypes=KonqPopupMenu/Plugin'; do
    grep -qx "$key" "$stage/$dolphin" || { echo "the Dolphin service menu lacks $key" >&2; exit 1; }
done
# Nemo reads [Nemo Action] key files: one action each, shown for a single folder.
for f in $nemo; do
    [ "$(head -n 1 "$stage/$f")" = "[Nemo Action]" ] || { echo "$f: no [Nemo Action] group" >&2; exit 1; }
    for key in 'Name=Quorvane: .*' 'Exec=quorvane .*%F' 'Selection=s' 'Extensions=dir;' 'Quote=double'; do
        grep -qx "$key" "$stage/$f" || { echo "$f lacks a line $key" >&2; exit 1; }
    done
    if grep -v -e '^\[Nemo Action\]$' -e '^[A-Za-z-]*=' "$stage/$f"; then
        echo "$f holds a line that is no key" >&2
        exit 1
    fi
done
echo "menus: the Dolphin service menu and the Nemo actions are valid"

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

# Each menu entry's command, as the file manager runs it for a folder of the user's, with no display
# for the quick ones: Hide hides and records the folder, Show makes it visible again, and the
# others open the window (still running after a few seconds).
folder="$home/My Folder"
runuser -u "$user" -- mkdir "$folder"
# run EXEC-LINE: the command with the folder in the place of %f / %F, quoted as the menus do.
run() {
    command="exec $(printf '%s' "$1" | sed -e 's/^Exec=//' -e "s|%[fF]|'$folder'|")"
    runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 ${2:-} sh -c "$command"
}
for menu in "$stage/$dolphin" "$stage/usr/share/nemo/actions/quorvane-hide.nemo_action"; do
    hide=$(grep -m1 '^Exec=quorvane hide' "$menu")
    run "$hide" >/dev/null
    [ "$(getfattr --absolute-names --only-values -n user.DOSATTRIB "$folder" | tr -d '\0')" = "0x6" ] ||
        { echo "$menu: Hide left the folder visible" >&2; exit 1; }
    grep -qxF "$folder$(printf '\r')" "$home/.local/share/quorvane/l0g.ext" ||
        { echo "$menu: Hide did not record the folder" >&2; exit 1; }
    show=$(grep -m1 '^Exec=quorvane show' "$menu" ||
           grep -m1 '^Exec=quorvane show' "$stage/usr/share/nemo/actions/quorvane-show.nemo_action")
    run "$show" >/dev/null
    [ "$(getfattr --absolute-names --only-values -n user.DOSATTRIB "$folder" | tr -d '\0')" = "0x20" ] ||
        { echo "$menu: Show left the folder hidden" >&2; exit 1; }
done
for exec in $(grep -h '^Exec=quorvane %[fF]$' "$stage/$dolphin" $(printf "$stage/%s " $nemo) | sort -u | tr ' ' '@'); do
    status=0
    run "$(echo "$exec" | tr '@' ' ')" "QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$home/.run timeout 5" || status=$?
    [ "$status" -eq 124 ] || { echo "$exec ended early with status $status" >&2; exit 1; }
done
echo "menus: Hide and Show work on the folder without a display; Lock… and Change Icon… open the window"
