# Private servers for one run, sourced by the scripts that start them
# (with-test-servers, with-wine, bench/run). Sourcing makes a run folder,
# $run, with a private runtime folder and home, and stops every server and
# removes the folder when the script exits; each start_ function starts one
# server there and waits until it answers.
run=$(mktemp -d)
pids=()
stop_servers() {
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$run"
}
trap stop_servers EXIT
mkdir -m 700 "$run/xdg" "$run/home" "$run/server-home"
export XDG_RUNTIME_DIR="$run/xdg"
unset WAYLAND_DISPLAY SESSION_MANAGER

# await WHAT LOG COMMAND...: waits up to 10 s for COMMAND to succeed, or shows LOG and fails
# (which ends the sourcing script, as it runs with set -e).
await() {
    local what=$1 log=$2
    shift 2
    for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return; sleep 0.1; done
    cat "$log" >&2
    echo "$what did not start" >&2
    return 1
}

# start_xvfb VARIABLE NAME [ARG...]: an Xvfb of 1280×1024, named in VARIABLE.
# It never resets: by default an X server resets when its last client leaves,
# and drops a client that connects meanwhile, as one test may while another ends.
start_xvfb() {
    local variable=$1 name=$2
    shift 2
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset "$@" 3>"$run/$name-display" 2>"$run/$name-xvfb.log" &
    pids+=($!)
    await "the X server $name" "$run/$name-xvfb.log" test -s "$run/$name-display"
    export "$variable=:$(cat "$run/$name-display")"
    await "the X server $name" "$run/$name-xvfb.log" xprop -display "${!variable}" -root
}

# start_window_manager VARIABLE NAME COMMAND...: an Xvfb of its own, named in
# VARIABLE, managed by COMMAND with its default configuration. A window manager
# that does not come up is started once more, after both logs are shown.
start_window_manager() {
    local variable=$1 name=$2 attempt wm
    shift 2
    start_xvfb "$variable" "$name"
    for attempt in 1 2; do
        DISPLAY=${!variable} HOME="$run/server-home" "$@" >"$run/$name.log" 2>&1 &
        wm=$!
        pids+=($wm)
        await "$name" "$run/$name.log" sh -c "DISPLAY=${!variable} xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" \
            && return
        cat "$run/$name-xvfb.log" >&2
        kill "$wm" 2>/dev/null || true
        wait "$wm" 2>/dev/null || true
    done
    exit 1
}

# start_sound_server: PulseAudio with a null sink, named in PULSE_SERVER.
start_sound_server() {
    HOME="$run/server-home" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        -L "module-null-sink sink_name=null" \
        -L "module-native-protocol-unix socket=$run/pulse.sock auth-anonymous=1" >"$run/pulse.log" 2>&1 &
    pids+=($!)
    export PULSE_SERVER="unix:$run/pulse.sock"
    await "the sound server" "$run/pulse.log" pactl info
}

# start_session_bus: a session bus with the accessibility bus (AT-SPI) on it.
# The bus launcher is started here, not on demand by the session bus, so that
# it is stopped with the rest; it stops the accessibility bus it started.
start_session_bus() {
    dbus-daemon --session --nofork --print-address=3 3>"$run/dbus-address" >"$run/dbus.log" 2>&1 &
    pids+=($!)
    await "the session bus" "$run/dbus.log" test -s "$run/dbus-address"
    export DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$run/dbus-address")"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$run/at-spi.log" 2>&1 &
    pids+=($!)
    await "the accessibility bus" "$run/at-spi.log" \
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
}

# start_wayland VARIABLE: a headless Weston, named in VARIABLE rather than
# WAYLAND_DISPLAY, so that only the tests that ask for it use it.
start_wayland() {
    weston --backend=headless-backend.so --socket=kavlo-test --idle-time=0 >"$run/weston.log" 2>&1 &
    pids+=($!)
    await "weston" "$run/weston.log" test -S "$XDG_RUNTIME_DIR/kavlo-test"
    export "$1=kavlo-test"
}

# start_wine: a 64-bit Wine prefix without the .NET and HTML engines, which
# Wine would offer to download, nor menu entries on the Linux side for its
# Start menu; one Wine server kept running for every program of the run.
start_wine() {
    export WINEPREFIX="$run/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    mkdir "$WINEPREFIX"
    wineserver -p
    wineboot -i >"$run/wineboot.log" 2>&1 || { cat "$run/wineboot.log" >&2; echo "the Wine prefix was not made" >&2; exit 1; }
    # Debian's Wine does not find its own fonts (fonts-wine) where it looks for
    # them, and without Marlett draws its title-bar buttons as "0 1 r"; it
    # reads the prefix's font folder too, which links them.
    ln -s /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # Wine's desktop process is started by the first program that needs it,
    # holds that program's error output open, and lives while any program
    # does: a test that started it would wait for the run's last program to
    # end. So it is started here, kept alive by a program waiting on a pipe
    # that this shell holds open until it exits.
    coproc WINE_KEEPER { exec wine cmd /c "set /p x=" >>"$run/wineboot.log" 2>&1; }
    wine rundll32.exe user32.dll,GetDesktopWindow >>"$run/wineboot.log" 2>&1
}
