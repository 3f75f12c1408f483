#!/usr/bin/env bash
# Starts the host application beside the built module in a window, on the user's session when
# there is one, else on the demo patch, with the module and its files laid out in the user's own
# module folder (qxhost does that). The pictures of the screens are taken first on a private
# Xvfb server, so a person at a desktop sees one window. Without a display it runs under a
# private Xvfb server on the demo patch, draws a few frames and saves a screenshot; no run but
# the one at a desktop touches the user's session.
set -euo pipefail
tools="$(cd "$(dirname "$0")" && pwd)"
out="$(cd "$1" && pwd)"
cd "$out"
demo="$out/PATCHES/DEMO.txt"
env -u DISPLAY "$tools/with-display.sh" "$tools/take-shots.sh" "$out"
echo "Pictures of the screens written to $out/shots/"
# At a desktop the person's own session comes back when there is one; the demo patch otherwise.
if [ -n "${DISPLAY:-}" ]; then
    state="${XDG_STATE_HOME:-}"
    [ "${state:0:1}" = / ] || state="$HOME/.local/state"
    if [ -f "$state/qxhost/session" ]; then exec ./qxhost --console /dev/stdout; fi
    data="${XDG_DATA_HOME:-}"
    [ "${data:0:1}" = / ] || data="$HOME/.local/share"
    exec ./qxhost --load "$data/qxhost/PATCHES/DEMO.txt" --console /dev/stdout
fi
QXHOST_BUILD_FOLDER=1 xvfb-run -a -s "-screen 0 1920x1080x24" \
    ./qxhost --session "$out/shots/session" --load "$demo" --frames 10 \
    --screenshot "$out/screenshot.png" --console /dev/stdout
echo "No display: ran under Xvfb; screenshot written to $out/screenshot.png"
