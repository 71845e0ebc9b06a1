#!/usr/bin/env bash
# Opens the lesson window, or says in one line why it cannot.
set -euo pipefail
program=${1:-build/src/tarvolen}
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "tarvolen: no display to open the lesson window on; run it under a virtual one with: xvfb-run -a $program" >&2
  exit 1
fi
exec "$program"
