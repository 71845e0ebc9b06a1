#!/usr/bin/env bash
# Takes the README's pictures of the lesson under a private Xvfb, driving the window as a
# learner does (pointer and keys through xdotool): docs/introduction-page.png and
# docs/practice-page.png (r1 = 3, r2 = 4, PQ = 5, two points of intersection), and that page after
# F11 on a 1920 x 1080 screen, docs/full-screen-practice-page.png.
# Builds nothing: give it the built program (default build/src/tarvolen).
# In another language, LANGUAGE=de scripts/screenshots.sh, the pictures end in -de.png.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath -m "${1:-build/src/tarvolen}")
out=docs
suffix=${LANGUAGE:+-${LANGUAGE%%[_:]*}}
[[ $suffix == -en ]] && suffix=

if [[ ! -x $program ]]; then
  echo "screenshots: no program at $program; build it first (make build)" >&2
  exit 1
fi
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display number, so this never clashes with another Xvfb.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
[[ -s $work/display ]] || { echo "screenshots: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
# On a Wayland desktop Qt would open the window there, not on this Xvfb.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

"$program" 2>"$work/app.log" &
app_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --class '^tarvolen$' | head -n1) || {
  echo "screenshots: the lesson window did not appear" >&2
  cat "$work/app.log" >&2
  exit 1
}
xdotool windowfocus --sync "$window"

# Places in the window's client area, in design pixels (twips / 15), centre of each control.
next=(912 16)   # lblNext, where lblBack stands too
r1=(797 86)     # the edit fields of CboR1, CboR2, CboPQ inside Frame_Cbo
r2=(848 86)
pq=(898 86)
bare=(1000 720) # window surface without any control

step() { sleep 0.4; }
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; step; }
down() { for _ in $(seq "$1"); do xdotool key Down; step; done; }
shoot() { xdotool mousemove --window "$window" "${bare[@]}"; sleep 0.6; import -window "$window" "$out/$1"; }

mkdir -p "$out"
step
shoot "introduction-page$suffix.png"

click "${next[@]}"
click "${r1[@]}" && down 3   # 1, 2, 3
click "${r2[@]}" && down 4   # 1, 2, 3, 4
click "${pq[@]}" && down 6   # 0, 1, ..., 5
shoot "practice-page$suffix.png"
xdotool key F11
sleep 1
shoot "full-screen-practice-page$suffix.png"

for picture in introduction-page$suffix practice-page$suffix full-screen-practice-page$suffix; do
  echo "$out/$picture.png: $(identify -format '%wx%h' "$out/$picture.png")"
done
