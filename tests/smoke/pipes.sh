#!/usr/bin/env bash
# The real binary started on a named pipe or a device: it must not wait on the file.
# It says it could not open it and ends, and the next start is not refused as a
# second copy.
set -euo pipefail
tavlo=$1

source "$(dirname "$0")/xvfb.sh"
need Xvfb xdotool
xvfb_session

mkfifo "$work/pipe.gif"
ln -s /dev/zero "$work/device.jpg"
for file in "$work/pipe.gif" "$work/device.jpg"; do
    "$tavlo" "$file" &
    pid=$!
    pids+=($pid)
    msg=$(wait_window --pid $pid) || fail "$(basename "$file"): no message, the program waits on the file"
    [ "$(xdotool getwindowname "$msg")" != "Tavlo Note" ] || fail "refused as a second copy"
    xdotool windowfocus --sync "$msg" key Return
    wait_exit $pid || fail "$(basename "$file"): non-zero exit"
    echo "pipes: $(basename "$file") refused"
done
