#!/usr/bin/env bash
# Takes the README's pictures: the real program on a virtual display, driven by
# xdotool. usage: tools/screenshots.sh <tavlo binary> [output folder]
set -euo pipefail
tavlo=$1
out=${2:-docs}
here=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out"

source "$here/tests/smoke/xvfb.sh"
trap xvfb_stop EXIT
xvfb_start 1024x768x24

"$tavlo" "$here/examples/harbour.gif" &
app=$!
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tavlo$' | head -n 1)
settle() { xdotool sync 2>/dev/null || true; timeout 2 xdotool search --sync --onlyvisible --pid $app >/dev/null; }
at() { xdotool mousemove --window "$main" "$1" "$2"; }
tool() { at 16 "$1"; xdotool mousedown 1 mouseup 1; }
drag() { at "$1" "$2"; xdotool mousedown 1; at $((($1 + $3) / 2)) $((($2 + $4) / 2)); at "$3" "$4"; xdotool mouseup 1; }

tool 40                                  # Square Area
drag 250 120 350 190                     # the market square
tool 78                                  # Circle
drag 478 300 538 300                     # the lighthouse
tool 116                                 # Polygon
for p in "100 300" "180 290" "200 360" "120 400" "90 380" "102 302"; do
    at ${p% *} ${p#* }
    xdotool mousedown 1 mouseup 1
done
settle
import -window root -crop 701x442+0+0 "$out/screenshot.png"

at 300 150                               # click the market square: the area dialog
xdotool mousedown 1 mouseup 1
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name 'Add a URL' | head -n 1)
xdotool windowfocus --sync "$dialog" type --delay 10 "market.htm"
settle
import -window root -crop 701x540+0+0 "$out/areadialog.png"
xdotool key Tab Tab Tab Return

xdotool windowfocus --sync "$main" key F1
help=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tavlo Help$' | head -n 1)
xdotool mousemove --window "$help" 470 100
settle
import -window root -crop 600x400+0+0 "$out/help.png"
xdotool key Escape
kill $app 2>/dev/null || true
echo "screenshots in $out"
