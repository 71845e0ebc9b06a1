#!/usr/bin/env bash
# The built program under an X server of its own maps the lesson window: its caption, a
# 1018 x 736 client area and the pale green (213, 255, 220) bare surface.
# Usage: xvfb_window_opens.sh <path-to-tarvolen> [build-dir]
set -euo pipefail
program=${1:?path to the tarvolen program}
caption='Chapter 4:  Tarvolen in a Plane.'
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; sed 's/^/  program: /' "$work/app.log" >&2 2>/dev/null || true; exit 1; }

# -displayfd picks a free display number and writes it once the server is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
pids+=($!)
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name "^${caption//./\\.}\$" 2>/dev/null | head -n1 || true)
  [[ -n $window ]] && break
  kill -0 "${pids[1]}" 2>/dev/null || fail "the program ended before it mapped its window"
  sleep 0.1
done
[[ -n $window ]] || fail "no mapped window captioned \"$caption\""
size=$(xwininfo -id "$window" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {print w " x " $2}')
[[ $size == '1018 x 736' ]] || fail "client area is $size, expected 1018 x 736"

# Bare spots: top left corner, right of the page border, below it; the first paint may be late.
for spot in '10 10' '1010 400' '500 728'; do
  for _ in $(seq 50); do
    colour=$(import -window "$window" -crop "1x1+${spot% *}+${spot#* }" +repage txt:- 2>/dev/null \
               | grep -o 'srgb([0-9,]*)' || true)
    [[ $colour == 'srgb(213,255,220)' ]] && break
    sleep 0.1
  done
  [[ $colour == 'srgb(213,255,220)' ]] || fail "bare surface at ($spot) is ${colour:-unreadable}, expected srgb(213,255,220)"
done
echo "PASS: \"$caption\" mapped as window $window, $size, bare surface pale green"
