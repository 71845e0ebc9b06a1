#!/usr/bin/env bash
# Without any display the program must say so in one line naming xvfb-run and exit non-zero,
# not abort.
set -u
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
status=$?
if (( status == 0 || status >= 128 )) || [[ $(wc -l <<<"$output") -ne 1 || $output != *xvfb-run* ]]; then
  echo "FAIL: expected one line naming xvfb-run and a plain failure exit, got $status: $output"; exit 1
fi
echo "no display: '$output' (exit $status)"
