#!/usr/bin/env bash
# Longer runs of the damage-painting window test: each seed a run of random gestures and
# commands, every step's partial paint compared with a whole repaint of the same frame.
# Usage: tools/damage-soak.sh [steps per seed] [seeds...]   (default 700 steps, seeds 1 2 3)
set -euo pipefail
cd "$(dirname "$0")/.."
steps="${1:-700}"
shift || true
seeds=("$@")
[ ${#seeds[@]} -eq 0 ] && seeds=(1 2 3)
for seed in "${seeds[@]}"; do
    echo "seed $seed, $steps steps"
    (cd build/out && QX_DAMAGE_SEED="$seed" QX_DAMAGE_STEPS="$steps" \
        ../../tools/with-display.sh ./qx_window_tests \
        --gtest_filter='DamagePainting.EveryStepShowsWhatAWholeRepaintShows')
done
