#!/usr/bin/env bash
# Starts the host application beside the built module on the demo patch, in a window. Without
# a display it runs under a private Xvfb server, draws a few frames and saves a screenshot.
set -euo pipefail
out="$(cd "$1" && pwd)"
cd "$out"
demo="$out/PATCHES/DEMO.txt"
# Pictures of the demo patch on other pages: a few frames each, written to shots/.
shot() {
    local name="$1"
    shift
    local run=(./qxhost --load "$demo" "$@" --frames 10 --screenshot "$out/shots/$name.png")
    if [ -n "${DISPLAY:-}" ]; then "${run[@]}" >/dev/null; else
        xvfb-run -a -s "-screen 0 1920x1080x24" "${run[@]}" >/dev/null; fi
}
mkdir -p "$out/shots"
shot inputs --send "PAGE INPUTS" --send "MUTE S1" --send "SOLO S2"
shot outputs --send "PAGE OUTPUTS" --send "MUTE T2" --send "SET_MASTER -6"
shot editors --load "$out/MACROS/EDITORS_DEMO.txt"
shot matrix --send "PAGE MATRIX"
shot feedback --load "$out/MACROS/FEEDBACK_DEMO.txt"
shot panels --load "$out/MACROS/MONITOR_PANELS.txt"
shot readouts --load "$out/MACROS/READOUTS_DEMO.txt"
echo "Pictures of the screens written to $out/shots/"
if [ -n "${DISPLAY:-}" ]; then
    exec ./qxhost --load "$demo" --console /dev/stdout
fi
xvfb-run -a -s "-screen 0 1920x1080x24" \
    ./qxhost --load "$demo" --frames 10 --screenshot "$out/screenshot.png" --console /dev/stdout
echo "No display: ran under Xvfb; screenshot written to $out/screenshot.png"
