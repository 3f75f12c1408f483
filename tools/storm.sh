#!/usr/bin/env bash
# A longer storm of random input than the one `make test` runs: several seeds of many events each
# into a running qxhost, under Xvfb when there is no display. Builds the sanitizer tree first.
#   tools/storm.sh [EVENTS] [FIRST_SEED] [SEED_COUNT] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
events=${1:-2000}
first=${2:-1}
count=${3:-5}
build=${4:-build-sanitize}
if [ "$build" = build-sanitize ]; then make --no-print-directory build-sanitize >/dev/null; fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
failed=0
for ((seed = first; seed < first + count; seed++)); do
    tools/with-display.sh "$build/out/qx_storm" --events "$events" --seed "$seed" \
        --out "$build/out" || failed=1
done
exit $failed
