#!/usr/bin/env bash
# Runs a command with an X display: the current one, else a private Xvfb server.
set -euo pipefail
if [ -n "${DISPLAY:-}" ]; then exec "$@"; fi
exec xvfb-run -a -s "-screen 0 1920x1080x24" "$@"
