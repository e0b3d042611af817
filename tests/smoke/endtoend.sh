#!/usr/bin/env bash
# The whole road of a map through the real program on a virtual display: open the
# example picture through the open dialog (F2) and at once draw a
# rectangle, a circle and a polygon on the example picture, link each through the
# area dialog, save as HTML, choose Another, open the saved page (the map comes
# back), save it in the original page, quit. Then the files are compared.
set -euo pipefail
tavlo=$1
examples=$2

source "$(dirname "$0")/xvfb.sh"
need Xvfb xdotool
xvfb_session
mkdir -p "$work/site/images"
cp "$examples/harbour.gif" "$work/site/images/"

find_window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | tail -n 1; }
# Waits until the program has handled everything sent so far: a round trip through
# a window it answers (the X server orders events), without sleeping.
settle() { xdotool getwindowname "$main" >/dev/null; }
at() { xdotool mousemove --window "$main" "$1" "$2"; }
press_at() { at "$1" "$2"; xdotool mousedown 1 mouseup 1; settle; }
drag() { at "$1" "$2"; xdotool mousedown 1; at $((($1 + $3) / 2)) $((($2 + $4) / 2)); at "$3" "$4"; xdotool mouseup 1; settle; }
link() { # click an area, type its link, press ENTER
    press_at "$1" "$2"
    local d
    d=$(find_window 'Add a URL') || fail "no area dialog"
    xdotool windowfocus --sync "$d" type --delay 5 "$3"
    xdotool key Tab Tab Tab Return
    timeout 10 bash -c "while xdotool search --onlyvisible --name 'Add a URL' >/dev/null; do :; done" ||
        fail "the area dialog stayed open"
}
file_dialog() { # key, title, path: answers the file dialog that key opens
    xdotool windowfocus --sync "$main" key "$1"
    local d
    d=$(find_window "$2") || fail "no '$2' dialog for $1"
    xdotool windowfocus --sync "$d" type --delay 5 "$3"
    xdotool key Return
    # Clicks sent while the dialog is still up go nowhere, and on a busy machine it
    # outlasts the Return a moment.
    timeout 10 bash -c "while xdotool search --onlyvisible --name '$2' >/dev/null; do :; done" ||
        fail "the '$2' dialog stayed open"
}
what_next() { # button offset inside frmEnd: 44 Quit, 114 Preview, 184 Another
    local e
    e=$(timeout 20 bash -c "until xdotool search --onlyvisible --pid $app | while read -r w; do
            xdotool getwindowgeometry \$w | grep -q 'Geometry: 228x255' && echo \$w; done | grep .; do :; done" |
        head -n 1) || fail "no what-next window"
    xdotool mousemove --window "$e" "$1" 220 mousedown 1 mouseup 1
}

"$tavlo" &
app=$!
pids+=($app)
main=$(find_window '^Tavlo$') || fail "the main window did not show"
# The click that closes the open dialog must not swallow the first drawing.
file_dialog F2 'Open File' "$work/site/images/harbour.gif"

press_at 16 40                        # Square Area
drag 250 120 350 190
press_at 16 78                        # Circle
drag 478 300 538 300
press_at 16 116                       # Polygon
for p in "100 300" "180 290" "200 360" "120 400" "90 380" "102 302"; do press_at $p; done
link 300 150 "market.htm"
link 478 310 "lighthouse.htm"
link 140 340 "beach.htm"

file_dialog F7 'Save File As' "$work/site/harbour.htm"
what_next 184                         # Another
timeout 20 bash -c "until [ -s '$work/site/harbour.htm' ]; do :; done" || fail "no page written"

file_dialog F2 'Open File' "$work/site/harbour.htm"
file_dialog F9 'Save File As' "$work/site/harbour2.htm"
what_next 44                          # Quit
wait_exit "$app" || fail "the program ended with an error"

first=$work/site/harbour.htm
second=$work/site/harbour2.htm
# The canvas's top left in window coordinates: from the rectangle's first corner.
read -r x0 y0 < <(grep -o 'SHAPE="rect" COORDS="[-0-9]*, [-0-9]*' "$first" | grep -o '[-0-9]*, [-0-9]*$' | tr -d ',')
dx=$((250 - x0)) dy=$((120 - y0))
c() { echo "$(($1 - dx)), $(($2 - dy))"; }
expected=$(printf '%s\r\n' \
    '<HTML>' '<HEAD>' '<TITLE></TITLE>' '</HEAD>' '<BODY>' \
    '<!-- Tavlo start, DO NOT EDIT until after "end Tavlo" comment, if you want to later edit. -->' \
    '<img src="images/harbour.gif" width=640 height=400 border=0 USEMAP="#harbour">' \
    '' \
    '<!-- Image map made with Tavlo, the image map editor: https://tavlo.example/ -->' \
    '<MAP NAME="harbour">' \
    "<AREA SHAPE=\"rect\" COORDS=\"$(c 250 120), $(c 350 190)\" HREF=\"market.htm\">" \
    "<AREA SHAPE=\"circle\" COORDS=\"$(c 478 300), 60\" HREF=\"lighthouse.htm\">" \
    "<AREA SHAPE=\"poly\" COORDS=\"$(c 100 300), $(c 180 290), $(c 200 360), $(c 120 400), $(c 90 380)\" HREF=\"beach.htm\">" \
    '</MAP>' \
    '<!-- end Tavlo, safe to edit AFTER this line. -->' \
    '</BODY>'; printf '</HTML>\r\n'; printf x)
[ "$(cat "$first"; printf x)" = "$expected" ] || {
    diff <(printf '%s' "$expected") "$first" >&2 || true
    fail "the saved page is not as expected"
}
# The map came back whole: written into the page again, only one line break more.
[ "$(cat "$second"; printf x)" = "$(cat "$first"; printf '\r\nx')" ] || fail "the page written back differs"
echo "endtoend: canvas offset ${dx}x${dy}; both pages as expected"
echo "endtoend: 1 passed, 0 failed"
