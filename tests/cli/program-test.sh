#!/bin/sh
# The real program's command line with no display at all (no DISPLAY, WAYLAND_DISPLAY or
# QT_QPA_PLATFORM, a bare environment), read from outside: status, standard output and error, and
# the disk after each command (the attribute as getfattr reads it, ".hidden", the register's bytes).
# A folder hidden by another program is written with setfattr. Usage: program-test.sh PROGRAM
set -eu
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A portable copy: its register lies beside it, in the temporary folder.
mkdir "$work/bin" "$work/home"
cp "$program" "$work/bin/quorvane"
q() {
    env -i PATH=/usr/bin:/bin HOME="$work/home" LANG=C.UTF-8 "$work/bin/quorvane" "$@" \
        >"$work/out" 2>"$work/err" && status=0 || status=$?
}
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# expect NAME STATUS OUT ERR: the last command's status and outputs, exactly.
expect() {
    [ "$status" = "$2" ] || fail "$1: status $status, not $2"
    [ "$(cat "$work/out")" = "$3" ] || fail "$1: standard output was [$(cat "$work/out")], not [$3]"
    [ "$(cat "$work/err")" = "$4" ] || fail "$1: standard error was [$(cat "$work/err")], not [$4]"
}
dosattrib() { getfattr --only-values -n user.DOSATTRIB "$1" 2>/dev/null | tr -d '\0' || echo none; }
registerBytes() { od -An -c "$work/bin/l0g.ext" | tr -s ' \n' ' '; }

data=$work/data
mkdir -p "$data/Secret" "$data/Tree/Other" "$data/Tree/Visible"

q hide "$data/Secret"
expect hide 0 "The folder: 
$data/Secret
  it's not visible now" ""
[ "$(dosattrib "$data/Secret")" = "0x6" ] || fail "hide: the attribute is $(dosattrib "$data/Secret")"
[ "$(cat "$data/.hidden")" = "Secret" ] || fail "hide: .hidden holds $(cat "$data/.hidden")"
[ "$(registerBytes)" = "$(printf '%s\r\n' "$data/Secret" | od -An -c | tr -s ' \n' ' ')" ] ||
    fail "hide: the register holds $(registerBytes)"

q list
expect list 0 "$data/Secret" ""

# Hidden by another program: the attribute alone, as Samba or wine write it.
setfattr -n user.DOSATTRIB -v '"0x6"' "$data/Tree/Other"
q find-hidden "$data"
expect find-hidden 0 "$data/Tree/Other" ""
q find-hidden "$data" --register
expect "find-hidden --register" 0 "$data/Tree/Other" ""
q list
expect "list after --register" 0 "$data/Secret
$data/Tree/Other" ""

q show "$data/Tree/Other"
expect show 0 "The Folder: 
$data/Tree/Other
  it's visible now,.." ""
[ "$(dosattrib "$data/Tree/Other")" = "0x20" ] || fail "show: the attribute is $(dosattrib "$data/Tree/Other")"

q lock "$data/Tree/Visible" recycled-bin
expect lock 0 "Folder: 
$data/Tree/Visible
Locked!" ""
[ -d "$data/Tree/Visible.{645FF040-5081-101B-9F08-00AA002F954E}" ] || fail "lock: no disguised folder"
q unlock "$data/Tree/Visible.{645FF040-5081-101B-9F08-00AA002F954E}"
expect unlock 0 "Folder: 
$data/Tree/Visible.{645FF040-5081-101B-9F08-00AA002F954E}
Unlocked!" ""
[ -d "$data/Tree/Visible" ] || fail "unlock: the folder is not back"

q hide "$data/Missing"
expect "bad folder" 1 "" "quorvane: Run-time error '76':

Path not found: $data/Missing"
q lock "$data/Secret" attic
usage=$(sed -n '/^Usage:/,$p' "$work/err")
expect "unknown disguise" 2 "" "quorvane: unknown disguise: attic
$usage"
q unhide "$data/Secret"
expect "unknown command" 2 "" "quorvane: unknown command: unhide
$usage"
q hide
expect "missing argument" 2 "" "quorvane: missing argument: hide FOLDER
$usage"
q --version
expect --version 0 "quorvane $(sed -n 's/^project(quorvane VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")" ""

[ "$failures" -eq 0 ] || exit 1
echo "the command line ran every case without a display"
