#!/usr/bin/env bash
# Opens the lesson window on the desktop's display, Wayland or X11; without one the program says why in one line.
set -euo pipefail
exec "${1:-build/src/tarvolen}"
