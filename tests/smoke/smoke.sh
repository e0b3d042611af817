#!/usr/bin/env bash
# Starts the real binary on a virtual X display and drives it with xdotool: the
# window shows with the picture, a second copy is refused, Esc closes, an unknown kind
# is reported, and every text target of the clipboard carries the same text.
set -euo pipefail
tavlo=$1
picture=$2/harbour.gif

source "$(dirname "$0")/xvfb.sh"
need Xvfb xdotool xclip
xvfb_session

"$tavlo" "$picture" &
first=$!
pids+=($first)
main=$(wait_window --name '^Tavlo$') || fail "the main window did not show"
echo "smoke: main window shown"

# A second copy says so in a note and ends; the first goes on.
"$tavlo" &
second=$!
note=$(wait_window --name '^Tavlo Note$') || fail "no 'Tavlo already in use...' note"
xdotool windowfocus --sync "$note" key Return
wait_exit $second || fail "the second copy ended with an error"
kill -0 $first || fail "the first copy went away"
echo "smoke: second copy refused"

# Esc closes the main window and ends the program.
xdotool windowfocus --sync "$main" key Escape
wait_exit $first || fail "the program ended with an error"
echo "smoke: Esc closed the window"

# An unknown kind: the message window, then the end.
cp "$picture" "$work/some.jpeg"
"$tavlo" "$work/some.jpeg" &
third=$!
pids+=($third)
msg=$(wait_window --pid $third) || fail "no message window for an unknown kind"
xdotool windowfocus --sync "$msg" key Return
wait_exit $third || fail "unknown kind: non-zero exit"
echo "smoke: unknown kind reported"

# The clipboard: a map whose link is Latin-1 gives every text target the same text,
# UTF-8 where the target is UTF-8, Latin-1 on STRING.
mkdir -p "$work/site/images"
cp "$picture" "$work/site/images/"
# tavlo-own.tavl with a Latin-1 link, and "#" where the program writes it for an empty one.
sed 's/docks\.htm/caf\xe9.htm/; s/HREF=""/HREF="#"/' "$(dirname "$0")/../pages/tavlo-own.tavl" \
    >"$work/site/latin.tavl"
"$tavlo" "$work/site/latin.tavl" &
pids+=($!)
main=$(wait_window --name '^Tavlo$') || fail "no main window for the map"
# F5 asks before it puts the map on the clipboard; Return says yes.
xdotool windowfocus --sync "$main" key F5
confirm=$(wait_window --name '^Confirm Clipboard:$') || fail "F5 asked nothing"
xdotool windowfocus --sync "$confirm" key Return
clip() { xclip -o -selection clipboard -t "$1" 2>/dev/null; }
timeout 20 bash -c "until xclip -o -selection clipboard -t STRING 2>/dev/null | grep -q 'end Tavlo'; do :; done" ||
    fail "nothing on the clipboard"
block=$(head -c -2 "$work/site/latin.tavl" | xxd -p)
utf8=$(head -c -2 "$work/site/latin.tavl" | iconv -f WINDOWS-1252 -t UTF-8 | xxd -p)
for target in UTF8_STRING text/plain 'text/plain;charset=utf-8'; do
    [ "$(clip "$target" | xxd -p)" = "$utf8" ] || fail "$target is not the map as UTF-8"
done
[ "$(clip STRING | xxd -p)" = "$block" ] || fail "STRING is not the map in Latin-1"
echo "smoke: the clipboard's text targets agree"
echo "smoke: 5 passed, 0 failed"
