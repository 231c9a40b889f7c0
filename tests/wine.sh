# What the Wine test scripts share, on the X server, sound server and Wine
# prefix of scripts/with-wine.
fail() { echo "FAIL: $*" >&2; exit 1; }
# Waits up to 30 s for a condition.
await() { for _ in $(seq 150); do eval "$1" && return 0; sleep 0.2; done; fail "timed out: $1"; }
# The shown window of that title (a pattern), by default Kavlo's.
window() { xdotool search --onlyvisible --name "^${1:-KavloVer2\.0}\$" 2>/dev/null | head -n 1; }
# The sounds started on the sound server, as `pactl subscribe` logged them in $events.
streams() { grep -c "'new' on sink-input" "$events" || true; }
