#!/usr/bin/env bash
exec dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/atspi_check.py" "$@"
