#!/usr/bin/env bash
# Starts the host application beside the built module.
set -euo pipefail
out="$1"
cd "$out"
exec ./qxhost --headless --console /dev/stdout
