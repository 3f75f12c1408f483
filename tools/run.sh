#!/usr/bin/env bash
# Starts the host application beside the built module. Windowed runs are not built yet, so it
# runs headless (construct, exchange pins, release) and shows the console on standard output.
set -euo pipefail
out="$1"
cd "$out"
exec ./qxhost --headless --console /dev/stdout
