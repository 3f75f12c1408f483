#!/usr/bin/env bash
# Starts the host application beside the built module on the demo patch, in a window. Without
# a display it runs under a private Xvfb server, draws a few frames and saves a screenshot.
set -euo pipefail
out="$(cd "$1" && pwd)"
cd "$out"
demo="$out/PATCHES/DEMO.txt"
# Screenshots of the screens, one line each, each under a private Xvfb server.
mkdir -p "$out/shots"
xvfb-run -a -s "-screen 0 1920x1080x24" ./qxhost --load "$demo" \
    --load "$out/MACROS/EDITORS_DEMO.txt" --frames 10 --screenshot "$out/shots/editors.png" >/dev/null
if [ -n "${DISPLAY:-}" ]; then
    exec ./qxhost --load "$demo" --console /dev/stdout
fi
xvfb-run -a -s "-screen 0 1920x1080x24" \
    ./qxhost --load "$demo" --frames 10 --screenshot "$out/screenshot.png" --console /dev/stdout
echo "No display: ran under Xvfb; screenshot written to $out/screenshot.png"
