#!/usr/bin/env bash
# The benchmark's regression guard, a quick run under its own Xvfb: fails only when an action
# takes over 20 ms (median) or the window maps more than twice as slowly as a bare Qt window.
# Loose on purpose: `make bench` holds the targets.
set -euo pipefail
exec bash "$(dirname "$0")/../scripts/bench.sh" "$2" --tarvolen "$1" --baseline "$(dirname "$1")/tarvolen_baseline" \
  --rounds 3 --reps 100 --no-memory --guard --json "$2/bench-guard.json"
