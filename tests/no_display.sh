#!/usr/bin/env bash
# Without any display the program says so in one line, its own name first, naming xvfb-run, and
# fails plainly, not by a signal.
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
status=$?
(( status != 0 && status < 128 )) && [[ $(wc -l <<<"$output") -eq 1 && $output == tarvolen:*xvfb-run* ]] ||
  { echo "FAIL: exit $status: $output"; exit 1; }
# In the system's language: German from LANG alone; English where LANGUAGE puts it first.
no_display() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANGUAGE -u LC_ALL -u LC_MESSAGES "$@" 2>&1; }
german=$(no_display LANG=de_DE.UTF-8 "$1") english=$(no_display LANGUAGE=en:de LANG=de_DE.UTF-8 "$1")
[[ $german == "tarvolen: Es gibt keine Anzeige für das Fenster der Lektion;"*xvfb-run* && $english == "$output" ]] ||
  { echo "FAIL: German: $german; English first: $english"; exit 1; }
