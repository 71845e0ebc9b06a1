#!/usr/bin/env bash
# The built program under an X server of its own: it maps the lesson window with its caption,
# a 1018 x 736 client area, and the pale green (213, 255, 220) bare surface.
# Usage: xvfb_window_opens.sh <path-to-tarvolen> [build-dir]
set -euo pipefail

program=${1:?path to the tarvolen program}
caption='Chapter 4:  Tarvolen in a Plane.'
work=$(mktemp -d)
xvfb_pid=''
app_pid=''

cleanup() {
  if [[ -n $app_pid ]]; then kill "$app_pid" 2>/dev/null || true; wait "$app_pid" 2>/dev/null || true; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [[ -f $work/app.log ]] && sed 's/^/  program: /' "$work/app.log" >&2
  exit 1
}

# -displayfd picks a free display number and writes it once the server is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  sleep 0.1
done
[[ -s $work/display ]] || fail "Xvfb gave no display number"
export DISPLAY=":$(head -n1 "$work/display")"

QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app_pid=$!

window=''
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name "^${caption//./\\.}\$" 2>/dev/null | head -n1 || true)
  [[ -n $window ]] && break
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended before it mapped its window"
  sleep 0.1
done
[[ -n $window ]] || fail "no mapped window captioned \"$caption\""

[[ $(xdotool getwindowname "$window") == "$caption" ]] || fail "caption is \"$(xdotool getwindowname "$window")\""

info=$(xwininfo -id "$window")
width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
grep -q 'Map State: IsViewable' <<<"$info" || fail "window is not viewable"
[[ $width == 1018 && $height == 736 ]] || fail "client area is ${width} x ${height}, expected 1018 x 736"

# Bare spots: top left corner, right of the page border, below it.
pixel() { import -window "$window" -crop "1x1+$1+$2" +repage txt:- 2>/dev/null | grep -o 'srgb([0-9,]*)' || true; }
for spot in '10 10' '1010 400' '500 728'; do
  colour=''
  for _ in $(seq 50); do  # the first paint may still be on its way
    colour=$(pixel $spot)
    [[ $colour == 'srgb(213,255,220)' ]] && break
    sleep 0.1
  done
  [[ $colour == 'srgb(213,255,220)' ]] || fail "bare surface at ($spot) is ${colour:-unreadable}, expected srgb(213,255,220)"
done

echo "PASS: \"$caption\" mapped as window $window, ${width} x ${height}, bare surface pale green"
