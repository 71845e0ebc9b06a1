#!/usr/bin/env bash
# Compiles the desktop locales the tests run under into OUT, for use through LOCPATH: no root
# needed, and the machine's own locale settings stay as they are.
set -euo pipefail
out=$1
mkdir -p "$out"
for name in de_DE fr_FR es_ES it_IT pt_BR; do
  [[ -d "$out/$name.UTF-8" ]] && continue
  # -c: glibc's sources raise warnings that do not matter here; the check below is what counts.
  localedef -i "$name" -c -f UTF-8 "$out/$name.UTF-8" || true
  [[ -f "$out/$name.UTF-8/LC_NUMERIC" ]] || { echo "make-locales: could not compile $name" >&2; exit 1; }
done
touch "$out/stamp"
