#!/usr/bin/env bash
# A learner's whole session with the built program in a real window: see learner_session.py.
# Usage: xvfb_learner_session.sh <path-to-tarvolen> <build-dir>
exec python3 "$(dirname "$0")/learner_session.py" "$@"
