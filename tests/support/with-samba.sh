#!/bin/sh
# Runs a test beside a private Samba server: Debian's smbd on 127.0.0.1 and a free high port, with
# a configuration of its own, its lock, state, cache, pid and private folders, and a guest share
# (named after this script's pid, so that no other server answers for it) over an empty folder,
# all under one temporary folder. The test finds them in QUORVANE_SMB_PORT, QUORVANE_SMB_SHARE,
# QUORVANE_SMB_PATH (the shared folder) and QUORVANE_SMB_CONF (the configuration, for smbclient).
# The server is stopped by its pid and the folder removed, whatever the test's outcome.
set -eu
root=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-samba.XXXXXX")
pid=""
guard=""
stop() {
    if [ -n "$guard" ]; then
        kill "$guard" 2>/dev/null || true
        guard=""
    fi
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        pid=""
    fi
}
trap 'stop; rm -rf "$root"' EXIT
trap 'exit 1' INT TERM HUP
mkdir "$root/lock" "$root/state" "$root/cache" "$root/pid" "$root/private" "$root/ncalrpc" "$root/share"
share="quorvane$$"
conf="$root/smb.conf"
TZ=UTC  # smbclient shows and reads times in the local zone
export TZ

# Starts smbd on port $1 and waits until it serves the share; fails when it cannot (the port taken).
serve() {
    cat >"$conf" <<EOF
[global]
    server role = standalone server
    interfaces = 127.0.0.1
    bind interfaces only = yes
    smb ports = $1
    disable netbios = yes
    lock directory = $root/lock
    state directory = $root/state
    cache directory = $root/cache
    pid directory = $root/pid
    private dir = $root/private
    ncalrpc dir = $root/ncalrpc
    log file = $root/smbd.log
    load printers = no
    printing = bsd
    printcap name = /dev/null
    disable spoolss = yes
    map to guest = Bad User
    store dos attributes = yes
[$share]
    path = $root/share
    guest ok = yes
    guest only = yes
    read only = no
    force user = root
EOF
    # smbd makes a session of its own (it signals its whole process group when it ends); a guard
    # outside this script's group stops it should this script be killed before it could.
    smbd --foreground --configfile="$conf" </dev/null >>"$root/smbd.log" 2>&1 &
    pid=$!
    setsid sh -c 'while kill -0 "$1" 2>/dev/null; do sleep 1; done; kill "$2" 2>/dev/null' guard $$ "$pid" \
        </dev/null >/dev/null 2>&1 &
    guard=$!
    tries=0
    while [ "$tries" -lt 100 ]; do
        if ! kill -0 "$pid" 2>/dev/null; then
            stop
            return 1
        fi
        smbclient "//127.0.0.1/$share" -p "$1" -N -s "$conf" -c ls >/dev/null 2>&1 && return 0
        sleep 0.1
        tries=$((tries + 1))
    done
    stop
    return 1
}

port=""
for attempt in 1 2 3 4 5; do
    candidate=$((20000 + $(od -An -N2 -tu2 /dev/urandom) % 40000))
    if serve "$candidate"; then
        port=$candidate
        break
    fi
done
if [ -z "$port" ]; then
    echo "smbd did not start:" >&2
    cat "$root/smbd.log" >&2
    exit 1
fi

QUORVANE_SMB_PORT=$port
QUORVANE_SMB_SHARE=$share
QUORVANE_SMB_PATH=$root/share
QUORVANE_SMB_CONF=$conf
export QUORVANE_SMB_PORT QUORVANE_SMB_SHARE QUORVANE_SMB_PATH QUORVANE_SMB_CONF
status=0
"$@" || status=$?
stop
exit "$status"
