#!/usr/bin/env bash
exec python3 "$(dirname "$0")/learner_session.py" "$@"
