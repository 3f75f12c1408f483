#!/usr/bin/env bash
# Takes the pictures of the screens of the built module on the demo patch, a few frames each,
# into OUT/shots/, on the current display. They keep a session of their own and the files of
# the build folder, never the user's.
set -euo pipefail
out="$(cd "$1" && pwd)"
cd "$out"
demo="$out/PATCHES/DEMO.txt"
export QXHOST_BUILD_FOLDER=1
shot() {
    local name="$1"
    shift
    ./qxhost --session "$out/shots/session" --load "$demo" "$@" --frames 10 \
        --screenshot "$out/shots/$name.png" >/dev/null
}
mkdir -p "$out/shots"
shot inputs --send "PAGE INPUTS" --send "MUTE S1" --send "SOLO S2"
shot outputs --send "PAGE OUTPUTS" --send "MUTE T2" --send "SET_MASTER -6"
shot editors --load "$out/MACROS/EDITORS_DEMO.txt"
shot matrix --send "PAGE MATRIX"
shot feedback --load "$out/MACROS/FEEDBACK_DEMO.txt"
shot panels --load "$out/MACROS/MONITOR_PANELS.txt"
shot readouts --load "$out/MACROS/READOUTS_DEMO.txt"
