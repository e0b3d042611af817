#!/usr/bin/env bash
# The real binary started on a named pipe or a device: it must not wait on the file.
# It says it could not open it and ends, and the next start is not refused as a
# second copy.
set -euo pipefail
tavlo=$1

fail() { echo "pipes: FAIL: $*" >&2; exit 1; }
for tool in Xvfb xdotool; do command -v $tool >/dev/null || fail "$tool is not installed"; done

source "$(dirname "$0")/xvfb.sh"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    xvfb_stop
}
trap cleanup EXIT
xvfb_start || fail "Xvfb did not start"

mkfifo "$work/pipe.gif"
ln -s /dev/zero "$work/device.jpg"
for file in "$work/pipe.gif" "$work/device.jpg"; do
    "$tavlo" "$file" &
    pid=$!
    pids+=($pid)
    msg=$(timeout 20 xdotool search --sync --onlyvisible --pid $pid | head -n 1) ||
        fail "$(basename "$file"): no message, the program waits on the file"
    [ "$(xdotool getwindowname "$msg")" != "Tavlo Note" ] || fail "refused as a second copy"
    xdotool windowfocus --sync "$msg" key Return
    timeout 20 tail --pid=$pid -f /dev/null || fail "$(basename "$file"): the program did not end"
    wait $pid || fail "$(basename "$file"): non-zero exit"
    echo "pipes: $(basename "$file") refused"
done
