#!/usr/bin/env bash
# The lesson as a screen reader meets it: the program under its own Xvfb, on an AT-SPI bus
# of its own D-Bus session, read and driven by atspi_check.py (Debian's python3-pyatspi).
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

# Inside the session: the accessibility bus, the program joined to it, then the check. The
# program must end by itself when the check presses Home.
export PROGRAM="$program" CHECK="$here/atspi_check.py" WORK="$work"
dbus-run-session -- bash -c '
  set -u
  /usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$WORK/bus.log" &
  bus=$!
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 \
    "$PROGRAM" 2>"$WORK/program.log" &
  app=$!
  status=0
  /usr/bin/python3 "$CHECK" || status=$?
  if [[ $status -eq 0 ]]; then
    for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
    if kill -0 $app 2>/dev/null; then
      echo "FAIL: Home pressed over AT-SPI did not end the program" >&2
      status=1
    elif ! wait $app; then
      echo "FAIL: the program did not end cleanly after Home" >&2
      status=1
    fi
  fi
  kill $app $bus 2>/dev/null
  wait $bus 2>/dev/null
  if [[ $status -ne 0 ]]; then
    echo "--- program output" >&2; cat "$WORK/program.log" >&2
  fi
  exit $status
' 2> >(grep -v "Failed to set fd limit" >&2)
