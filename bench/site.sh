#!/usr/bin/env bash
# A whole site through tavlo-map check, beside HTMLHint and html-validate: 2,000
# pages in folders, first with a map on one page in ten, then on every page.
# Prints pages per second and how many times the others' tavlo-map checks.
# usage: bench/site.sh <builddir> [pages]
# TAVLO_BENCH_TOOLS="htmlhint" leaves html-validate, which takes minutes, out.
set -euo pipefail

build="$1"
pages="${2:-2000}"
here="$(cd "$(dirname "$0")" && pwd)"
tavlo_map="$build/tavlo-map"
[ -x "$tavlo_map" ] || { echo "$0: no $tavlo_map" >&2; exit 1; }

npm_dir="$build/npm"
if command -v npm >/dev/null; then
    [ -x "$npm_dir/node_modules/.bin/htmlhint" ] && [ -x "$npm_dir/node_modules/.bin/html-validate" ] ||
        npm install --silent --no-audit --no-fund --prefix "$npm_dir" htmlhint html-validate >/dev/null ||
        echo "$0: npm could not install htmlhint and html-validate; tavlo-map alone" >&2
else
    echo "$0: no npm; tavlo-map alone, without HTMLHint and html-validate" >&2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A page of an ordinary site: navigation, text, a table; every ${1}th one has a map.
make_site() {
    local site="$1" every="$2" i folder
    mkdir -p "$site/img"
    cp "$here/../examples/harbour.gif" "$site/img/harbour.gif"
    local body
    body="$(for p in $(seq 1 30); do
        printf '<p class="text">Paragraph %d of an ordinary page, with <a href="/p/%d.html">a link</a> and <em>some</em> words &amp; entities.</p>\n' "$p" "$p"
    done)
<table><tr><th>Name</th><th>Value</th></tr>$(for r in $(seq 1 20); do printf '<tr><td>row %d</td><td>%d</td></tr>' "$r" "$((r * 7))"; done)</table>"
    local map='<img src="/img/harbour.gif" width="640" height="400" usemap="#harbour" alt="The harbour">
<map name="harbour">
  <area shape="rect" coords="10,10,200,120" href="/docks.html" alt="Docks">
  <area shape="circle" coords="400,200,60" href="/light.html" alt="Lighthouse">
  <area shape="poly" coords="300,300,360,280,420,330,380,390,310,370" href="/pier.html" alt="Pier">
  <area shape="rect" coords="500,20,630,110" href="/office.html" alt="Harbour office">
  <area shape="rect" coords="20,250,180,390" href="/market.html" alt="Fish market">
  <area shape="circle" coords="560,320,40" href="/buoy.html" alt="Buoy">
</map>'
    for i in $(seq 0 $((pages - 1))); do
        folder="$site/section$((i % 20))/part$((i % 7))"
        mkdir -p "$folder"
        {
            printf '<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n<title>Page %d</title>\n</head>\n<body>\n<nav><ul><li><a href="/">Home</a></li><li><a href="/about.html">About</a></li></ul></nav>\n<h1>Page %d</h1>\n' "$i" "$i"
            [ $((i % every)) -eq 0 ] && printf '%s\n' "$map"
            printf '%s\n</body>\n</html>\n' "$body"
        } >"$folder/page$i.html"
    done
}

# Seconds for one whole run of a command, the best of $runs, by hyperfine if present.
runs=3
seconds() {
    if command -v hyperfine >/dev/null; then
        hyperfine --style none --runs "$runs" -i --export-json "$work/h.json" "$*" >/dev/null 2>&1
        python3 -c 'import json,sys; print(min(json.load(open(sys.argv[1]))["results"][0]["times"]))' "$work/h.json"
    else
        local best="" t0 t1 t r
        for r in $(seq 1 "$runs"); do
            t0=$(date +%s.%N)
            "$@" >/dev/null 2>&1 || true
            t1=$(date +%s.%N)
            t=$(echo "$t1 - $t0" | bc -l)
            if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
        done
        echo "$best"
    fi
}

for every in 10 1; do
    site="$work/site$every"
    make_site "$site" "$every"
    echo "== $pages pages, a map on one page in $every"
    runs=5
    ours=$(seconds "$tavlo_map" check --root "$site" "$site")
    printf '%-14s %8.0f pages/s\n' tavlo-map "$(echo "$pages / $ours" | bc -l)"
    for tool in ${TAVLO_BENCH_TOOLS:-htmlhint html-validate}; do
        program="$npm_dir/node_modules/.bin/$tool"
        [ -x "$program" ] || continue
        # html-validate takes minutes a run: once.
        runs=3
        [ "$tool" = html-validate ] && runs=1
        theirs=$(seconds "$program" "$site")
        printf '%-14s %8.0f pages/s   tavlo-map: %.1f times as fast\n' "$tool" \
            "$(echo "$pages / $theirs" | bc -l)" "$(echo "$theirs / $ours" | bc -l)"
    done
done
