#!/usr/bin/env bash
# On a Wayland desktop that also has an X server (XWayland), the real binary runs on X,
# where it may place its windows: weston's headless back end stands in for the desktop,
# Xvfb for its X server. Skipped (77) without weston or Qt's Wayland plugin.
set -euo pipefail
tavlo=$1

fail() { echo "wayland: FAIL: $*" >&2; exit 1; }
command -v weston >/dev/null || { echo "wayland: weston is not installed"; exit 77; }
dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null | grep -q "install ok installed" ||
    { echo "wayland: qt6-wayland is not installed"; exit 77; }
for tool in Xvfb xdotool; do command -v $tool >/dev/null || fail "$tool is not installed"; done

source "$(dirname "$0")/xvfb.sh"
xvfb_session || fail "Xvfb did not start"

weston --backend=headless-backend.so --socket=tavlo-wayland --idle-time=0 --no-config \
    >"$work/weston.log" 2>&1 &
pids+=($!)
timeout 10 bash -c 'until [ -S "$0" ]; do :; done' "$XDG_RUNTIME_DIR/tavlo-wayland" ||
    fail "weston made no socket: $(cat "$work/weston.log")"
export WAYLAND_DISPLAY=tavlo-wayland XDG_SESSION_TYPE=wayland

"$tavlo" &
pids+=($!)
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tavlo$' | head -n 1) ||
    fail "no window on the X display: Tavlo ran on Wayland"
echo "wayland: main window on the X display"
xdotool windowfocus --sync "$main" key Escape
timeout 20 tail --pid="${pids[1]}" -f /dev/null || fail "Esc did not end the program"
