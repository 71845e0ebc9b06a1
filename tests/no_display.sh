#!/usr/bin/env bash
# Without any display the program must say so in one line and exit non-zero, not abort.
set -u
program=$1
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
status=$?
lines=$(printf '%s\n' "$output" | wc -l)
if [[ $status -eq 0 || $status -ge 128 ]]; then
  echo "expected a plain failure exit, got $status: $output"; exit 1
fi
if [[ $lines -ne 1 || "$output" != *"xvfb-run"* ]]; then
  echo "expected one line naming xvfb-run, got: $output"; exit 1
fi
echo "no display: '$output' (exit $status)"
