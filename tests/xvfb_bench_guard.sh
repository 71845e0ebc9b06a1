#!/usr/bin/env bash
# Fails only when an action takes over 20 ms of CPU time (median) or the window takes over twice a bare Qt
# window's CPU time to map: CPU time, unlike the clock, holds on a machine busy with other work.
exec python3 "$(dirname "$0")/learner_session.py" --under-xvfb "$2/bench/tarvolen_bench" --tarvolen "$1" \
  --baseline "$(dirname "$1")/tarvolen_baseline" --rounds 3 --reps 100 --no-memory --guard --json "$2/bench-guard.json"
