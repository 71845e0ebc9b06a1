#!/usr/bin/env bash
# With no display set, an X display nobody serves, or a Wayland socket that is not there, the program says so in
# one line, its own name first, naming the display it tried and how to run it under xvfb-run, and exits 1.
for tried in "" DISPLAY=:9997 WAYLAND_DISPLAY=/nonexistent/wayland-0; do
  output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $tried "$1" 2>&1) status=$?
  [[ $status -eq 1 && $(wc -l <<<"$output") -eq 1 && $output == "tarvolen: "*"${tried:-DISPLAY not set}"* &&
     $output == *"xvfb-run -a $1" ]] || { echo "FAIL: with ${tried:-no display}: exit $status: $output"; exit 1; }
done
