#!/usr/bin/env bash
# On a Wayland desktop that also has an X server (XWayland), the real binary runs on X,
# where it may place its windows: weston's headless back end stands in for the desktop,
# Xvfb for its X server. Skipped (77) without weston or Qt's Wayland plugin.
set -euo pipefail
tavlo=$1

command -v weston >/dev/null || { echo "wayland: weston is not installed"; exit 77; }
dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null | grep -q "install ok installed" ||
    { echo "wayland: qt6-wayland is not installed"; exit 77; }
source "$(dirname "$0")/xvfb.sh"
need Xvfb xdotool
xvfb_session

weston --backend=headless-backend.so --socket=tavlo-wayland --idle-time=0 --no-config \
    >"$work/weston.log" 2>&1 &
pids+=($!)
timeout 10 bash -c 'until [ -S "$0" ]; do :; done' "$XDG_RUNTIME_DIR/tavlo-wayland" ||
    fail "weston made no socket: $(cat "$work/weston.log")"
export WAYLAND_DISPLAY=tavlo-wayland XDG_SESSION_TYPE=wayland

"$tavlo" &
pids+=($!)
main=$(wait_window --name '^Tavlo$') || fail "no window on the X display: Tavlo ran on Wayland"
echo "wayland: main window on the X display"
xdotool windowfocus --sync "$main" key Escape
wait_exit "${pids[1]}" || fail "Esc did not end the program cleanly"
