#!/usr/bin/env bash
# Fails only when an action takes over 20 ms (median) or the window maps over twice as slowly as a bare Qt one.
exec python3 "$(dirname "$0")/learner_session.py" --under-xvfb "$2/bench/tarvolen_bench" --tarvolen "$1" \
  --baseline "$(dirname "$1")/tarvolen_baseline" --rounds 3 --reps 100 --no-memory --guard --json "$2/bench-guard.json"
