#!/usr/bin/env bash
# Runs one fuzzer (or, with no name, each) briefly over its corpus; skipped (77) where
# the fuzzers were not built.
# usage: fuzzshort.sh <build-fuzz> [seconds] [fuzzer]
build=$1
seconds=${2:-10}
[ -x "$build/fuzz/${3:-fuzz_roundtrip}" ] || { echo "fuzzers not built: skipped"; exit 77; }
# The fuzzers' own sanitizer settings, whatever the surrounding run asked for.
unset ASAN_OPTIONS UBSAN_OPTIONS
# The same seed every time, so that a test run fails for a change, not for the luck of
# the draw; `make fuzz` explores with fresh seeds.
export TAVLO_FUZZ_SEED=${TAVLO_FUZZ_SEED:-1}
exec bash "$(dirname "$0")/../../fuzz/run.sh" "$build" "$seconds" ${3:+"$3"}
