#!/usr/bin/env bash
# Instructions each program executes from its start to the X map of its window and to its
# first frame on screen (the first backing-store flush), counted by callgrind on an Xvfb of
# its own: startup-instructions.sh BUILD_DIR. Unlike the clock, the counts do not depend on
# what else the machine is doing, so two trees can be compared on a busy machine.
set -euo pipefail

build=${1:?usage: startup-instructions.sh BUILD_DIR}
out=$(mktemp -d)
runtime_dir=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime_dir QT_QPA_PLATFORM=xcb

exec {xvfb_out}< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$out" "$runtime_dir"' EXIT
read -r -t 30 -u "$xvfb_out" display || { echo "startup-instructions.sh: Xvfb did not start" >&2; exit 2; }
export DISPLAY=":$display"

summary() { sed -n 's/^summary: //p' "$1"; }

declare -A to_map to_frame
for name in tarvolen_baseline tarvolen; do
  # The first dump ends where the window is mapped, the second with the first frame.
  valgrind --tool=callgrind --dump-before=xcb_map_window --dump-after='QBackingStore::flush*' \
    --callgrind-out-file="$out/$name.%p" "$build/src/$name" 2>"$out/$name.log" &
  pid=$!
  for _ in $(seq 1 1200); do
    [[ -s "$out/$name.$pid.2" ]] && break
    sleep 0.25
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [[ -s "$out/$name.$pid.2" ]] || { echo "startup-instructions.sh: $name showed no frame" >&2; exit 2; }
  to_map[$name]=$(summary "$out/$name.$pid.1")
  to_frame[$name]=$(( ${to_map[$name]} + $(summary "$out/$name.$pid.2") ))
done

printf '%-20s %15s %15s\n' "instructions" "to the map" "to first frame"
for name in tarvolen_baseline tarvolen; do
  printf '%-20s %15d %15d\n' "$name" "${to_map[$name]}" "${to_frame[$name]}"
done
awk -v a="${to_map[tarvolen]}" -v b="${to_map[tarvolen_baseline]}" \
    -v c="${to_frame[tarvolen]}" -v d="${to_frame[tarvolen_baseline]}" \
    'BEGIN { printf "%-20s %14.2fx %14.2fx\n", "ratio", a / b, c / d }'
