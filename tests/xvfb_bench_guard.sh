#!/usr/bin/env bash
# The benchmark's regression guard: a quick run (3 rounds, 100 repetitions) under its own Xvfb
# that fails only when an action takes over 20 ms (median) or the window needs more than
# twice as long as a bare Qt window to map. Loose on purpose: `make bench` holds the targets.
set -euo pipefail
tarvolen=$1
build=$2
here=$(cd "$(dirname "$0")" && pwd)
exec bash "$here/../scripts/bench.sh" "$build" \
  --tarvolen "$tarvolen" --baseline "$(dirname "$tarvolen")/tarvolen_baseline" \
  --rounds 3 --reps 100 --no-memory --guard --json "$build/bench-guard.json"
