# Sourced by the scripts that run the real program: a private virtual X display
# and a private home, so nothing touches the user's screen or files.
# xvfb_start [screen]: sets work, xvfb, DISPLAY, HOME, the XDG folders and the bus.
xvfb_start() {
    work=$(mktemp -d)
    export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
    export XDG_RUNTIME_DIR=$work/run
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    # No session bus, and none started: the menu bar asks the bus for a desktop's global
    # menu and would wait on a slow one, and libdbus would try to launch one itself.
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
    unset QT_QPA_PLATFORM
    # Xvfb picks a free display and tells us its number.
    exec 3<> >(:)
    Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    local display
    read -r -t 20 display <&3 || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$display
}

xvfb_stop() {
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}

# The tests' own steps, each failing with the script's name.
fail() { echo "$(basename "$0" .sh): FAIL: $*" >&2; exit 1; }
need() { for tool; do command -v "$tool" >/dev/null || fail "$tool is not installed"; done; }

# xvfb_session [screen]: xvfb_start, and at exit ends every process listed in the
# array pids, then the display.
xvfb_session() {
    pids=()
    trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; xvfb_stop' EXIT
    xvfb_start "$@" || fail "Xvfb did not start"
}

# wait_window xdotool-search-options: the first visible window that matches.
wait_window() { timeout 20 xdotool search --sync --onlyvisible "$@" | head -n 1; }

# wait_exit pid: waits at most 20 s for the process to end; returns its exit code.
wait_exit() {
    local code=0
    timeout 20 tail --pid="$1" -f /dev/null || fail "process $1 did not end"
    wait "$1" || code=$?
    return $code
}
