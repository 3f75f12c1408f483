#!/usr/bin/env bash
# Starts the host application beside the built module in a window, on the user's session when
# there is one, else on the demo patch. Without a display it runs under a private Xvfb server on
# the demo patch, draws a few frames and saves a screenshot; no run but the one at a desktop
# touches the user's session.
set -euo pipefail
out="$(cd "$1" && pwd)"
cd "$out"
demo="$out/PATCHES/DEMO.txt"
# Pictures of the demo patch on other pages: a few frames each, written to shots/.
shot() {
    local name="$1"
    shift
    local run=(./qxhost --session "$out/shots/session" --load "$demo" "$@" --frames 10
        --screenshot "$out/shots/$name.png")
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
# At a desktop the person's own session comes back when there is one; the demo patch otherwise.
if [ -n "${DISPLAY:-}" ]; then
    state="${XDG_STATE_HOME:-}"
    [ "${state:0:1}" = / ] || state="$HOME/.local/state"
    if [ -f "$state/qxhost/session" ]; then exec ./qxhost --console /dev/stdout; fi
    exec ./qxhost --load "$demo" --console /dev/stdout
fi
xvfb-run -a -s "-screen 0 1920x1080x24" \
    ./qxhost --session "$out/shots/session" --load "$demo" --frames 10 \
    --screenshot "$out/screenshot.png" --console /dev/stdout
echo "No display: ran under Xvfb; screenshot written to $out/screenshot.png"
