#!/usr/bin/env bash
# The lesson as a screen reader meets it: the program under its own Xvfb, on an AT-SPI bus
# of its own D-Bus session, started, read and driven by atspi_check.py (Debian's pyatspi).
# Usage: xvfb_accessibility.sh <path-to-tarvolen> <build-dir>
set -euo pipefail
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
xvfb=
cleanup() {
  [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"

# Inside the session: the accessibility bus, then the check, which starts the program.
export PROGRAM="$program" CHECK="$here/atspi_check.py" WORK="$work" PROGRAM_LOG="$work/program.log"
dbus-run-session -- bash -c '
  set -u
  /usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$WORK/bus.log" &
  bus=$!
  # The program asks org.a11y.Bus for the bus once, at start: it must be there by then.
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
      >/dev/null 2>&1 && break
    sleep 0.1
  done
  status=0
  /usr/bin/python3 "$CHECK" "$PROGRAM" || status=$?
  if [[ $status -ne 0 ]]; then
    echo "--- program output" >&2; cat "$PROGRAM_LOG" >&2
  fi
  kill $bus 2>/dev/null
  wait $bus 2>/dev/null
  exit $status
' 2> >(grep -v "Failed to set fd limit" >&2)
