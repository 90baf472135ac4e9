# Sourced by the scripts that run Windows programs under wine (WINEPREFIX set beforehand): a
# virtual display of our own (the first free number, which Xvfb reports) with a window manager —
# without one, activation and keyboard focus misbehave under wine — and the prefix's wine server
# and first process started on it. All of it stops when the script exits; a script that starts a
# program of its own puts its pid in wine_display_program_pid, and it is stopped first.
# Afterwards $wine64 runs 64-bit Windows programs.
wine_display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$wine_display_file" >/dev/null 2>&1 &
wine_display_xvfb=$!
wine_display_openbox=
wine_display_program_pid=
stop_wine_display() {
    [ -n "$wine_display_program_pid" ] && kill "$wine_display_program_pid" 2>/dev/null || true
    wineserver -k </dev/null >/dev/null 2>&1 || true
    [ -n "$wine_display_openbox" ] && kill "$wine_display_openbox" 2>/dev/null || true
    kill "$wine_display_xvfb" 2>/dev/null || true
    rm -f "$wine_display_file"
}
trap stop_wine_display EXIT
for _ in $(seq 100); do [ -s "$wine_display_file" ] && break; sleep 0.1; done
[ -s "$wine_display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(head -n 1 "$wine_display_file")
export DISPLAY
openbox >/dev/null 2>&1 &
wine_display_openbox=$!

wineserver -p </dev/null >/dev/null 2>&1 || true  # one already running for this prefix serves as well
wine64=/usr/lib/wine/wine64
[ -x "$wine64" ] || wine64=wine
"$wine64" cmd /c exit </dev/null >/dev/null 2>&1 || true
