#!/usr/bin/env bash
# Runs every fuzzer built in <builddir>/fuzz, or only those named, for [seconds] (default
# 60) over its seed corpus fuzz/corpus/<name>/ (fuzz_foreignpage's also from
# tests/pages), after replaying the kept crash inputs fuzz/crashes/<name>-*.
# New inputs the fuzzers find go to <builddir>/fuzz/work/<name>/; with TAVLO_FUZZ_MERGE=1
# the ones that add coverage are merged into the seed corpus afterwards.
# Exits non-zero when any fuzzer crashes, hangs, runs out of memory or a sanitizer
# reports; the input that did it is left in <builddir>/fuzz/artifacts/.
set -uo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 <builddir> [seconds] [fuzzer...]" >&2
    exit 2
fi
build="$1/fuzz"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
names=(fuzz_imageinfo fuzz_htmlpage fuzz_mapreader fuzz_roundtrip fuzz_foreignpage)
if [ $# -gt 2 ]; then
    names=("${@:3}")
fi

for name in "${names[@]}"; do
    if [ ! -x "$build/$name" ]; then
        echo "$0: $build/$name is missing (configure with clang and -DTAVLO_FUZZ=ON)" >&2
        exit 1
    fi
done

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
mkdir -p "$build/artifacts"
status=0
for name in "${names[@]}"; do
    seeds="$here/corpus/$name"
    work="$build/work/$name"
    mkdir -p "$work"
    flags=(-max_len=65536 -timeout=10 -rss_limit_mb=4096 -print_final_stats=1
           -artifact_prefix="$build/artifacts/$name-")
    [ "$name" != fuzz_imageinfo ] && flags+=(-dict="$here/tavlo.dict")
    [ -n "${TAVLO_FUZZ_SEED:-}" ] && flags+=(-seed="$TAVLO_FUZZ_SEED")
    # The test pages seed the page reader too; they are kept once, in tests/pages.
    pages=()
    if [ "$name" = fuzz_foreignpage ]; then
        pages=("$build/pages")
        mkdir -p "$build/pages"
        cp "$here/../tests/pages/"*.htm "$here/../tests/pages/"*.tavl "$build/pages/"
    fi

    shopt -s nullglob
    crashes=("$here/crashes/$name"-*)
    shopt -u nullglob
    if [ ${#crashes[@]} -gt 0 ]; then
        echo "== $name: ${#crashes[@]} kept crash inputs"
        if ! "$build/$name" "${flags[@]}" "${crashes[@]}" >"$build/$name.replay.log" 2>&1; then
            echo "$name: a kept crash input fails again, see $build/$name.replay.log" >&2
            tail -n 30 "$build/$name.replay.log" >&2
            status=1
            continue
        fi
    fi

    echo "== $name: ${seconds} s"
    if "$build/$name" "${flags[@]}" -max_total_time="$seconds" "$work" "$seeds" \
        "${pages[@]}" >"$build/$name.log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^Done ' "$build/$name.log" || true
    else
        echo "$name: FAILED, see $build/$name.log and $build/artifacts/" >&2
        tail -n 40 "$build/$name.log" >&2
        status=1
        continue
    fi
    if [ "${TAVLO_FUZZ_MERGE:-0}" = 1 ]; then
        "$build/$name" "${flags[@]}" -merge=1 "$seeds" "$work" >"$build/$name.merge.log" 2>&1 ||
            status=1
    fi
done
exit "$status"
