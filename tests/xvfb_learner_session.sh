#!/usr/bin/env bash
# A learner's whole session with the built program in a real window, under its own Xvfb:
# pointer, clicks, lists, arrow keys, wheel and typing, judged from screenshots.
# Usage: xvfb_learner_session.sh <path-to-tarvolen> <build-dir>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec python3 "$here/learner_session.py" "$@"
