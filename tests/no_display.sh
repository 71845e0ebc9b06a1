#!/usr/bin/env bash
# With no display set, an X display nobody serves, or a Wayland socket that is not there, the program says so in
# one line, its own name first, naming the display it tried and how to run it under xvfb-run, and exits 1.
for tried in "" DISPLAY=:9997 WAYLAND_DISPLAY=/nonexistent/wayland-0; do
  output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $tried "$1" 2>&1) status=$?
  [[ $status -eq 1 && $(wc -l <<<"$output") -eq 1 && $output == "tarvolen: "*"${tried:-DISPLAY not set}"* &&
     $output == *"xvfb-run -a $1" ]] || { echo "FAIL: with ${tried:-no display}: exit $status: $output"; exit 1; }
done
# In the system's language: German from LANG alone; English where LANGUAGE puts it first.
no_display() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANGUAGE -u LC_ALL -u LC_MESSAGES "$@" 2>&1; }
german=$(no_display LANG=de_DE.UTF-8 "$1") english=$(no_display LANGUAGE=en:de LANG=de_DE.UTF-8 "$1")
[[ $german == "tarvolen: Für das Fenster der Lektion ließ sich keine Anzeige öffnen (WAYLAND_DISPLAY not set, "*"xvfb-run -a $1" &&
   $english == "tarvolen: no display could be opened for the lesson window (WAYLAND_DISPLAY not set, "* ]] ||
  { echo "FAIL: German: $german; English first: $english"; exit 1; }
# A platform Qt has no plugin for is named with those it has, and no display is blamed.
output=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=bogus "$1" 2>&1) status=$?
[[ $status -eq 1 && $(wc -l <<<"$output") -eq 1 && $output == *xcb* && $output == *offscreen* &&
   $output == 'tarvolen: the Qt platform plugin "bogus" could not be loaded; the platforms Qt has are: '* ]] ||
  { echo "FAIL: unknown platform: exit $status: $output"; exit 1; }
