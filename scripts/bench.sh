#!/usr/bin/env bash
# Runs the benchmark: bench.sh BUILD_DIR [tarvolen_bench options]. Start-up is judged by the
# instructions counted by startup-instructions.sh; then tarvolen_bench runs under an Xvfb of its
# own, by default 21 launch rounds and 1000 repetitions, figures to BUILD_DIR/bench.json;
# later options win.
set -euo pipefail

build=${1:?usage: bench.sh BUILD_DIR [options]}
shift
bench=$build/bench/tarvolen_bench
for program in "$bench" "$build/src/tarvolen" "$build/src/tarvolen_baseline"; do
  [[ -x "$program" ]] || { echo "bench.sh: $program is not built" >&2; exit 2; }
done

# Counted before anything else runs on the server, and independent of the machine's load.
counts=$(bash "$(dirname "$0")/startup-instructions.sh" "$build")
echo "$counts"
instructions=$(awk '$1 == "tarvolen_baseline" { b = $2 "," $3 } $1 == "tarvolen" { t = $2 "," $3 }
                    END { if (b && t) print b "," t }' <<<"$counts")
[[ -n "$instructions" ]] || { echo "bench.sh: no instruction counts" >&2; exit 2; }

# Qt complains on every start without a runtime directory; give the programs a private one.
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  runtime_dir=$XDG_RUNTIME_DIR
fi

# Xvfb writes its display number on the pipe once it accepts clients: no sleeping, no
# guessing a free number.
exec {xvfb_out}< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; [[ -z "${runtime_dir:-}" ]] || rm -rf "$runtime_dir"' EXIT
if ! read -r -t 30 -u "$xvfb_out" display; then
  echo "bench.sh: Xvfb did not start" >&2
  exit 2
fi

# X11 whatever the caller's desktop: the start-up is watched through the X server.
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=":$display" "$bench" \
  --tarvolen "$build/src/tarvolen" --baseline "$build/src/tarvolen_baseline" \
  --json "$build/bench.json" --instructions "$instructions" "$@"
