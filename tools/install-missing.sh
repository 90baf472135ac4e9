#!/bin/sh
# Installs those of the named Debian packages that are not installed yet (as root, with apt-get).
# Services that a package would start (Samba's, for one) are not started: the tests start servers
# of their own, on the loopback address only.
set -eu
missing=""
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    policy=/usr/sbin/policy-rc.d
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\n# made by Quorvane'"'"'s tools/install-missing.sh while it installs\nexit 101\n' >"$policy"
        chmod 755 "$policy"
        trap 'rm -f "$policy"' EXIT
    fi
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $missing
fi
