#!/usr/bin/env bash
# Runs each fuzzer briefly over its corpus; skipped (77) where they were not built.
build=$1
seconds=${2:-10}
[ -x "$build/fuzz/fuzz_roundtrip" ] || { echo "fuzzers not built: skipped"; exit 77; }
# The fuzzers' own sanitizer settings, whatever the surrounding run asked for.
unset ASAN_OPTIONS UBSAN_OPTIONS
exec bash "$(dirname "$0")/../../fuzz/run.sh" "$build" "$seconds"
