#!/usr/bin/env bash
# The lesson as a screen reader meets it: under its own Xvfb, on the AT-SPI bus of its own D-Bus
# session, started, read and driven by atspi_check.py (Debian's pyatspi).
# Usage: xvfb_accessibility.sh <path-to-tarvolen> <build-dir>
set -euo pipefail
export PROGRAM CHECK WORK PROGRAM_LOG
PROGRAM=$(realpath "$1")
CHECK=$(cd "$(dirname "$0")" && pwd)/atspi_check.py
WORK=$(mktemp -d)
PROGRAM_LOG=$WORK/program.log
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true; rm -rf "$WORK"' EXIT
for _ in $(seq 100); do [[ -s $WORK/display ]] && break; sleep 0.1; done
[[ -s $WORK/display ]] || { echo "Xvfb did not start" >&2; cat "$WORK/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$WORK/display")"

dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$WORK/bus.log" &
  bus=$!
  # The program asks org.a11y.Bus for the bus once, at start: it must be there by then.
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
      >/dev/null 2>&1 && break
    sleep 0.1
  done
  status=0
  /usr/bin/python3 "$CHECK" "$PROGRAM" || { status=$?; echo "--- program output" >&2; cat "$PROGRAM_LOG" >&2; }
  kill $bus 2>/dev/null
  wait $bus 2>/dev/null
  exit $status
' 2> >(grep -v "Failed to set fd limit" >&2)
