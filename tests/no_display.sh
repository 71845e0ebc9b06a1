#!/usr/bin/env bash
# Without any display the program says so in one line, its own name first, naming xvfb-run, and
# fails plainly, not by a signal.
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
status=$?
(( status != 0 && status < 128 )) && [[ $(wc -l <<<"$output") -eq 1 && $output == tarvolen:*xvfb-run* ]] ||
  { echo "FAIL: exit $status: $output"; exit 1; }
