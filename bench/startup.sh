#!/usr/bin/env bash
# Start-up to the first shown window, as a whole process on a virtual X display:
# Tavlo on an example picture against a bare Qt window program. The clock stops
# when the X server reports the program's first top-level window mapped.
# usage: startup.sh <tavlo> <barewindow> <picture> [runs]
set -euo pipefail
tavlo=$1 bare=$2 picture=$3 runs=${4:-15}

source "$(dirname "$0")/../tests/smoke/xvfb.sh"
bus=
trap '[ -z "$bus" ] || kill "$bus"; xvfb_stop' EXIT
xvfb_start
# A private session bus, as a desktop has: the menu bar asks it for a global menu. With
# no bus at all libdbus would try to launch one, which no desktop start pays.
read -r DBUS_SESSION_BUS_ADDRESS bus < <(dbus-daemon --session --fork --print-address=1 \
    --print-pid=1 | paste -sd ' ')
export DBUS_SESSION_BUS_ADDRESS

# Microseconds from start to the first MapNotify on the root window.
time_to_map() {
    local fifo=$work/events line start end pid xev= tries
    rm -f "$fifo"
    mkfifo "$fifo"
    # Read and write, so that the read neither waits for xev to open it nor ends with xev.
    exec 4<>"$fifo"
    # xev listens once it reports a change of the root window's property. Now and then
    # the server turns an xev away; another one is started then.
    for tries in $(seq 50); do
        if [ -z "$xev" ] || ! kill -0 "$xev" 2>/dev/null; then
            xev -root -event substructure -event property >"$fifo" 2>/dev/null &
            xev=$!
        fi
        xprop -root -f TAVLO_BENCH 8s -set TAVLO_BENCH ready && read -r -t 0.1 line <&4 && break
        [ "$tries" -lt 50 ] || { echo "xev does not listen" >&2; exit 1; }
    done
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 &
    pid=$!
    while read -r -t 20 line <&4; do
        case $line in MapNotify*) break ;; esac
    done
    end=$(date +%s%N)
    kill $pid $xev 2>/dev/null || true
    wait $pid $xev 2>/dev/null || true
    exec 4<&-
    echo $(((end - start) / 1000))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# One warm-up each: the first Tavlo start also writes the association files.
time_to_map "$tavlo" "$picture" >/dev/null
time_to_map "$bare" >/dev/null
# Turn about, so that a busy moment of the machine falls on both alike.
: >"$work/tavlo" >"$work/bare"
for _ in $(seq "$runs"); do
    time_to_map "$tavlo" "$picture" >>"$work/tavlo"
    time_to_map "$bare" >>"$work/bare"
done
t=$(median <"$work/tavlo")
b=$(median <"$work/bare")
awk -v t="$t" -v b="$b" -v runs="$runs" 'BEGIN {
    printf "start-up to first window (median of %d): tavlo %.1f ms, bare Qt window %.1f ms\n", runs, t / 1000, b / 1000 }'
awk -v t="$t" -v b="$b" 'BEGIN { printf "ratio tavlo / bare: %.2f (aim: at most 1.5)\n", t / b }'
