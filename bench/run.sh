#!/usr/bin/env bash
# Runs every benchmark program built in <builddir>/bench and prints what it reports.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 <builddir>" >&2
    exit 2
fi
dir="$1/bench"
if [ ! -d "$dir" ]; then
    echo "$0: no benchmarks in $dir (configure with -DTAVLO_BENCH=ON)" >&2
    exit 1
fi

status=0
found=0
for program in "$dir"/bench_*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    found=1
    echo "== $(basename "$program")"
    "$program" || status=1
    echo
done
if [ -x "$dir/barewindow" ] && [ -x "$1/tavlo" ]; then
    echo "== start-up"
    bash "$(dirname "$0")/startup.sh" "$1/tavlo" "$dir/barewindow" \
        "$(dirname "$0")/../examples/harbour.gif" || status=1
fi
if [ -x "$1/tavlo-map" ]; then
    echo "== a whole site: tavlo-map check, HTMLHint, html-validate"
    bash "$(dirname "$0")/site.sh" "$1" || status=1
fi
if [ "$found" -eq 0 ]; then
    echo "$0: no bench_* programs in $dir" >&2
    exit 1
fi
exit "$status"
