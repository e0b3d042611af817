#!/bin/sh
# Builds the artwork generator in /tmp (needs `bash tools/deps.sh artwork`), draws every picture and turns the GIF ones into GIF.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=/tmp/tavlo-artwork-build
scratch=/tmp/tavlo-artwork-out
im=/usr/bin/convert

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build"
rm -f "$scratch"/*.png
QT_QPA_PLATFORM=offscreen "$build/tavlo-artwork" "$root" "$scratch" "$@"

for name in harbour floorplan; do
    [ -f "$scratch/$name.png" ] || continue
    "$im" "$scratch/$name.png" -alpha off -dither FloydSteinberg -colors 256 \
        "$root/examples/$name.gif"
    echo "wrote $root/examples/$name.gif"
done
